#include <fstream>
#include <iostream>

#include "Commands.h"
#include "DataFile.h"
#include "JsonOutput.h"
#include "ProjectFile.h"

namespace k30::cli {

namespace {

void AddConvertCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string in;
        std::string out;
        std::string points;
        std::string header;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "convert", "Write a project file (.K30) from a raw or project file.\n"
                   "Default: every point in list order; a project file's own header.");
    sub->add_option("IN", opts->in, "Raw (.ORG) or project (.K30) file")->required();
    sub->add_option("OUT", opts->out, "Project file to write")->required();
    sub->add_option("--points", opts->points,
                    "Comma-separated point names, in the order to write; a name takes the first point with it");
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members (Client, Elevation, ProjectName, PointLocation, "
                    "SubgradeMileage, FillLayer, ReportNumber, TestNumber, ReportDate, FillerName, "
                    "RequiredCoefficient, Environment, Tester, Reviewer); missing ones are empty");
    AddLanguageOption(sub, global);
    sub->callback([opts, &action] {
        action = [opts] {
            LoadedFile f;
            if (const int code = LoadDataFileExitCode(opts->in, f))
                return code;
            std::vector<const K30*> chosen;
            if (opts->points.empty()) {
                for (std::size_t k = 0; k < f.store.ValidCount(); ++k)
                    chosen.push_back(&f.store.k30List[k]);
            } else {
                for (const std::string& name : SplitAtCommas(opts->points)) {
                    const auto k = f.store.FindK30PointByName(name);
                    if (!k) {
                        std::cerr << "k30: " << opts->in << ": no test point named \"" << name << "\"\n";
                        return 1;
                    }
                    chosen.push_back(&f.store.k30List[*k]);
                }
            }
            ReportHeader header = f.header;
            if (!opts->header.empty())
                if (const auto status = ReadHeaderFile(opts->header, header); status != HeaderFileStatus::Ok)
                    return HeaderFileExitCode(status);
            const auto bytes = WriteProject(f.store.nInstrumentNo, chosen, header);
            std::string error;
            if (!WriteFileAtomically(opts->out, bytes.data(), bytes.size(), error)) {
                std::cerr << "k30: " << opts->out << ": " << error << "\n";
                return 1;
            }
            return 0;
        };
    });
}

const bool registered = RegisterCommand(20, AddConvertCommand);

}  // namespace

}  // namespace k30::cli
