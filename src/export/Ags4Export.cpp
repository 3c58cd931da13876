#include "Ags4Export.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <numbers>
#include <set>
#include <vector>

#include "Ev2Evaluation.h"
#include "ExportTables.h"
#include "ExportTexts.h"
#include "Format.h"
#include "HeaderLabels.h"
#include "TestDataStore.h"

namespace k30 {

namespace {

constexpr double kPlateDiameterMm = 300.0;
// The dictionary edition whose headings the file uses.
constexpr const char* kAgsVersion = "4.1.1";

struct Heading {
    const char* name;
    const char* unit;
    const char* type;
};

struct Group {
    std::string name;
    std::vector<Heading> headings;
    std::vector<std::vector<std::string>> rows;

    std::vector<std::string>& NewRow()
    {
        rows.emplace_back(headings.size());
        return rows.back();
    }
    std::string& At(std::vector<std::string>& row, std::string_view heading) const
    {
        for (std::size_t i = 0; i < headings.size(); ++i)
            if (heading == headings[i].name)
                return row[i];
        return row.front();  // unreachable with the headings below
    }
};

const std::map<std::string, std::string>& TypeDescriptions()
{
    static const std::map<std::string, std::string> d{
        {"ID", "Unique identifier"},
        {"X", "Text"},
        {"DT", "Date time in international format"},
        {"0DP", "Value; required number of decimal places, 0"},
        {"1DP", "Value; required number of decimal places, 1"},
        {"2DP", "Value; required number of decimal places, 2"},
        {"3DP", "Value; required number of decimal places, 3"},
    };
    return d;
}

const std::map<std::string, std::string>& UnitDescriptions()
{
    static const std::map<std::string, std::string> d{
        {"m", "metre"},
        {"mm", "millimetre"},
        {"kN", "kilonewton"},
        {"min", "minute"},
        {"MPa", "megapascal"},
        {"MPa/m", "megapascal per metre"},
        {"mm/MPa", "millimetre per megapascal"},
        {"mm/MPa2", "millimetre per megapascal squared"},
        {"yyyy-mm-dd", "year month day"},
    };
    return d;
}

// AGS fields hold no line breaks.
std::string OneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out;
}

void AppendLine(std::string& out, std::string_view kind, const std::vector<std::string>& fields)
{
    out += '"';
    out += kind;
    out += '"';
    for (const std::string& f : fields) {
        out += ",\"";
        for (char c : f) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

void AppendGroup(std::string& out, const Group& g)
{
    if (!out.empty())
        out += "\r\n";
    out += "\"GROUP\",\"" + g.name + "\"\r\n";
    std::vector<std::string> names, units, types;
    for (const Heading& h : g.headings) {
        names.emplace_back(h.name);
        units.emplace_back(h.unit);
        types.emplace_back(h.type);
    }
    AppendLine(out, "HEADING", names);
    AppendLine(out, "UNIT", units);
    AppendLine(out, "TYPE", types);
    for (const auto& row : g.rows)
        AppendLine(out, "DATA", row);
}

// The local date: a file made in the morning in China carries that day, not
// the UTC one before it.
std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

// "2009-5-12-08:05" as "2009-05-12"; empty when the text holds no date.
std::string IsoDate(std::string_view timeText)
{
    const std::string date = SplitDateTime(timeText).date;
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(date.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3 || y < 1000 || y > 9999 || m < 1 ||
        m > 12 || d < 1 || d > 31)
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string Fixed(const std::optional<double>& v, int decimals)
{
    if (!v)
        return {};
    return ExportCell::Number(*v, decimals).text;
}

std::string Str(std::string_view s) { return std::string(s); }

// Names as they are where they are unique; a repeated name gets "_2", "_3", ...
class UniqueIds {
public:
    std::string Take(const std::string& name, std::size_t position)
    {
        std::string base = OneLine(name);
        if (base.empty())
            base = std::to_string(position);
        std::string id = base;
        for (int n = 2; used_.count(id) != 0; ++n)
            id = base + "_" + std::to_string(n);
        used_.insert(id);
        return id;
    }

private:
    std::set<std::string> used_;
};

// The last stage worth a row: trailing stages with neither stress nor
// settlement were never read. The zero reading always counts.
template <std::size_t N>
int StageCount(const std::array<ReadingPair, N>& reading, int pairs)
{
    int count = 1;
    for (int j = 1; j < pairs; ++j) {
        const ReadingPair& r = reading[static_cast<std::size_t>(j)];
        if (r.stress != 0.0f || r.settlement != 0.0f)
            count = j + 1;
    }
    return count;
}

void Join(std::string& text, const std::string& part)
{
    if (part.empty())
        return;
    if (!text.empty())
        text += "; ";
    text += part;
}

// 190 as "190", 0.25 as "0.25".
std::string ShortNumber(double v)
{
    std::string text = FormatFixed(v, 3);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.'))
        text.pop_back();
    return text;
}

std::string Requirement(Verdict verdict, const std::optional<double>& required, std::string_view unit)
{
    if (verdict == Verdict::None)
        return {};
    std::string text = Str(VerdictText(verdict, Language::English));
    if (required)
        text += " (" + Str(exporttexts::kAgsRequired) + " " + ShortNumber(*required) + Str(unit) + ")";
    return text;
}


std::string OrNotStated(const std::string& text)
{
    return text.empty() ? std::string(exporttexts::kAgsNotStated) : OneLine(text);
}

bool IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string K30TestType(const K30& p) { return p.testType.empty() ? "K30" : OneLine(p.testType); }

// What every group of one export shares: the points written, their unique
// LOCA_IDs and the assessment.
struct Points {
    const TestDataStore& store;
    StoreAssessment assessment;
    std::size_t nK30 = 0;
    std::size_t nEv2 = 0;
    std::vector<std::string> k30Ids;
    std::vector<std::string> ev2Ids;

    Points(const TestDataStore& s, const Requirements& required) : store(s), assessment(AssessStore(s, required))
    {
        nK30 = std::min(store.ValidCount(), assessment.k30.size());
        nEv2 = std::min(store.ev2List.size(), assessment.ev2.size());
        UniqueIds ids;
        std::size_t position = 0;
        for (std::size_t k = 0; k < nK30; ++k)
            k30Ids.push_back(ids.Take(store.k30List[k].name, ++position));
        for (std::size_t k = 0; k < nEv2; ++k)
            ev2Ids.push_back(ids.Take(store.ev2List[k].name, ++position));
    }
};

constexpr const char* kDepth = "0.00";  // the plate sits on the layer tested
constexpr const char* kTestRef = "1";

Group ProjGroup(const ReportHeader& header)
{
    Group proj{"PROJ",
               {{"PROJ_ID", "", "ID"},
                {"PROJ_NAME", "", "X"},
                {"PROJ_LOC", "", "X"},
                {"PROJ_CLNT", "", "X"},
                {"PROJ_MEMO", "", "X"}},
               {}};
    auto& row = proj.NewRow();
    proj.At(row, "PROJ_ID") = OneLine(header.ReportNumber.empty() ? "1" : header.ReportNumber);
    proj.At(row, "PROJ_NAME") = OneLine(header.ProjectName);
    proj.At(row, "PROJ_LOC") = OneLine(header.SubgradeMileage);
    proj.At(row, "PROJ_CLNT") = OneLine(header.Client);
    // The header texts AGS has no heading for, with their labels.
    std::string memo;
    for (const HeaderLabel& field : kHeaderLabels) {
        const std::string& text = header.*field.member;
        if (text.empty() || field.member == &ReportHeader::ReportNumber ||
            field.member == &ReportHeader::ProjectName || field.member == &ReportHeader::SubgradeMileage ||
            field.member == &ReportHeader::Client)
            continue;
        Join(memo, Str(field.label->in(Language::English)) + ": " + OneLine(text));
    }
    proj.At(row, "PROJ_MEMO") = memo;
    return proj;
}

// TRAN_PROD and TRAN_RECV are REQUIRED: the tester and the client, or a
// placeholder that says they were not given.
Group TranGroup(const ReportHeader& header, const std::string& issueDate)
{
    Group tran{"TRAN",
               {{"TRAN_ISNO", "", "X"},
                {"TRAN_DATE", "yyyy-mm-dd", "DT"},
                {"TRAN_PROD", "", "X"},
                {"TRAN_STAT", "", "X"},
                {"TRAN_DESC", "", "X"},
                {"TRAN_AGS", "", "X"},
                {"TRAN_RECV", "", "X"},
                {"TRAN_DLIM", "", "X"},
                {"TRAN_RCON", "", "X"}},
               {}};
    auto& row = tran.NewRow();
    tran.At(row, "TRAN_ISNO") = "1";
    tran.At(row, "TRAN_DATE") = issueDate.empty() ? Today() : issueDate;
    tran.At(row, "TRAN_PROD") = OrNotStated(header.Tester);
    tran.At(row, "TRAN_STAT") = "Final";
    tran.At(row, "TRAN_DESC") = exporttexts::kAgsDescription;
    tran.At(row, "TRAN_AGS") = kAgsVersion;
    tran.At(row, "TRAN_RECV") = OrNotStated(header.Client);
    tran.At(row, "TRAN_DLIM") = "|";
    tran.At(row, "TRAN_RCON") = "+";
    return tran;
}

Group LocaGroup(const Points& points, const ReportHeader& header)
{
    Group loca{"LOCA",
               {{"LOCA_ID", "", "ID"}, {"LOCA_GL", "m", "2DP"}, {"LOCA_REM", "", "X"}, {"LOCA_STAR", "yyyy-mm-dd", "DT"}},
               {}};
    const std::string level = Fixed(ParseRequirement(header.Elevation), 2);
    auto add = [&](const std::string& id, const std::string& startTime, const std::string& kind) {
        auto& row = loca.NewRow();
        loca.At(row, "LOCA_ID") = id;
        loca.At(row, "LOCA_GL") = level;
        loca.At(row, "LOCA_REM") = kind;
        loca.At(row, "LOCA_STAR") = IsoDate(startTime);
    };
    for (std::size_t k = 0; k < points.nK30; ++k)
        add(points.k30Ids[k], points.store.k30List[k].startTime, K30TestType(points.store.k30List[k]));
    for (std::size_t k = 0; k < points.nEv2; ++k)
        add(points.ev2Ids[k], points.store.ev2List[k].startTime, "Ev2");
    return loca;
}

Group PltgGroup(const Points& points)
{
    using namespace exporttexts;
    Group pltg{"PLTG",
               {{"LOCA_ID", "", "ID"},
                {"PLTG_DPTH", "m", "2DP"},
                {"PLTG_TESN", "", "X"},
                {"PLTG_CYC", "", "X"},
                {"PLTG_PDIA", "mm", "0DP"},
                // Three decimals, one more than usual, keep the fit usable.
                {"PLTG_FA0", "mm", "3DP"},
                {"PLTG_FA1", "mm/MPa", "3DP"},
                {"PLTG_FA2", "mm/MPa2", "3DP"},
                {"PLTG_SMOD", "MPa", "1DP"},
                {"PLTG_EV2", "MPa", "1DP"},
                {"PLTG_MOSR", "MPa/m", "1DP"},
                {"PLTG_DATE", "yyyy-mm-dd", "DT"},
                {"PLTG_REM", "", "X"},
                {"PLTG_METH", "", "X"}},
               {}};
    const std::string diameter = FormatFixed(kPlateDiameterMm, 0);
    // The test type heads the remark, as PLTG has no heading of its own for it.
    auto addTest = [&](const std::string& id, int cycle, const std::string& startTime,
                       const std::string& type) -> std::vector<std::string>& {
        auto& row = pltg.NewRow();
        pltg.At(row, "LOCA_ID") = id;
        pltg.At(row, "PLTG_DPTH") = kDepth;
        pltg.At(row, "PLTG_TESN") = kTestRef;
        pltg.At(row, "PLTG_CYC") = std::to_string(cycle);
        pltg.At(row, "PLTG_DATE") = IsoDate(startTime);
        pltg.At(row, "PLTG_PDIA") = diameter;
        pltg.At(row, "PLTG_REM") = Str(kAgsTestType) + type;
        return row;
    };
    auto addFit = [&](std::vector<std::string>& row, const std::optional<QuadraticFit>& fit) {
        if (!fit)
            return;
        pltg.At(row, "PLTG_FA0") = ExportCell::Number(fit->a0, 3).text;
        pltg.At(row, "PLTG_FA1") = ExportCell::Number(fit->a1, 3).text;
        pltg.At(row, "PLTG_FA2") = ExportCell::Number(fit->a2, 3).text;
    };

    const StoreAssessment& assessment = points.assessment;
    for (std::size_t k = 0; k < points.nK30; ++k) {
        const K30& p = points.store.k30List[k];
        const K30Assessment& a = assessment.k30[k];
        auto& row = addTest(points.k30Ids[k], 1, p.startTime, K30TestType(p));
        const ExportCell k30 = ExportCell::FromText(p.k30Value, 1);
        if (k30.kind == ExportCell::Kind::Number && k30.number > 0.0)
            pltg.At(row, "PLTG_MOSR") = k30.text;
        pltg.At(row, "PLTG_METH") = kAgsK30Method;
        std::string& remark = pltg.At(row, "PLTG_REM");
        const ExportCell stress = ExportCell::FromText(p.stress125, 3);
        if (stress.kind == ExportCell::Kind::Number && stress.number > 0.0)
            Join(remark, Str(kAgsStress125) + stress.text + " MPa");
        if (a.lowerBound)
            Join(remark, Str(kAgsLowerBound) + std::to_string(*a.lowerBound) + " MPa/m");
        Join(remark, Requirement(a.verdict, assessment.required.k30, " MPa/m"));
    }
    for (std::size_t k = 0; k < points.nEv2; ++k) {
        const Ev2Point& p = points.store.ev2List[k];
        const Ev2Result& r = assessment.ev2[k].result;
        auto& first = addTest(points.ev2Ids[k], 1, p.startTime, "Ev2");
        addFit(first, r.fit1);
        pltg.At(first, "PLTG_SMOD") = Fixed(r.ev1, 1);
        pltg.At(first, "PLTG_METH") = kAgsEv2Method;
        if (!r.sigma0maxText.empty())
            Join(pltg.At(first, "PLTG_REM"), Str(kAgsSigma0max) + r.sigma0maxText + " MPa");
        auto& second = addTest(points.ev2Ids[k], 2, p.startTime, "Ev2");
        addFit(second, r.fit2);
        pltg.At(second, "PLTG_SMOD") = Fixed(r.ev2, 1);
        pltg.At(second, "PLTG_EV2") = Fixed(r.ev2, 1);
        pltg.At(second, "PLTG_METH") = kAgsEv2Method;
        std::string& remark = pltg.At(second, "PLTG_REM");
        if (!r.ratioText.empty())
            Join(remark, "Ev2/Ev1 = " + r.ratioText);
        Join(remark, Requirement(assessment.ev2[k].verdict, std::nullopt, ""));
    }
    return pltg;
}

// PLTT_TIME is a KEY heading, so it stands in the group, but stays empty: the
// instrument keeps no time per stage, and the stage number alone tells the
// rows apart. Two decimals of load, one more than usual: a reading step of
// 0.001 MPa is 0.07 kN on the plate.
Group PlttGroup(const Points& points)
{
    Group pltt{"PLTT",
               {{"LOCA_ID", "", "ID"},
                {"PLTG_DPTH", "m", "2DP"},
                {"PLTG_TESN", "", "X"},
                {"PLTG_CYC", "", "X"},
                {"PLTT_STG", "", "X"},
                {"PLTT_TIME", "min", "1DP"},
                {"PLTT_LOAD", "kN", "2DP"},
                {"PLTT_SET1", "mm", "2DP"}},
               {}};
    const double force = PlateForcePerMpa();
    auto addStage = [&](const std::string& id, int cycle, int stage, const ReadingPair& r) {
        auto& row = pltt.NewRow();
        pltt.At(row, "LOCA_ID") = id;
        pltt.At(row, "PLTG_DPTH") = kDepth;
        pltt.At(row, "PLTG_TESN") = kTestRef;
        pltt.At(row, "PLTG_CYC") = std::to_string(cycle);
        pltt.At(row, "PLTT_STG") = std::to_string(stage);
        pltt.At(row, "PLTT_LOAD") = ExportCell::Number(r.stress / 1000.0 * force, 2).text;
        pltt.At(row, "PLTT_SET1") = ExportCell::Number(r.settlement / 100.0, 2).text;
    };
    for (std::size_t k = 0; k < points.nK30; ++k) {
        const K30& p = points.store.k30List[k];
        const int stages = StageCount(p.reading, kUsedPairs);
        for (int j = 0; j < stages; ++j)
            addStage(points.k30Ids[k], 1, j + 1, p.reading[static_cast<std::size_t>(j)]);
    }
    for (std::size_t k = 0; k < points.nEv2; ++k) {
        const Ev2Point& p = points.store.ev2List[k];
        // The first loading and the unloading belong to cycle 1; the
        // reloading starts at the end of the unloading.
        const int stages = StageCount(p.reading, kEv2Pairs);
        for (int j = 0; j < stages; ++j)
            addStage(points.ev2Ids[k], j < kEv2SecondLoadingBegin ? 1 : 2, j + 1,
                     p.reading[static_cast<std::size_t>(j)]);
    }
    return pltt;
}

// TYPE and UNIT list what the groups use, themselves included.
std::pair<Group, Group> TypeAndUnitGroups(const std::vector<const Group*>& groups)
{
    Group type{"TYPE", {{"TYPE_TYPE", "", "X"}, {"TYPE_DESC", "", "X"}}, {}};
    Group unit{"UNIT", {{"UNIT_UNIT", "", "X"}, {"UNIT_DESC", "", "X"}}, {}};
    std::set<std::string> types, units;
    std::vector<const Group*> all = groups;
    all.push_back(&type);
    all.push_back(&unit);
    for (const Group* g : all) {
        for (const Heading& h : g->headings) {
            types.insert(h.type);
            if (*h.unit)
                units.insert(h.unit);
        }
    }
    for (const std::string& t : types)
        type.rows.push_back({t, TypeDescriptions().at(t)});
    for (const std::string& u : units)
        unit.rows.push_back({u, UnitDescriptions().at(u)});
    return {type, unit};
}

}  // namespace

double PlateForcePerMpa()
{
    const double radiusM = kPlateDiameterMm / 2000.0;
    return std::numbers::pi * radiusM * radiusM * 1000.0;
}

std::vector<ForeignText> NonAsciiTexts(const TestDataStore& store, const ReportHeader& header, Language lang)
{
    std::vector<ForeignText> out;
    for (const HeaderLabel& field : kHeaderLabels)
        if (!IsAscii(header.*field.member))
            out.push_back({Str(field.label->in(lang)), header.*field.member});
    const std::size_t nK30 = std::min(store.ValidCount(), store.k30List.size());
    for (std::size_t k = 0; k < nK30; ++k) {
        const K30& p = store.k30List[k];
        const std::string position = " " + std::to_string(k + 1);
        if (!IsAscii(p.name))
            out.push_back({Str(exporttexts::kAgsK30PointName.in(lang)) + position, p.name});
        if (!IsAscii(p.testType))
            out.push_back({Str(exporttexts::kAgsK30PointType.in(lang)) + position, p.testType});
    }
    for (std::size_t k = 0; k < store.ev2List.size(); ++k)
        if (!IsAscii(store.ev2List[k].name))
            out.push_back({Str(exporttexts::kAgsEv2PointName.in(lang)) + " " + std::to_string(k + 1),
                           store.ev2List[k].name});
    return out;
}

std::string NonAsciiMessage(const std::vector<ForeignText>& texts, Language lang)
{
    std::string message = Str(exporttexts::kAgsNonAscii.in(lang));
    for (const ForeignText& t : texts)
        message += "\n  " + t.field + ": \"" + OneLine(t.text) + "\"";
    return message;
}

std::string WriteAgs4(const TestDataStore& store, const ReportHeader& header, const Requirements& required,
                      const std::string& issueDate)
{
    const Points points(store, required);
    const Group proj = ProjGroup(header);
    const Group tran = TranGroup(header, issueDate);
    const Group loca = LocaGroup(points, header);
    const Group pltg = PltgGroup(points);
    const Group pltt = PlttGroup(points);
    const auto [type, unit] = TypeAndUnitGroups({&proj, &tran, &loca, &pltg, &pltt});

    std::string out;
    for (const Group* g : {&proj, &tran, &type, &unit, &loca, &pltg, &pltt})
        AppendGroup(out, *g);
    return out;
}

}  // namespace k30
