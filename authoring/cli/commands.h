// The commands, one runner each. A runner takes the command's arguments from the
// context and returns the exit status; the table in command_table.cpp names them.
#pragma once
#include <string>

#include "authoring/cli/cli_context.h"

namespace orb::cli {

// project_commands.cpp
int RunNew(CliContext& context);
int RunSet(CliContext& context);
int RunBackground(CliContext& context);
int RunMusic(CliContext& context);
int RunEffects(CliContext& context);
int RunBanner(CliContext& context);
// set's help: every name it takes, from the settings table.
std::string SetHelp();

// actor_commands.cpp
int RunAdd(CliContext& context);
int RunRemove(CliContext& context);
int RunMove(CliContext& context);
int RunModify(CliContext& context);

// info_command.cpp
int RunInfo(CliContext& context);

// saver_commands.cpp
int RunBuild(CliContext& context);
int RunInstall(CliContext& context);

// preview_command.cpp
int RunPreview(CliContext& context);

// help_command.cpp
int RunHelp(CliContext& context);

}  // namespace orb::cli
