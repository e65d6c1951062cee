#include "authoring/cli/command_table.h"

#include <algorithm>
#include <array>
#include <string>

#include "authoring/cli/commands.h"

namespace orb::cli {

std::span<const Command> Commands() {
    static const std::string setHelp = SetHelp();
    static const std::array commands = {
        Command{"new", "new P.apj [--force]", "Writes a new project with the default settings. An existing file is kept unless --force.", RunNew},
        Command{"add", "add P.apj FILES... [--separate] [--build-actor] [--grid COLSxROWS [--frames N]] [--full-size]",
         "Imports pictures (bmp, jpg, pcx, png, tga, gif) or actor files (act). The pictures of one add, all of\n"
         "one type, become one animated actor, as do the frames of an animated GIF; --separate makes each picture\n"
         "(or each frame of a GIF or an actor file) an actor of its own, and takes files of any types together.\n"
         "--build-actor also saves the new actor as NAME.ACT beside its first picture. --grid cuts one picture,\n"
         "a sprite sheet, into COLS x ROWS equal cells that become the frames, left to right, top to bottom;\n"
         "--frames takes only the first N cells. Where a picture is transparent it stays so. Pictures longer\n"
         "than 1024 pixels are scaled down to 1024 on their longer side; --full-size keeps their own size.", RunAdd},
        Command{"remove", "remove P.apj ACTOR", "Removes an actor, named by its position (1 is the first) or its name.", RunRemove},
        Command{"move", "move P.apj ACTOR up|down|POSITION", "Moves an actor one place up or down, or to a position.", RunMove},
        Command{"set", "set P.apj KEY=VALUE...", setHelp.c_str(), RunSet},
        Command{"background", "background P.apj starfield|desktop|colour [#RRGGBB]|image PICTURE", "Chooses the background.", RunBackground},
        Command{"music", "music P.apj [FILE.mid|FILE.wav] [--none] [--loop|--no-loop]", "Chooses the backing track and its looping.", RunMusic},
        Command{"effects", "effects P.apj [--bounce WAV] [--create WAV] [--destroy WAV]", "Chooses the effect sounds (\"\" for none).", RunEffects},
        Command{"banner", "banner P.apj PICTURE|--reset", "Chooses the Control Panel banner picture (bmp, act, pcx, tga, jpg, cgm, png).", RunBanner},
        Command{"modify", "modify P.apj ACTOR [--flip-h] [--flip-v] [--rotate DEGREES] [--angle A] [--key R,G,B]\n"
                   "       [--tolerance T] [--quick-rotation|--no-quick-rotation] [--align-to-path|--no-align-to-path]",
         "Mirrors, turns and keys an actor. --rotate turns by DEGREES from its angle; --angle sets the angle.", RunModify},
        Command{"info", "info P.apj|A.act [--json]", "Lists the settings, actors and frames.", RunInfo},
        Command{"build", "build P.apj --name NAME [--out DIR] [--viewer Viewer.scr]",
         "Builds NAME.apj (compressed) and NAME.scr (a copy of Viewer.scr) in DIR, making DIR if need be.", RunBuild},
        Command{"install", "install P.apj --name NAME [--into DIR] [--xscreensaver]",
         "Builds the saver where screen savers are found: on Windows the system folder; on Linux\n"
         "~/.local/share/orbellan/savers (under $XDG_DATA_HOME), as NAME.apj with a launcher NAME that runs\n"
         "the viewer on it (xscreensaver passes -root). --xscreensaver also lists the launcher first in the\n"
         "programs of ~/.xscreensaver; that file is replaced only by a complete new copy.", RunInstall},
        Command{"preview", "preview P.apj [VIEWER OPTIONS...]", "Plays the project in the viewer (e.g. --headless --frames 50).", RunPreview},
        Command{"help", "help [COMMAND] [--browser]", "Shows help; --browser opens the manual page in the web browser.", RunHelp},
    };
    return commands;
}

const Command* FindCommand(std::string_view name) {
    std::span<const Command> commands = Commands();
    auto found = std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

void PrintUsage(const Command& command, std::FILE* out) {
    std::fprintf(out, "usage: orbellan %s\n\n%s\n", command.usage, command.help);
}

int Dispatch(const Args& words, CliContext& context) {
    const Command* command = words.empty() ? nullptr : FindCommand(words[0]);
    if (!command) {
        // No command, "--help" or "-h" list the commands; another word is looked up by help.
        const bool asksForList = words.empty() || words[0] == "--help" || words[0] == "-h";
        context.arguments = asksForList ? Args{} : Args{words[0]};
        return RunHelp(context);
    }
    context.arguments.assign(words.begin() + 1, words.end());
    if (std::find(context.arguments.begin(), context.arguments.end(), "--help") != context.arguments.end())
        return PrintUsage(*command, context.out), 0;
    try {
        return command->run(context);
    } catch (const std::filesystem::filesystem_error& e) {  // a path the system refuses: never a crash
        return Fail(context.sink, e.code().message(), e.path1().string());
    }
}

}  // namespace orb::cli
