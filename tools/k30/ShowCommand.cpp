#include <iomanip>
#include <iostream>
#include <sstream>

#include "Commands.h"
#include "DataFile.h"
#include "JsonOutput.h"
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
        std::ostringstream stress, settlement;
        for (int j = 0; j < kUsedPairs; ++j) {
            stress << ' ' << std::setw(6) << StressText(p.reading[static_cast<std::size_t>(j)].stress);
            settlement << ' ' << std::setw(6) << SettlementText(p.reading[static_cast<std::size_t>(j)].settlement);
        }
        out << "    " << kStress.in(lang) << ":" << stress.str() << "\n";
        out << "    " << kSettlement.in(lang) << ":" << settlement.str() << "\n";
    }
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
    sub->add_flag("--json", opts->json, "Print one JSON object (kind, instrumentNo, ev2Count, k30Count, points, header)");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] {
            LoadedFile f;
            if (const int code = LoadDataFileExitCode(opts->file, f))
                return code;
            if (opts->json)
                std::cout << ToJson(f).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
            else
                PrintTable(f, global.Resolve(), std::cout);
            return 0;
        };
    });
}

const bool registered = RegisterCommand(10, AddShowCommand);

}  // namespace

}  // namespace k30::cli
