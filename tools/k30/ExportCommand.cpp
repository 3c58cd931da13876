#include <iostream>
#include <memory>
#include <optional>

#include "Commands.h"
#include "DataFile.h"
#include "Export.h"
#include "JsonOutput.h"

namespace k30::cli {

namespace {

// A number option's text; prints a message and gives false for anything else.
bool ParseLimit(const std::string& option, const std::string& text, std::optional<double>& value)
{
    if (text.empty())
        return true;
    value = ParseRequirement(text);
    if (!value) {
        std::cerr << "k30: " << option << ": \"" << text << "\" is not a number\n";
        return false;
    }
    return true;
}

void AddExportCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string in;
        std::string out;
        std::string header;
        std::string required;
        std::string ev2Min;
        std::string ratioMax;
        std::string table;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "export", "Export every point of a raw or project file as CSV, Excel (XLSX) or AGS4.\n"
                  "The format follows OUT's ending: .csv, .xlsx or .ags, in any letter case.");
    sub->add_option("IN", opts->in, "Raw (.ORG) or project (.K30) file")->required();
    sub->add_option("OUT", opts->out, "File to write (.csv, .xlsx, .ags)")->required();
    sub->add_option("--header", opts->header,
                    "JSON object with the report header members (as for convert); default: a project file's own");
    sub->add_option("--required", opts->required,
                    "Required K30 (MPa/m); default: the header's RequiredCoefficient when it is a number");
    sub->add_option("--ev2-min", opts->ev2Min, "Least Ev2 (MPa)");
    sub->add_option("--ratio-max", opts->ratioMax, "Largest Ev2/Ev1");
    sub->add_option("--table", opts->table, "The CSV's table: k30 (default) or ev2")
        ->check(CLI::IsMember({"k30", "ev2"}));
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global]() -> int {
            const auto format = FormatOfPath(opts->out);
            if (!format) {
                std::cerr << "k30: " << opts->out << ": the name must end in .csv, .xlsx or .ags\n";
                return 2;
            }
            if (!opts->table.empty() && *format != ExportFormat::Csv) {
                std::cerr << "k30: --table applies to CSV files only\n";
                return 2;
            }
            ExportRequest request;
            request.format = *format;
            request.table = opts->table == "ev2" ? CsvTable::Ev2 : CsvTable::K30;
            request.lang = global.Resolve();
            if (!ParseLimit("--required", opts->required, request.required.k30) ||
                !ParseLimit("--ev2-min", opts->ev2Min, request.required.ev2Min) ||
                !ParseLimit("--ratio-max", opts->ratioMax, request.required.ratioMax))
                return 2;

            LoadedFile f;
            if (const int code = LoadDataFileExitCode(opts->in, f))
                return code;
            if (!HasTestPoints(f.store)) {
                std::cerr << "k30: no test point in " << opts->in << "\n";
                return 1;
            }
            request.header = f.header;
            if (!opts->header.empty())
                if (const auto status = ReadHeaderFile(opts->header, request.header); status != HeaderFileStatus::Ok)
                    return HeaderFileExitCode(status);
            if (opts->required.empty())
                TakeHeaderRequirement(request.header, request.required, request.lang);

            std::string error;
            if (!ExportFile(f.store, request, opts->out, error)) {
                std::cerr << "k30: " << opts->out << ": " << error << "\n";
                return 1;
            }
            return 0;
        };
    });
}

const bool registered = RegisterCommand(60, AddExportCommand);

}  // namespace

}  // namespace k30::cli
