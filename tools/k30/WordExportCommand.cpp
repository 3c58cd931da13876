#include <QByteArray>
#include <QString>

#include <iostream>

#include "CDornWordOffice.h"
#include "Commands.h"
#include "DataFile.h"
#include "JsonOutput.h"
#include "K30WordReport.h"
#include "OfficeHost.h"
#include "SafeSave.h"

namespace k30::cli {

namespace {


// Messages go to stderr; the document goes to the named file instead of the screen.
class FileHost : public OfficeHost {
public:
    explicit FileHost(std::string path) : path_(std::move(path)) {}

    void Warn(const QString& text) override { std::cerr << "k30: " << text.toStdString() << "\n"; }

    void Show(const QByteArray& package) override
    {
        QString error;
        if (!SaveBytesThroughTemporary(QString::fromStdString(path_), package, error)) {
            std::cerr << "k30: " << path_ << ": " << error.toStdString() << "\n";
            return;
        }
        written_ = true;
    }

    bool written() const { return written_; }

private:
    std::string path_;
    bool written_ = false;
};

void AddWordCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string in;
        std::string out;
        std::string header;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "word", "Write the Word report (.docx) of every point of a raw or project file, as Save Word does.\n"
                "Report information: a project file's own header unless --header is given.");
    sub->add_option("IN", opts->in, "Raw (.ORG) or project (.K30) file")->required();
    sub->add_option("OUT", opts->out, "Document to write (.docx)")->required();
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members (Client, Elevation, ProjectName, PointLocation, "
                    "SubgradeMileage, FillLayer, ReportNumber, FillerName, RequiredCoefficient, ReportDate, "
                    "Environment; others are ignored); missing ones are empty");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] {
            LoadedFile f;
            if (const int code = LoadDataFileExitCode(opts->in, f))
                return code;
            if (!opts->header.empty())
                if (const auto status = ReadHeaderFile(opts->header, f.header); status != HeaderFileStatus::Ok)
                    return HeaderFileExitCode(status);
            FileHost host(opts->out);
            {
                CDornWordOffice office(host);
                WriteK30WordReport(office, f.store, f.header, global.Resolve());
            }
            return host.written() ? 0 : 1;
        };
    });
}

const bool registered = RegisterCommand(50, AddWordCommand);

}  // namespace

}  // namespace k30::cli
