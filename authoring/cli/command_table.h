// The one list of orbellan's commands: each with the usage line and help that
// `help` shows and the runner that dispatch calls.
#pragma once
#include <span>
#include <string_view>

#include "authoring/cli/cli_context.h"

namespace orb::cli {

struct Command {
    std::string_view name;
    const char* usage;  // after "usage: orbellan "
    const char* help;
    int (*run)(CliContext& context);
};

// In the order help lists them.
std::span<const Command> Commands();

// The command called `name`; null when there is none.
const Command* FindCommand(std::string_view name);

// "usage: orbellan USAGE", a blank line and the command's help.
void PrintUsage(const Command& command, std::FILE* out);

// Runs the command line `words` (without the program's name): the command it
// names, its usage for "--help", the list of commands when there is no command.
// Returns the exit status. A path the system refuses is an error, never a crash.
int Dispatch(const Args& words, CliContext& context);

}  // namespace orb::cli
