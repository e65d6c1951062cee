// `help`: the list of commands, one command's usage, or the manual page in the
// browser.
#include <filesystem>

#include "authoring/cli/command_table.h"
#include "authoring/cli/commands.h"
#include "authoring/cli/process_start.h"
#include "authoring/cli/program_files.h"

namespace orb::cli {

namespace {

namespace fs = std::filesystem;

int OpenManual(CliContext& context) {
    const fs::path page = HelpPage(context.programFolder);
    if (page.empty()) return Fail(context.sink, "The help page is missing", context.programFolder.string());
    const std::string full = fs::absolute(page).string();
    const char* browser = BrowserOpener();
    const std::optional<int> status = RunAndWait(browser, {full});
    if (!status || *status != 0)
        return Fail(context.sink, "Unable to open the help page " + full + " in a web browser", browser);
    return 0;
}

}  // namespace

int RunHelp(CliContext& context) {
    const Args& a = context.arguments;
    if (!a.empty() && a[0] == "--browser") return OpenManual(context);
    if (const Command* command = a.empty() ? nullptr : FindCommand(a[0])) return PrintUsage(*command, context.out), 0;
    std::fprintf(context.out, "usage: orbellan COMMAND ARGUMENTS...   (orbellan COMMAND --help for each)\n\n");
    for (const Command& c : Commands()) std::fprintf(context.out, "  orbellan %s\n", c.usage);
    return a.empty() ? 0 : Fail(context.sink, "Unknown command", a[0]);
}

}  // namespace orb::cli
