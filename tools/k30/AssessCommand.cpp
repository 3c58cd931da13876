#include <iostream>
#include <memory>
#include <sstream>

#include "Acceptance.h"
#include "StatFormat.h"
#include "Commands.h"
#include "DataFile.h"
#include "Format.h"
#include "JsonOutput.h"

#include <nlohmann/json.hpp>

namespace k30::cli {

namespace {

constexpr int kExitFailingPoint = 3;

constexpr Text kRequirements{"要求", "Requirements"};
constexpr Text kNoRequirement{"无", "none"};
constexpr Text kK30Points{"K30测试点", "K30 points"};
constexpr Text kEv2Points{"Ev2测试点", "Ev2 points"};
constexpr Text kName{"测试号", "Name"};
constexpr Text kStress125{"1.25mm荷载强度(MPa)", "Stress at 1.25 mm (MPa)"};
constexpr Text kK30{"地基系数值(MPa/m)", "K30 (MPa/m)"};
constexpr Text kRecomputedStress{"复算1.25mm荷载强度(MPa)", "Recomputed stress at 1.25 mm (MPa)"};
constexpr Text kRecomputedK30{"复算地基系数值(MPa/m)", "Recomputed K30 (MPa/m)"};
constexpr Text kVerdict{"结论", "Verdict"};
constexpr Text kDisagrees{"* 仪器的1.25mm荷载强度或地基系数值与复算结果不符",
                          "* the instrument's stress at 1.25 mm or K30 differs from the recomputed one"};
constexpr Text kStatistics{"统计", "Statistics"};
constexpr Text kCount{"点数", "count"};
constexpr Text kMean{"平均值", "mean"};
constexpr Text kStd{"标准差", "std. dev."};
constexpr const Text& kCv = kCvName;
constexpr Text kMin{"最小值", "min"};
constexpr Text kMax{"最大值", "max"};
constexpr Text kPassed{"合格", "passed"};
constexpr Text kFailed{"不合格", "failed"};
constexpr Text kNotAssessable{"无法判定", "not assessable"};
constexpr Text kPassRate{"合格率", "pass rate"};
constexpr Text kRatioMean{"Ev2/Ev1 平均值", "Ev2/Ev1 mean"};
constexpr Text kRatioMax{"Ev2/Ev1 最大值", "Ev2/Ev1 max"};
constexpr Text kNoPoints{"(无)", "(none)"};
constexpr Text kBadNumber{"不是数值", "is not a number"};

struct AssessOptions {
    std::string file;
    std::string required;
    std::string ev2Min;
    std::string ratioMax;
    std::string header;
    bool json = false;
};

using Json = nlohmann::ordered_json;

Json Number(const std::optional<double>& v)
{
    const auto finite = FiniteStat(v);
    return finite ? Json(*finite) : Json(nullptr);
}

Json ToJson(const TestDataStore& store, const StoreAssessment& a)
{
    Json out;
    out["required"] = {{"k30", Number(a.required.k30)},
                       {"ev2Min", Number(a.required.ev2Min)},
                       {"ratioMax", Number(a.required.ratioMax)}};
    Json k30 = Json::array();
    for (std::size_t k = 0; k < a.k30.size(); ++k) {
        const K30& p = store.k30List[k];
        const K30Assessment& v = a.k30[k];
        k30.push_back({{"name", p.name},
                       {"k30Value", p.k30Value},
                       {"verdict", VerdictKey(v.verdict)},
                       {"lowerBound", v.lowerBound ? Json(*v.lowerBound) : Json(nullptr)},
                       {"recomputed", v.recomputed ? Json{{"stress125", v.recomputed->stress125Text},
                                                          {"k30Value", v.recomputed->k30Text}}
                                                   : Json(nullptr)},
                       {"agrees", v.agrees ? Json(*v.agrees) : Json(nullptr)}});
    }
    out["k30Points"] = std::move(k30);
    out["k30Stats"] = {{"count", a.k30Stats.count}, {"mean", Number(a.k30Stats.mean)},
                       {"std", Number(a.k30Stats.std)}, {"cv", Number(a.k30Stats.cv)},
                       {"min", Number(a.k30Stats.min)},    {"max", Number(a.k30Stats.max)},
                       {"passed", a.k30Counts.passed},     {"failed", a.k30Counts.failed},
                       {"none", a.k30Counts.none},         {"passRate", Number(JudgedPassRate(a.k30Counts))}};
    Json ev2 = Json::array();
    for (std::size_t k = 0; k < a.ev2.size(); ++k) {
        const Ev2Result& r = a.ev2[k].result;
        ev2.push_back({{"name", store.ev2List[k].name},
                       {"ev1", r.ev1Text},
                       {"ev2", r.ev2Text},
                       {"ratio", r.ratioText},
                       {"verdict", VerdictKey(a.ev2[k].verdict)}});
    }
    out["ev2Points"] = std::move(ev2);
    out["ev2Stats"] = {{"count", a.ev2Stats.count},         {"mean", Number(a.ev2Stats.mean)},
                       {"std", Number(a.ev2Stats.std)},      {"min", Number(a.ev2Stats.min)},
                       {"max", Number(a.ev2Stats.max)},      {"ratioMean", Number(a.ratioStats.mean)},
                       {"ratioMax", Number(a.ratioStats.max)}, {"passed", a.ev2Counts.passed},
                       {"failed", a.ev2Counts.failed},       {"none", a.ev2Counts.none},
                       {"passRate", Number(JudgedPassRate(a.ev2Counts))}};
    return out;
}

// Columns of a terminal: Chinese characters and full-width forms take two.
std::size_t DisplayWidth(std::string_view s)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::uint32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (std::size_t k = 1; k < len && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        width += cp >= 0x3000 && cp != 0xFFFD ? 2 : 1;
        i += len;
    }
    return width;
}

// Rows of cells printed in columns two blanks apart; the first column is
// left-aligned, the others right-aligned.
void PrintColumns(const std::vector<std::vector<std::string>>& rows, std::ostream& out)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(row[c]), ' ');
            if (c > 0)
                line += "  ";
            line += c == 0 ? row[c] + pad : pad + row[c];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << "\n";
    }
}

std::string Fixed(const std::optional<double>& v, int decimals) { return StatFixed(v, decimals); }

// Shortest plain text of a typed requirement (190, 152.5).
std::string Plain(double v)
{
    std::string t = FormatFixed(v, 6);
    while (t.back() == '0')
        t.pop_back();
    if (t.back() == '.')
        t.pop_back();
    return t;
}

std::string_view VerdictCell(Verdict v, Language lang)
{
    return v == Verdict::None ? std::string_view("-") : VerdictText(v, lang);
}

void PrintStats(const SampleStats& s, int decimals, Language lang, std::ostream& out)
{
    out << "  " << kCount.in(lang) << " " << s.count << ", " << kMean.in(lang) << " " << Fixed(s.mean, decimals)
        << ", " << kStd.in(lang) << " " << Fixed(s.std, decimals) << ", " << kCv.in(lang) << " "
        << StatPercent(s.cv) << ", " << kMin.in(lang) << " "
        << Fixed(s.min, decimals) << ", " << kMax.in(lang) << " " << Fixed(s.max, decimals) << "\n";
}

void PrintCounts(const VerdictCounts& c, Language lang, std::ostream& out)
{
    out << "  " << kPassed.in(lang) << " " << c.passed << ", " << kFailed.in(lang) << " " << c.failed << ", "
        << kNotAssessable.in(lang) << " " << c.none << ", " << kPassRate.in(lang) << " "
        << StatPercent(JudgedPassRate(c)) << "\n";
}

void PrintTable(const TestDataStore& store, const StoreAssessment& a, Language lang, std::ostream& out)
{
    std::vector<std::string> required;
    if (a.required.k30)
        required.push_back("K30 ≥ " + Plain(*a.required.k30) + " MPa/m");
    if (a.required.ev2Min)
        required.push_back("Ev2 ≥ " + Plain(*a.required.ev2Min) + " MPa");
    if (a.required.ratioMax)
        required.push_back("Ev2/Ev1 ≤ " + Plain(*a.required.ratioMax));
    out << kRequirements.in(lang) << ": ";
    if (required.empty())
        out << kNoRequirement.in(lang);
    for (std::size_t k = 0; k < required.size(); ++k)
        out << (k ? ", " : "") << required[k];
    out << "\n\n" << kK30Points.in(lang) << " " << a.k30.size() << "\n";

    bool anyDisagrees = false;
    if (!a.k30.empty()) {
        std::vector<std::vector<std::string>> rows{{std::string(kName.in(lang)), std::string(kStress125.in(lang)),
                                                    std::string(kK30.in(lang)),
                                                    std::string(kRecomputedStress.in(lang)),
                                                    std::string(kRecomputedK30.in(lang)),
                                                    std::string(kVerdict.in(lang))}};
        for (std::size_t k = 0; k < a.k30.size(); ++k) {
            const K30& p = store.k30List[k];
            const K30Assessment& v = a.k30[k];
            std::string value = v.lowerBound ? "≥ " + std::to_string(*v.lowerBound) : p.k30Value;
            std::string stress = v.recomputed ? v.recomputed->stress125Text : "-";
            std::string k30 = v.recomputed ? v.recomputed->k30Text : "-";
            if (v.agrees == false) {
                k30 += " *";
                anyDisagrees = true;
            }
            rows.push_back({p.name, p.stress125.empty() ? "-" : p.stress125, value.empty() ? "-" : value, stress, k30,
                            std::string(VerdictCell(v.verdict, lang))});
        }
        PrintColumns(rows, out);
        if (anyDisagrees)
            out << kDisagrees.in(lang) << "\n";
    } else {
        out << kNoPoints.in(lang) << "\n";
    }
    out << kStatistics.in(lang) << " (K30, MPa/m):\n";
    PrintStats(a.k30Stats, 1, lang, out);
    PrintCounts(a.k30Counts, lang, out);

    out << "\n" << kEv2Points.in(lang) << " " << a.ev2.size() << "\n";
    if (!a.ev2.empty()) {
        std::vector<std::vector<std::string>> rows{
            {std::string(kName.in(lang)), "Ev1 (MPa)", "Ev2 (MPa)", "Ev2/Ev1", std::string(kVerdict.in(lang))}};
        const auto orDash = [](const std::string& t) { return t.empty() ? std::string("-") : t; };
        for (std::size_t k = 0; k < a.ev2.size(); ++k) {
            const Ev2Result& r = a.ev2[k].result;
            rows.push_back({store.ev2List[k].name, orDash(r.ev1Text), orDash(r.ev2Text), orDash(r.ratioText),
                            std::string(VerdictCell(a.ev2[k].verdict, lang))});
        }
        PrintColumns(rows, out);
    } else {
        out << kNoPoints.in(lang) << "\n";
    }
    out << kStatistics.in(lang) << " (Ev2, MPa):\n";
    PrintStats(a.ev2Stats, 1, lang, out);
    out << "  " << kRatioMean.in(lang) << " " << Fixed(a.ratioStats.mean, 2) << ", " << kRatioMax.in(lang) << " "
        << Fixed(a.ratioStats.max, 2) << "\n";
    PrintCounts(a.ev2Counts, lang, out);
}

// A typed requirement option: empty means not given.
bool ReadOption(const std::string& text, const char* option, std::optional<double>& value, Language lang)
{
    if (text.empty())
        return true;
    value = ParseRequirement(text);
    if (!value) {
        std::cerr << "k30 assess: " << option << " \"" << text << "\" " << kBadNumber.in(lang) << "\n";
        return false;
    }
    return true;
}

int RunAssess(const AssessOptions& o, Language lang)
{
    Requirements required;
    if (!ReadOption(o.required, "--required", required.k30, lang) ||
        !ReadOption(o.ev2Min, "--ev2-min", required.ev2Min, lang) ||
        !ReadOption(o.ratioMax, "--ratio-max", required.ratioMax, lang))
        return 2;
    LoadedFile f;
    if (const int code = LoadDataFileExitCode(o.file, f))
        return code;
    if (!o.header.empty())
        if (const HeaderFileStatus status = ReadHeaderFile(o.header, f.header); status != HeaderFileStatus::Ok)
            return HeaderFileExitCode(status);
    if (o.required.empty())
        TakeHeaderRequirement(f.header, required, lang);

    const StoreAssessment a = AssessStore(f.store, required);
    if (o.json)
        std::cout << ToJson(f.store, a).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    else
        PrintTable(f.store, a, lang, std::cout);
    return a.k30Counts.failed + a.ev2Counts.failed > 0 ? kExitFailingPoint : 0;
}

void AddAssessCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    auto opts = std::make_shared<AssessOptions>();
    CLI::App* sub = app.add_subcommand(
        "assess",
        "Judge every point of a raw or project file against the required values, check the instrument's\n"
        "stress at 1.25 mm and K30 against the readings, and give the statistics.\n"
        "The required K30 is --required, else the RequiredCoefficient of --header or of the project file.\n"
        "Exit 0 when no point fails, 3 when one fails, 1 for an unreadable file, 2 for bad arguments.");
    sub->add_option("FILE", opts->file, "Raw (.ORG) or project (.K30) file")->required();
    sub->add_option("--required", opts->required, "Least K30 in MPa/m (a decimal comma is accepted)");
    sub->add_option("--ev2-min", opts->ev2Min, "Least Ev2 in MPa");
    sub->add_option("--ratio-max", opts->ratioMax, "Largest Ev2/Ev1");
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members; replaces a project file's own header");
    sub->add_flag("--json", opts->json,
                  "Print one JSON object (required, k30Points, k30Stats, ev2Points, ev2Stats)");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] { return RunAssess(*opts, global.Resolve()); };
    });
}

const bool registered = RegisterCommand(32, AddAssessCommand);

}  // namespace

}  // namespace k30::cli
