// The screen-saver switches the system passes on the command line.
#pragma once
#include <cstdint>
#include <string_view>

namespace orb {

enum class SaverRun {
    Options,         // no switch, or /c without a window: the options dialog over the foreground window
    OptionsFor,      // /c:HWND or /c HWND: the options dialog owned by that window
    FullScreen,      // /s
    Preview,         // /p HWND: draw into a child of the display settings' preview
    Nothing,         // /a (password change, done by the system on current Windows),
                     // or /p without a usable window
};

struct SaverSwitches {
    SaverRun run = SaverRun::Options;
    std::uintptr_t window = 0;  // the window given after /p or /c
};

// Parses the arguments after the program name ("/s", "-p 1234", "/c:5678", ...).
// Letters count in either case except p: the viewer treats only a lower-case p as
// the preview, so "/P" is a full run here too and both halves agree.
SaverSwitches ParseSaverSwitches(std::string_view arguments);

}  // namespace orb
