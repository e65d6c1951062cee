// Helpers shared by the drivers that work Orbellan.exe from outside: finding its
// windows, sending control messages as a user's clicks would, reading texts and
// taking screenshots. Every failed check prints one line and is counted.
#pragma once
#include <windows.h>

#include <string>

namespace orb::driver {

extern int failures;
void Check(bool condition, const std::string& what);

// A top-level dialog with this title, waited for up to `seconds`.
HWND FindDialog(const char* title, int seconds);
// Lets the program handle everything sent so far.
void Settle(HWND dialog);
std::string Text(HWND dialog, int id);
void SetText(HWND dialog, int id, const char* text);
// The notice an edit box sends when the user leaves it.
void Leave(HWND dialog, int id);
// A click handled before this returns; PostClick for buttons that open modal dialogs.
void Click(HWND dialog, int id);
void PostClick(HWND dialog, int id);
bool Pressed(HWND dialog, int id);
int SliderPos(HWND dialog, int id);
// Copies the window's screen area into a 24-bit BMP file.
void SaveScreenshot(HWND window, const std::string& path);
// Wine hands Unix paths through unchanged; the Windows calls want drive paths.
std::string WindowsPath(std::string path);
// The folder part of a path, with its trailing separator.
std::string FolderOf(const std::string& path);
bool FileExists(const std::string& path);
// The child dialog of our own template inside a file dialog: the one holding `id`.
HWND TemplateChild(HWND box, int id);
bool WaitGone(HWND window, int seconds);

// Starts Orbellan.exe from its own folder with a clean profile and reports
// logged to `reportLog`; waits for its main dialog.
struct Started {
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};
bool StartOrbellan(const std::string& program, const std::string& reportLog, Started& started);
// Close, and waits for the program to end.
bool CloseOrbellan(Started& started);

}  // namespace orb::driver
