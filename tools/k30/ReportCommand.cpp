#include <QGuiApplication>

#include <iostream>
#include <memory>

#include "Acceptance.h"
#include "Commands.h"
#include "DataFile.h"
#include "Ev2Report.h"
#include "JsonOutput.h"
#include "PrintType.h"
#include "ReportBitmap.h"
#include "ReportFonts.h"
#include "ReportOutput.h"

namespace k30::cli {

namespace {

struct ReportOptions {
    std::string in;
    std::string pdf;
    std::string bmp;
    std::string type = "current";
    std::string point;
    std::string header;
    std::string required;  // K30, MPa/m; empty: the header's required coefficient
    std::string ev2Min;
    std::string ratioMax;
};

// Requirements as the header page takes them: a number, blanks around it and
// a decimal comma allowed.
const CLI::Validator kRequirementNumber(
    [](std::string& text) {
        return ParseRequirement(text) ? std::string() : "not a number: " + text;
    },
    "NUMBER");

Requirements RequirementsOf(const ReportOptions& o, const ReportHeader& header, Language lang)
{
    Requirements r;
    TakeHeaderRequirement(header, r, lang);
    r.ev2Min = ParseRequirement(o.ev2Min);
    r.ratioMax = ParseRequirement(o.ratioMax);
    return r;
}


int PrintTypeOf(const std::string& type)
{
    if (type == "all")
        return kPrintAllPoints;
    if (type == "list")
        return kPrintPointList;
    if (type == "ev2")
        return kPrintEv2CurrentPoint;
    if (type == "ev2-all")
        return kPrintEv2AllPoints;
    if (type == "summary")
        return kPrintSummary;
    return kPrintCurrentPoint;
}

int RunReport(const ReportOptions& o, Language lang)
{
    LoadedFile f;
    if (const int code = LoadDataFileExitCode(o.in, f))
        return code;
    if (!o.header.empty())
        if (const HeaderFileStatus status = ReadHeaderFile(o.header, f.header); status != HeaderFileStatus::Ok)
            return HeaderFileExitCode(status);
    // The header shows the value the conclusions judge by.
    if (!o.required.empty())
        f.header.RequiredCoefficient = o.required;
    const Requirements required = RequirementsOf(o, f.header, lang);
    const int printType = PrintTypeOf(o.type);
    if (printType == kPrintEv2CurrentPoint || printType == kPrintEv2AllPoints) {
        // The point of "ev2", as if shown on the Ev2 page.
        if (f.store.ev2List.empty()) {
            std::cerr << "k30: " << o.in << ": no Ev2 test points to report\n";
            return 1;
        }
        if (o.point.empty()) {
            f.store.strCurEv2Name = f.store.ev2List.front().name;
        } else if (FindEv2PointByName(f.store, o.point)) {
            f.store.strCurEv2Name = o.point;
        } else {
            std::cerr << "k30: " << o.in << ": no Ev2 test point named \"" << o.point << "\"\n";
            return 1;
        }
    } else if (f.store.ValidCount() == 0 && !(printType == kPrintSummary && !f.store.ev2List.empty())) {
        std::cerr << "k30: " << o.in << ": no K30 test points to report\n";
        return 1;
    } else if (!o.point.empty()) {
        // The point of "current data" and of the bitmap, as if chosen on the test data page.
        if (!f.store.FindK30PointByName(o.point)) {
            std::cerr << "k30: " << o.in << ": no test point named \"" << o.point << "\"\n";
            return 1;
        }
        f.store.strCurK30Name = o.point;
    } else if (f.store.ValidCount() > 0) {
        f.store.strCurK30Name = f.store.k30List.front().name;
    }

    // The drawings need the offscreen platform and the report fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "k30";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();

    QString error;
    if (!o.bmp.empty()) {
        if (!SaveReportBitmap(QString::fromStdString(o.bmp), f.store, f.header, lang, error)) {
            std::cerr << "k30: " << o.bmp << ": " << error.toStdString() << "\n";
            return 1;
        }
        return 0;
    }
    const ReportJob job{f.store, f.header, lang, printType, required};
    if (!ExportReportPdf(QString::fromStdString(o.pdf), job, error)) {
        std::cerr << "k30: " << o.pdf << ": " << error.toStdString() << "\n";
        return 1;
    }
    return 0;
}

void AddReportCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    auto opts = std::make_shared<ReportOptions>();
    CLI::App* sub = app.add_subcommand(
        "report", "Draw a report of a raw or project file as an A4 PDF (the workbench's Export PDF) or as the\n"
                  "500 x 700 point bitmap (its Save Bitmap). Exit 1 when the file cannot be read or written.");
    sub->add_option("IN", opts->in, "Raw (.ORG) or project (.K30) file")->required();
    CLI::Option* pdf = sub->add_option("--pdf", opts->pdf, "PDF file to write");
    CLI::Option* bmp = sub->add_option("--bmp", opts->bmp, "Bitmap file to write (the point report of --point)");
    pdf->excludes(bmp);
    CLI::Option* type = sub->add_option("--type", opts->type,
                                        "current: point report of --point; all: one page per point; "
                                        "list: the list of all points; ev2: Ev2 point report of --point; "
                                        "ev2-all: one page per Ev2 point; summary: the acceptance summary of "
                                        "every point (default: current)")
                            ->check(CLI::IsMember({"current", "all", "list", "ev2", "ev2-all", "summary"}));
    type->excludes(bmp);
    sub->add_option("--point", opts->point, "Test point of --type current, ev2 and --bmp (default: the first point)");
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members; replaces a project file's own header");
    sub->add_option("--required", opts->required,
                    "Required K30 in MPa/m for the conclusions and the summary; replaces the header's "
                    "RequiredCoefficient, which is used when it is a number")
        ->check(kRequirementNumber);
    sub->add_option("--ev2-min", opts->ev2Min, "Least Ev2 in MPa for the summary")->check(kRequirementNumber);
    sub->add_option("--ratio-max", opts->ratioMax, "Largest Ev2/Ev1 for the summary")->check(kRequirementNumber);
    AddLanguageOption(sub, global);
    sub->callback([opts, pdf, bmp, &global, &action] {
        if (pdf->count() == 0 && bmp->count() == 0)
            throw CLI::RequiredError("--pdf or --bmp");
        action = [opts, &global] { return RunReport(*opts, global.Resolve()); };
    });
}

const bool registered = RegisterCommand(40, AddReportCommand);

}  // namespace

}  // namespace k30::cli
