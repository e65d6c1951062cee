// The about box (template 172) and the help page.
#pragma once
#include <windows.h>

#include <string>

namespace orb {

void RunAboutDialog(HWND owner);
// Opens the bundled help page "Orbellan.html" in the program folder with the
// system's browser; a missing page is left to the browser to report.
void OpenHelp(HWND owner, const std::string& programFolder);

}  // namespace orb
