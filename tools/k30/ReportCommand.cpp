#include <QGuiApplication>

#include <iostream>
#include <memory>

#include "Commands.h"
#include "DataFile.h"
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
};


int PrintTypeOf(const std::string& type)
{
    if (type == "all")
        return kPrintAllPoints;
    if (type == "list")
        return kPrintPointList;
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
    if (f.store.ValidCount() == 0) {
        std::cerr << "k30: " << o.in << ": no K30 test points to report\n";
        return 1;
    }
    // The point of "current data" and of the bitmap, as if chosen on the test data page.
    if (o.point.empty()) {
        f.store.strCurK30Name = f.store.k30List.front().name;
    } else if (f.store.FindK30PointByName(o.point)) {
        f.store.strCurK30Name = o.point;
    } else {
        std::cerr << "k30: " << o.in << ": no test point named \"" << o.point << "\"\n";
        return 1;
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
    const ReportJob job{f.store, f.header, lang, PrintTypeOf(o.type)};
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
                                        "list: the list of all points (default: current)")
                            ->check(CLI::IsMember({"current", "all", "list"}));
    type->excludes(bmp);
    sub->add_option("--point", opts->point, "Test point of --type current and --bmp (default: the first point)");
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members; replaces a project file's own header");
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
