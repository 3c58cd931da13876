// k30 site: the site database from the command line.
#include <iostream>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>

#include <nlohmann/json.hpp>

#include "Chainage.h"
#include "Commands.h"
#include "Export.h"
#include "ExportTexts.h"
#include "DataFile.h"
#include "Format.h"
#include "JsonOutput.h"
#include "LotReportData.h"
#include "ReportFonts.h"
#include "SiteDatabase.h"
#include "StatFormat.h"
#include "TestDataStore.h"

namespace k30::cli {

namespace {

using site::SiteDatabase;
using site::SiteFilter;
using site::SitePoint;
using Json = nlohmann::json;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

struct FilterOptions {
    std::string from, to, kind, layer, lot, chainage, verdict, text, required, ev2Min, ratioMax;
    bool layerSet = false;
    bool lotSet = false;
};

void AddFilterOptions(CLI::App* sub, FilterOptions& f)
{
    sub->add_option("--from", f.from, "First test date (YYYY-MM-DD)");
    sub->add_option("--to", f.to, "Last test date (YYYY-MM-DD)");
    sub->add_option("--kind", f.kind, "k30 or ev2")->check(CLI::IsMember({"k30", "ev2"}));
    sub->add_option("--layer", f.layer, "Layer (exact)");
    sub->add_option("--lot", f.lot, "Lot (exact)");
    sub->add_option("--chainage", f.chainage, "Chainage range FROM..TO (DK125+300..DK125+900; either side may be empty)");
    sub->add_option("--verdict", f.verdict, "pass, fail or none")->check(CLI::IsMember({"pass", "fail", "none"}));
    sub->add_option("--text", f.text,
                    "Free text found in name, chainage, offset, layer, lot, remark or transfer (any letter case)");
    sub->add_option("--required", f.required, "Required K30 (MPa/m)");
    sub->add_option("--ev2-min", f.ev2Min, "Least Ev2 (MPa)");
    sub->add_option("--ratio-max", f.ratioMax, "Largest Ev2/Ev1");
}

bool Limit(const char* option, const std::string& text, std::optional<double>& value)
{
    if (text.empty())
        return true;
    value = ParseRequirement(text);
    if (!value)
        std::cerr << "k30: " << option << ": \"" << text << "\" is not a number\n";
    return value.has_value();
}

bool Date(const char* option, const std::string& text, std::optional<QDate>& value)
{
    if (text.empty())
        return true;
    const QDate d = QDate::fromString(Q(text), Qt::ISODate);
    if (!d.isValid()) {
        std::cerr << "k30: " << option << ": \"" << text << "\" is not a date (YYYY-MM-DD)\n";
        return false;
    }
    value = d;
    return true;
}

bool ChainageSide(const std::string& text, std::optional<double>& value)
{
    const ChainageParse c = ParseChainage(text);
    if (!c.ok) {
        std::cerr << "k30: --chainage: " << c.error << "\n";
        return false;
    }
    value = c.metres;
    return true;
}

// The filter of the options; false (exit code 2) after a message for a bad one.
bool MakeFilter(const FilterOptions& o, SiteFilter& f)
{
    if (!Date("--from", o.from, f.from) || !Date("--to", o.to, f.to))
        return false;
    if (!o.kind.empty())
        f.kind = o.kind == "ev2" ? site::PointKind::Ev2 : site::PointKind::K30;
    if (o.layerSet)
        f.layer = Q(o.layer);
    if (o.lotSet)
        f.lot = Q(o.lot);
    if (!o.chainage.empty()) {
        const auto dots = o.chainage.find("..");
        if (dots == std::string::npos) {
            std::cerr << "k30: --chainage: \"" << o.chainage << "\" is no range FROM..TO\n";
            return false;
        }
        if (!ChainageSide(o.chainage.substr(0, dots), f.chainageFrom) ||
            !ChainageSide(o.chainage.substr(dots + 2), f.chainageTo))
            return false;
    }
    if (!o.verdict.empty())
        f.verdict = o.verdict == "pass" ? Verdict::Pass : o.verdict == "fail" ? Verdict::Fail : Verdict::None;
    f.text = Q(o.text).trimmed();
    return Limit("--required", o.required, f.required.k30) && Limit("--ev2-min", o.ev2Min, f.required.ev2Min) &&
           Limit("--ratio-max", o.ratioMax, f.required.ratioMax);
}

// Qt SQL loads its drivers through the application object.
struct QtCore {
    int argc = 1;
    char name[4] = "k30";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    QtCore()
    {
        if (!QCoreApplication::instance())
            app = std::make_unique<QCoreApplication>(argc, argv);
    }
};

// Opens the database; the exit code for a failure: 2 a bad address, 1 any other.
int OpenDatabase(const std::string& option, SiteDatabase& db)
{
    if (db.Open(site::ChooseSiteAddress(Q(option))))
        return 0;
    std::cerr << "k30: " << S(db.LastError()) << "\n";
    return db.LastOpenError() == site::OpenError::BadAddress ? 2 : 1;
}

// Every point of the filter, in blocks.
template <typename F>
bool ForEachPoint(SiteDatabase& db, const SiteFilter& filter, F&& f)
{
    constexpr qint64 kBlock = 5000;
    for (qint64 offset = 0;; offset += kBlock) {
        const std::vector<SitePoint> block = db.Points(filter, {}, offset, kBlock);
        for (const SitePoint& p : block)
            f(p);
        if (static_cast<qint64>(block.size()) < kBlock)
            return true;
    }
}

Json PointJson(const SitePoint& p)
{
    Json j{{"id", p.id},
           {"transfer", S(p.transfer)},
           {"kind", p.kind == site::PointKind::K30 ? "k30" : "ev2"},
           {"name", S(p.name)},
           {"startTime", S(p.startTime)},
           {"endTime", S(p.endTime)},
           {"chainage", S(p.chainage)},
           {"chainageM", p.chainageM ? Json(*p.chainageM) : Json(nullptr)},
           {"offset", S(p.offset)},
           {"layer", S(p.layer)},
           {"lot", S(p.lot)},
           {"remark", S(p.remark)},
           {"verdict", std::string(VerdictKey(p.verdict))}};
    if (p.kind == site::PointKind::K30) {
        j["stress125"] = S(p.stress125);
        j["k30Value"] = S(p.k30Value);
    } else {
        j["sigma0max"] = S(p.sigma0max);
        j["ev1"] = S(p.ev1);
        j["ev2"] = S(p.ev2);
        j["ratio"] = S(p.ratio);
    }
    return j;
}

Json Number(const std::optional<double>& v) { return v ? Json(*v) : Json(nullptr); }

Json StatsJson(const SampleStats& s)
{
    return {{"count", s.count},        {"mean", Number(s.mean)}, {"std", Number(s.std)},
            {"cv", Number(s.cv)},      {"min", Number(s.min)},   {"max", Number(s.max)}};
}

Json CountsJson(const VerdictCounts& c)
{
    return {{"passed", c.passed}, {"failed", c.failed}, {"none", c.none}, {"passRate", Number(c.PassRate())}};
}

void PrintStats(const char* what, const SampleStats& s, int decimals, Language lang)
{
    using namespace exporttexts;
    std::cout << what << ": " << kCount.in(lang) << " " << s.count << ", " << kMean.in(lang) << " "
              << StatFixed(s.mean, decimals) << ", " << kStd.in(lang) << " " << StatFixed(s.std, decimals) << ", "
              << kCv.in(lang) << " " << StatPercent(s.cv) << ", " << kMin.in(lang) << " " << StatFixed(s.min, decimals)
              << ", " << kMax.in(lang) << " " << StatFixed(s.max, decimals) << "\n";
}

void PrintCounts(const char* what, const VerdictCounts& c, Language lang)
{
    using namespace exporttexts;
    std::cout << what << ": " << kPassed.in(lang) << " " << c.passed << ", " << kFailed.in(lang) << " " << c.failed
              << ", " << kNotAssessable.in(lang) << " " << c.none << ", " << kPassRate.in(lang) << " "
              << StatPercent(JudgedPassRate(c)) << "\n";
}

std::string Printed(const site::ImportCounts& c)
{
    return std::to_string(c.transfersAdded) + " transfers and " + std::to_string(c.pointsAdded) +
           " points added, " + std::to_string(c.transfersPresent) + " transfers already there";
}

struct SiteOptions {
    std::string db;
    std::vector<std::string> files;
    FilterOptions filter;
    bool json = false;
    std::vector<long long> ids;
    std::optional<std::string> chainage, offset, layer, lot, remark;
    std::string out;
    std::string header;
    bool setAside = false;
};

int RunImport(const SiteOptions& o)
{
    QtCore qt;
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    QStringList paths;
    for (const std::string& f : o.files)
        paths << Q(f);
    QStringList errors;
    const site::ImportResult r = db.ImportFiles(paths, {}, &errors);
    for (const QString& e : errors)
        std::cerr << "k30: " << S(e) << "\n";
    std::cout << Printed(r.counts) << "\n";
    return errors.isEmpty() ? 0 : 1;
}

int RunList(const SiteOptions& o, Language lang)
{
    SiteFilter filter;
    if (!MakeFilter(o.filter, filter))
        return 2;
    QtCore qt;
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    if (o.json) {
        Json points = Json::array();
        ForEachPoint(db, filter, [&](const SitePoint& p) { points.push_back(PointJson(p)); });
        std::cout << Json{{"points", std::move(points)}}.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
        return 0;
    }
    std::cout << "id\tkind\tname\tstart\tchainage\toffset\tlayer\tlot\tK30/Ev2\tEv2/Ev1\tverdict\n";
    ForEachPoint(db, filter, [&](const SitePoint& p) {
        const bool k30 = p.kind == site::PointKind::K30;
        std::cout << p.id << '\t' << (k30 ? "K30" : "Ev2") << '\t' << S(p.name) << '\t' << S(p.startTime) << '\t'
                  << S(p.chainage) << '\t' << S(p.offset) << '\t' << S(p.layer) << '\t' << S(p.lot) << '\t'
                  << S(SitePointValue(p)) << '\t' << S(k30 ? QString() : p.ratio) << '\t'
                  << (p.verdict == Verdict::None ? std::string_view("-") : VerdictText(p.verdict, lang)) << '\n';
    });
    return 0;
}

int RunSet(const SiteOptions& o)
{
    site::PointEdit edit;
    auto take = [](const std::optional<std::string>& v, std::optional<QString>& to) {
        if (v)
            to = Q(*v);
    };
    take(o.chainage, edit.chainage);
    take(o.offset, edit.offset);
    take(o.layer, edit.layer);
    take(o.lot, edit.lot);
    take(o.remark, edit.remark);
    if (edit.chainage) {
        const ChainageParse c = ParseChainage(*o.chainage);
        if (!c.ok) {
            std::cerr << "k30: --chainage: " << c.error << "\n";
            return 2;
        }
    }
    QtCore qt;
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    const std::vector<qint64> ids(o.ids.begin(), o.ids.end());
    if (!db.Edit(ids, edit)) {
        std::cerr << "k30: " << S(db.LastError()) << "\n";
        return 1;
    }
    std::cout << ids.size() << " points changed\n";
    return 0;
}

int RunStats(const SiteOptions& o, Language lang)
{
    SiteFilter filter;
    if (!MakeFilter(o.filter, filter))
        return 2;
    QtCore qt;
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    const site::SiteStats s = db.Stats(filter);
    if (o.json) {
        const Json out{{"required",
                        {{"k30", Number(filter.required.k30)},
                         {"ev2Min", Number(filter.required.ev2Min)},
                         {"ratioMax", Number(filter.required.ratioMax)}}},
                       {"k30", StatsJson(s.k30)},
                       {"ev2", StatsJson(s.ev2)},
                       {"ratio", StatsJson(s.ratio)},
                       {"k30Verdicts", CountsJson(s.k30Counts)},
                       {"ev2Verdicts", CountsJson(s.ev2Counts)}};
        std::cout << out.dump(2) << "\n";
        return 0;
    }
    PrintStats("K30", s.k30, 1, lang);
    PrintCounts("K30", s.k30Counts, lang);
    PrintStats("Ev2", s.ev2, 1, lang);
    PrintStats("Ev2/Ev1", s.ratio, 2, lang);
    PrintCounts("Ev2", s.ev2Counts, lang);
    return 0;
}

int RunExport(const SiteOptions& o, Language lang)
{
    const auto format = FormatOfPath(o.out);
    if (!format) {
        std::cerr << "k30: " << o.out << ": the name must end in .csv, .xlsx or .ags\n";
        return 2;
    }
    SiteFilter filter;
    if (!MakeFilter(o.filter, filter))
        return 2;
    QtCore qt;
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    std::vector<SitePoint> points;
    ForEachPoint(db, filter, [&](const SitePoint& p) { points.push_back(p); });
    TestDataStore store;
    if (!db.ToStore(points, store)) {
        std::cerr << "k30: " << S(db.LastError()) << "\n";
        return 1;
    }
    ExportRequest request;
    request.format = *format;
    request.required = filter.required;
    request.lang = lang;
    std::string error;
    if (!ExportFile(store, request, o.out, error)) {
        std::cerr << "k30: " << o.out << ": " << error << "\n";
        return 1;
    }
    return 0;
}

int RunReport(const SiteOptions& o, Language lang)
{
    ReportHeader header;
    if (!o.header.empty())
        if (const HeaderFileStatus status = ReadHeaderFile(o.header, header); status != HeaderFileStatus::Ok)
            return HeaderFileExitCode(status);
    SiteFilter filter;
    if (!MakeFilter(o.filter, filter))
        return 2;
    // Without --required the header's required coefficient judges, as in the
    // window; the header prints the value that judges.
    if (o.filter.required.empty())
        TakeHeaderRequirement(header, filter.required, lang);
    else
        header.RequiredCoefficient = o.filter.required;
    // The drawings need the offscreen platform and the report fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "k30";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();
    SiteDatabase db;
    if (const int code = OpenDatabase(o.db, db))
        return code;
    const LotReportData data = BuildLotReport(db, filter, {site::SortColumn::Chainage, false}, header, lang);
    if (data.rows.empty()) {
        std::cerr << "k30: the filter shows no points; nothing written\n";
        return 1;
    }
    QString error;
    if (!ExportLotReportPdf(Q(o.out), data, error)) {
        std::cerr << "k30: " << o.out << ": " << S(error) << "\n";
        return 1;
    }
    std::cout << data.totalPoints << " points in " << o.out << "\n";
    return 0;
}

int RunRebuild(const SiteOptions& o)
{
    QtCore qt;
    SiteDatabase db;
    const QString address = site::ChooseSiteAddress(Q(o.db));
    if (!db.Open(address)) {
        const site::OpenError why = db.LastOpenError();
        std::cerr << "k30: " << S(db.LastError()) << "\n";
        if (why != site::OpenError::Damaged && why != site::OpenError::Newer)
            return why == site::OpenError::BadAddress ? 2 : 1;
        if (!o.setAside) {
            std::cerr << "k30: with --set-aside the file is moved aside (nothing is deleted) and a new one is built\n";
            return 1;
        }
        QString aside, error;
        if (!site::SetAsideDatabaseFile(address, &aside, &error)) {
            std::cerr << "k30: " << S(error) << "\n";
            return 1;
        }
        std::cout << "The old database is now " << S(aside) << "\n";
        if (const int code = OpenDatabase(o.db, db))
            return code;
    }
    QStringList skipped;
    const site::ImportResult r = db.Rebuild(site::DefaultArchiveFolder(), {}, &skipped);
    for (const QString& s : skipped)
        std::cerr << "k30: skipped " << S(s) << "\n";
    if (!r.ok) {
        std::cerr << "k30: " << S(r.error) << "\n";
        return 1;
    }
    std::cout << Printed(r.counts) << "\n";
    return 0;
}

// A subcommand over the filter: its options, and whether --layer/--lot were
// given at all (an empty value then chooses the points without one).
CLI::App* AddFilteredCommand(CLI::App* sub, const char* name, const char* help, std::shared_ptr<SiteOptions> o,
                             GlobalOptions& global, Action& action, int (*run)(const SiteOptions&, Language))
{
    CLI::App* c = sub->add_subcommand(name, help);
    AddFilterOptions(c, o->filter);
    c->callback([o, &global, &action, c, run] {
        o->filter.layerSet = c->count("--layer") > 0;
        o->filter.lotSet = c->count("--lot") > 0;
        action = [o, &global, run] { return run(*o, global.Resolve()); };
    });
    return c;
}

void AddSiteCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    auto o = std::make_shared<SiteOptions>();
    CLI::App* sub = app.add_subcommand(
        "site", "The site database: every test point of a site, with chainage, layer, lot and verdicts.\n"
                "The database is --db, else the environment's K30_DB, else sqlite: site.sqlite beside the "
                "transfer archive.");
    sub->add_option("--db", o->db, "Database address: sqlite:PATH or postgresql://user@host:port/name");
    sub->require_subcommand(1);
    sub->fallthrough();  // --db and --lang after the action too
    AddLanguageOption(sub, global);

    CLI::App* import = sub->add_subcommand("import", "Import raw (.ORG) and project (.K30) files");
    import->add_option("FILE", o->files, "Files to import")->required();
    import->callback([o, &action] { action = [o] { return RunImport(*o); }; });

    AddFilteredCommand(sub, "list", "List the points of the filter", o, global, action, RunList)
        ->add_flag("--json", o->json, "Print {\"points\": [...]}");

    CLI::App* set = sub->add_subcommand("set", "Set chainage, offset, layer, lot or remark of points");
    set->add_option("ID", o->ids, "Point ids (as list gives them)")->required();
    set->add_option("--chainage", o->chainage, "Chainage (DK125+340.5, K12+345 or metres; empty to clear)");
    set->add_option("--offset", o->offset, "Offset from the centre line");
    set->add_option("--layer", o->layer, "Layer");
    set->add_option("--lot", o->lot, "Lot");
    set->add_option("--remark", o->remark, "Remark");
    set->callback([o, &action] { action = [o] { return RunSet(*o); }; });

    AddFilteredCommand(sub, "stats", "Statistics and verdict counts of the filter", o, global, action, RunStats)
        ->add_flag("--json", o->json, "Print one JSON object");

    AddFilteredCommand(sub, "export", "Export the points of the filter as CSV, XLSX or AGS4", o, global, action,
                       RunExport)
        ->add_option("OUT", o->out, "File to write (.csv, .xlsx, .ags)")
        ->required();

    CLI::App* report =
        AddFilteredCommand(sub, "report", "Write the lot report of the filter as PDF", o, global, action, RunReport);
    report->add_option("--pdf", o->out, "PDF file to write")->required();
    report->add_option("--header", o->header, "JSON object with the report header members");

    CLI::App* rebuild = sub->add_subcommand(
        "rebuild", "Make the database again from the transfer archive, keeping chainage, layer, lot and remarks");
    rebuild->add_flag("--set-aside", o->setAside,
                      "When the database file is damaged or of a newer version: move it aside and build a new one");
    rebuild->callback([o, &action] { action = [o] { return RunRebuild(*o); }; });
}

const bool registered = RegisterCommand(90, AddSiteCommand);

}  // namespace

}  // namespace k30::cli
