#include <iomanip>
#include <iostream>
#include <sstream>

#include "Commands.h"
#include "DataFile.h"
#include "JsonOutput.h"
#include "Ev2Evaluation.h"
#include "K30Evaluation.h"

namespace k30::cli {

namespace {

constexpr Text kRawFile{"原始文件", "Raw file"};
constexpr Text kProjectFile{"工程文件", "Project file"};
constexpr Text kInstrument{"仪器编号", "instrument"};
constexpr Text kEv2Points{"Ev2测试点", "Ev2 points"};
constexpr Text kK30Points{"K30测试点", "K30 points"};
constexpr Text kColumns{"测试号  开始时间  结束时间  1.25mm荷载强度(MPa)  地基系数值(MPa/m)  测试类型  设计荷载(MPa)",
                        "Name  Start  End  Stress at 1.25 mm (MPa)  K30 (MPa/m)  Test type  Design load (MPa)"};
constexpr Text kStress{"应力(MPa)", "stress (MPa)"};
constexpr Text kSettlement{"沉降量(mm)", "settlement (mm)"};
constexpr Text kHeader{"报告表头", "Report header"};
constexpr Text kEv2Columns{"测试号  开始时间  结束时间  σ0max(MPa)  Ev1(MPa)  Ev2(MPa)  Ev2/Ev1",
                           "Name  Start  End  sigma0max (MPa)  Ev1 (MPa)  Ev2 (MPa)  Ev2/Ev1"};

// A result with no value shows as "-", so the columns stay countable.
std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

template <std::size_t N>
void PrintReadings(const std::array<ReadingPair, N>& reading, int count, Language lang, std::ostream& out)
{
    std::ostringstream stress, settlement;
    for (int j = 0; j < count; ++j) {
        stress << ' ' << std::setw(6) << StressText(reading[static_cast<std::size_t>(j)].stress);
        settlement << ' ' << std::setw(6) << SettlementText(reading[static_cast<std::size_t>(j)].settlement);
    }
    out << "    " << kStress.in(lang) << ":" << stress.str() << "\n";
    out << "    " << kSettlement.in(lang) << ":" << settlement.str() << "\n";
}

// After the K30 points, when the file holds Ev2 points.
void PrintEv2Points(const TestDataStore& s, Language lang, std::ostream& out)
{
    if (s.ev2List.empty())
        return;
    out << "\n" << kEv2Points.in(lang) << "\n" << kEv2Columns.in(lang) << "\n";
    for (const Ev2Point& p : s.ev2List) {
        const Ev2Result r = ComputeEv2(p.reading);
        out << p.name << "  " << p.startTime << "  " << p.endTime << "  " << OrDash(r.sigma0maxText) << "  "
            << OrDash(r.ev1Text) << "  " << OrDash(r.ev2Text) << "  " << OrDash(r.ratioText) << "\n";
        PrintReadings(p.reading, kEv2Pairs, lang, out);
    }
}

void PrintTable(const LoadedFile& f, Language lang, std::ostream& out)
{
    const TestDataStore& s = f.store;
    out << (f.kind == FileKind::Raw ? kRawFile : kProjectFile).in(lang) << ": " << kInstrument.in(lang) << " "
        << s.nInstrumentNo << ", " << kEv2Points.in(lang) << " " << s.nEv2Count << ", " << kK30Points.in(lang)
        << " " << s.nK30Count << "\n\n";
    out << kColumns.in(lang) << "\n";
    for (std::size_t k = 0; k < s.ValidCount(); ++k) {
        const K30& p = s.k30List[k];
        out << p.name << "  " << p.startTime << "  " << p.endTime << "  " << p.stress125 << "  " << p.k30Value
            << "  " << p.testType << "  " << p.designLoad << "\n";
        PrintReadings(p.reading, kUsedPairs, lang, out);
    }
    PrintEv2Points(s, lang, out);
    if (f.kind == FileKind::Project) {
        out << "\n" << kHeader.in(lang) << ":\n";
        for (const HeaderField& h : kHeaderFileOrder)
            out << "    " << h.key << ": " << f.header.*h.member << "\n";
    }
}

}  // namespace

namespace {

void AddShowCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string file;
        bool json = false;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand("show", "Print the test points of a raw (.ORG) or project (.K30) file.\n"
                                               "Exit 2 for a file name that is neither, 1 for an unreadable or damaged file.");
    sub->add_option("FILE", opts->file, "Raw or project file")->required();
    sub->add_flag("--json", opts->json,
                  "Print one JSON object (kind, instrumentNo, ev2Count, k30Count, points, ev2Points, header)");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] {
            LoadedFile f;
            if (const int code = LoadDataFileExitCode(opts->file, f))
                return code;
            if (opts->json) {
                WriteJson(f, std::cout);
                std::cout << "\n";
            } else
                PrintTable(f, global.Resolve(), std::cout);
            return 0;
        };
    });
}

const bool registered = RegisterCommand(10, AddShowCommand);

}  // namespace

}  // namespace k30::cli
