// Helpers shared by the drivers that work Orbellan.exe from outside: finding its
// windows, sending control messages as a user's clicks would, reading texts and
// taking screenshots. Every failed check prints one line and is counted.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/imaging/drawing_surface.h"

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
// The colour on screen at (x, y), and as six hex digits BBGGRR for messages.
COLORREF ScreenPixel(int x, int y);
std::string Hex(COLORREF colour);
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
// Asks `condition` every 100 ms for up to `seconds`.
template <typename Condition>
bool WaitFor(Condition condition, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (condition()) return true;
        Sleep(100);
    }
    return condition();
}
std::vector<char> Contents(const std::string& path);
// Lines appended to the report log (one per message box the program showed).
std::size_t ReportLines(const std::string& log);
std::string ProfileText(const char* section, const char* key);
// The actor count the main dialog publishes.
int ActorCount(HWND dialog);
// The file name box of a system file dialog.
void TypeFileName(HWND box, const std::string& text);
// Selects a file of a file dialog's folder through the list's own keys, as the
// arrow keys of a user would; the dialog then reports the selection change.
void SelectWithKey(HWND box, int key);
// Clicks `button` of `dialog` and waits for the file dialog titled `title` to
// show its folder; none when it did not open (a failed check).
HWND OpenFileDialog(HWND dialog, int button, const char* title);
// Types `path` into an open file dialog and confirms it as Enter would.
void ConfirmFileDialog(HWND box, const std::string& path);
// The number of entries the file list of a file dialog shows.
int ListedFiles(HWND box);
// Opens Add and goes to `folder`, listing the files of the type line that reads
// `typeLine`; `child` is the part of our own template (the preview and the import
// options).
HWND OpenImportAt(HWND dialog, const std::string& folder, HWND& child, const char* typeLine = "All Files (*.*)");
// Sets Load as Actor and Build Actor of the import dialog as a user's clicks would.
void SetImportOptions(HWND child, bool loadAsActor, bool buildActor);
// Opens Add at `folder` listing every file, selects a file with `selectKey` (so
// the dialog has seen a supported one), sets Load as Actor and Build Actor, types
// `names` and opens them.
void Import(HWND dialog, const std::string& folder, const std::string& names, bool loadAsActor, bool buildActor,
            int selectKey = VK_HOME);
// Names as a file dialog takes several: each quoted.
std::string Quoted(const std::vector<std::string>& names);
bool LogHas(const std::string& log, const std::string& text);
// Opens Save, types `path` and presses one of the save dialog's own buttons.
void SaveThrough(HWND dialog, const std::string& path, int button);
// Load through the open dialog.
void LoadThrough(HWND dialog, const std::string& path);
// Saves the project to `path` and reads back the names of its actors, in order,
// each without its folder.
std::vector<std::string> SavedActorNames(HWND dialog, const std::string& path);
// Saves the project to `path` and reads back the frames of actor `index`.
orb::FrameList SavedFrames(HWND dialog, const std::string& path, std::size_t index);
// A saved 24-bit frame's pixel, (x, y) from the top-left; CLR_INVALID outside it.
COLORREF FramePixel(const orb::GXDrawingSurface& frame, int x, int y);

// The main dialog's actor list: a point of list slot `slot` on screen, at (fx, fy)
// of the thumbnail's square (the picture is scaled to fit the slot less 2 pixels
// and placed at ((slot - side) / 2 - 1, ...) as the thumbnails are built).
POINT SlotPoint(HWND dialog, int slot, double fx, double fy);
COLORREF SlotCentre(HWND dialog, int slot);
void Repaint(HWND dialog);
// A left click on a slot, as the dialog receives it (the slots pass the mouse on).
void ClickSlot(HWND dialog, int slot);
// A double click on a slot, which plays its actor once; waits a second for it.
void PlaySlot(HWND dialog, int slot);

// Starts Orbellan.exe from its own folder with a clean profile and reports
// logged to `reportLog`; waits for its main dialog.
struct Started {
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};
// `arguments` follow the program's path on its command line.
bool StartOrbellan(const std::string& program, const std::string& reportLog, Started& started,
                   const std::string& arguments = "");
// Close, and waits for the program to end.
bool CloseOrbellan(Started& started);

// What the drivers that import files are given on their command line
// (`name` ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER), and the
// program started with its reports logged to ARTEFACT_FOLDER\`name`_reports.txt.
struct DriverRun {
    std::string program, input, output, artefacts, log;
    Started started;
    HWND dialog = nullptr;
};
// False, after saying why, when the arguments are wrong or the program did not start.
bool StartDriverRun(int argc, char** argv, const std::string& name, DriverRun& run);
// Prints the count of failed checks, which is also the driver's exit code.
int FinishDriver();

}  // namespace orb::driver
