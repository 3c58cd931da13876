// k30: the workbench's file formats, decoding and evaluation from the command line.
#include <iostream>

#include "Commands.h"
#include "Settings.h"

namespace k30::cli {

Language GlobalOptions::Resolve() const
{
    if (lang == "zh")
        return Language::Chinese;
    if (lang == "en")
        return Language::English;
    return ReadLanguage();
}

void AddLanguageOption(CLI::App* sub, GlobalOptions& global)
{
    sub->add_option("--lang", global.lang, "Language of messages and tables (zh or en); default: ./Config.cfg")
        ->check(CLI::IsMember({"zh", "en"}));
}

}  // namespace k30::cli

int main(int argc, char** argv)
{
    using namespace k30::cli;
    CLI::App app{"k30: K30 plate load test data from the command line.\n"
                 "Reads raw transfer files (.ORG) and project files (.K30) exactly as the workbench does."};
    app.require_subcommand(1);
    GlobalOptions global;
    Action action;
    AddShowCommand(app, global, action);
    AddConvertCommand(app, global, action);
    AddComputeCommand(app, global, action);
    AddExtraCommands(app, global, action);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    return action ? action() : 2;
}
