// Drives Orbellan.exe from project to screen saver, as a user would: adds actors
// from a BMP, a PNG, a JPEG and an AVI clip through the import dialog (checking
// its live preview), sets a mode and settings, builds a saver through the save
// dialog, previews the project in the viewer, and checks that failed saves and
// builds leave old files alone.
// Usage: orbellan_build_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER
// INPUT_FOLDER holds bmp\actor.bmp (96x72) and bmp\big.bmp (640x480), png\actor.png,
// jpg\actor.jpg and avi\clip.avi. The saver is built as OUTPUT_FOLDER\fish.apj.
// Prints one line per failed check and exits with the number of failures.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

// Text of the size line once the preview has shown something.
std::string WaitPreviewSize(HWND child, const std::string& expected) {
    std::string size;
    for (int i = 0; i < 100; ++i) {
        size = Text(child, IDC_IMPORT_SIZE);
        if (size.rfind(expected, 0) == 0) break;
        Sleep(100);
    }
    return size;
}

// Opens Add at `folder`, selects a file with `key` and checks that the preview
// shows `size`; the import dialog, or none after a failed check.
HWND PreviewImport(HWND dialog, const std::string& folder, int key, const std::string& size, const std::string& what,
                   HWND& child) {
    HWND box = OpenImportAt(dialog, folder, child);
    if (!box || !child) return nullptr;
    SelectWithKey(box, key);
    std::string shown = WaitPreviewSize(child, size);
    Check(shown.rfind(size, 0) == 0, "the preview of " + what + " shows its size " + size + " (got '" + shown + "')");
    return box;
}

void ImportStill(HWND dialog, const std::string& folder, const char* what, const char* size, const std::string& shot) {
    int before = ActorCount(dialog);
    HWND child = nullptr;
    HWND box = PreviewImport(dialog, folder, VK_HOME, size, std::string("the ") + what, child);
    if (!box) return;
    Check(Text(child, IDC_IMPORT_NAME).rfind("actor.", 0) == 0,
          std::string("the preview names the ") + what + " (got '" + Text(child, IDC_IMPORT_NAME) + "')");
    Check(IsWindowEnabled(GetDlgItem(box, IDOK)), std::string("a small ") + what + " can be opened");
    if (!shot.empty()) SaveScreenshot(box, shot);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    Check(WaitGone(box, 20), std::string("Open closes the import dialog for the ") + what);
    WaitFor([&] { return ActorCount(dialog) == before + 1; }, 20);
    Check(ActorCount(dialog) == before + 1, std::string("the ") + what + " becomes one more actor (count " +
                                                std::to_string(ActorCount(dialog)) + ")");
}

void SetPreview(HWND child, bool on) {
    HWND box = GetDlgItem(child, IDC_IMPORT_PREVIEW);
    SendMessageA(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(child, WM_COMMAND, MAKEWPARAM(IDC_IMPORT_PREVIEW, BN_CLICKED), reinterpret_cast<LPARAM>(box));
    Settle(child);
}

// A picture larger than 480 pixels shows its size in red and cannot be opened.
void CheckTooLarge(HWND dialog, const std::string& folder) {
    HWND child = nullptr;
    HWND box = PreviewImport(dialog, folder, VK_END, "640x480", "a large bitmap", child);
    if (!box) return;
    Check(!IsWindowEnabled(GetDlgItem(box, IDOK)), "a 640x480 bitmap cannot be opened while previewed");
    SetPreview(child, false);
    Check(IsWindowEnabled(GetDlgItem(box, IDOK)), "with Preview off the 640x480 bitmap can be opened");
    Check(Text(child, IDC_IMPORT_SIZE).empty(), "with Preview off no size is shown");
    SetPreview(child, true);
    WaitPreviewSize(child, "640x480");
    Check(!IsWindowEnabled(GetDlgItem(box, IDOK)), "Preview on again shows the bitmap too large to open");
    SelectWithKey(box, VK_HOME);
    WaitPreviewSize(child, "96x72");
    Check(IsWindowEnabled(GetDlgItem(box, IDOK)), "choosing a small picture again enables Open");
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDCANCEL)));
    Check(WaitGone(box, 20), "Cancel closes the import dialog");
    Settle(dialog);
}

void ImportClip(HWND dialog, const std::string& folder, const std::string& shot) {
    int before = ActorCount(dialog);
    HWND child = nullptr;
    HWND box = PreviewImport(dialog, folder, VK_HOME, "64x48", "a clip's frame", child);
    if (!box) return;
    SaveScreenshot(box, shot);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    HWND avi = FindDialog("Import AVI Actor", 20);
    Check(avi != nullptr, "opening a clip asks how to sample it");
    if (!avi) return;
    Settle(avi);
    Check(Text(avi, IDC_AVI_FRAMES) == "10" && Text(avi, IDC_AVI_WIDTH) == "64" && Text(avi, IDC_AVI_HEIGHT) == "48",
          "the clip dialog offers all 10 frames at 64x48 (got " + Text(avi, IDC_AVI_FRAMES) + ", " +
              Text(avi, IDC_AVI_WIDTH) + "x" + Text(avi, IDC_AVI_HEIGHT) + ")");
    Check(Text(avi, IDC_AVI_RATE) == "5" && Text(avi, IDC_AVI_DURATION) == "2s",
          "10 frames at 5 per second last 2s (got " + Text(avi, IDC_AVI_RATE) + ", " + Text(avi, IDC_AVI_DURATION) + ")");
    SetText(avi, IDC_AVI_FRAMES, "4");
    SetText(avi, IDC_AVI_WIDTH, "32");
    SetText(avi, IDC_AVI_HEIGHT, "24");
    PostClick(avi, IDOK);
    Check(WaitGone(avi, 20) && WaitGone(box, 30), "the clip is read once its sampling is chosen");
    WaitFor([&] { return ActorCount(dialog) == before + 1; }, 30);
    Check(ActorCount(dialog) == before + 1, "the clip becomes one more actor (count " +
                                                std::to_string(ActorCount(dialog)) + ")");
}

// Preview writes the plain project as Viewer.apj beside the program and runs the
// viewer full screen until a key.
void CheckPreview(HWND dialog, const std::string& programFolder, const std::string& shot) {
    std::string project = programFolder + "Viewer.apj";
    DeleteFileA(project.c_str());
    PostClick(dialog, IDC_PREVIEW);
    HWND saver = nullptr;
    WaitFor([&] { return (saver = FindWindowA("WindowsScreenSaverClass", nullptr)) != nullptr; }, 60);
    Check(saver != nullptr, "Preview starts the viewer");
    std::vector<char> bytes = Contents(project);
    Check(bytes.size() > 1000 && bytes[0] == 0x34 && bytes[1] == 0x12,
          "Preview writes Viewer.apj beside the program, uncompressed");
    if (!saver) return;
    Sleep(2000);
    SaveScreenshot(saver, shot);
    PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0x00390001);
    Check(WaitFor([&] { return !IsWindow(saver); }, 20), "a key ends the preview");
    Settle(dialog);
}

void CheckLoaded(HWND dialog, const std::string& path) {
    Click(dialog, IDC_NEW);
    Check(ActorCount(dialog) == 0 && Text(dialog, IDC_NUMBER) == "5", "New empties the project");
    LoadThrough(dialog, path);
    WaitFor([&] { return ActorCount(dialog) == 4; }, 30);
    Settle(dialog);
    Check(ActorCount(dialog) == 4, "loading " + path + " gives back the four actors (got " +
                                       std::to_string(ActorCount(dialog)) + ")");
    Check(Text(dialog, IDC_NUMBER) == "30" && Text(dialog, IDC_SIZE_VALUE) == "80",
          "loading " + path + " gives back Number 30 and Size 80 (got " + Text(dialog, IDC_NUMBER) + ", " +
              Text(dialog, IDC_SIZE_VALUE) + ")");
    Check(Pressed(dialog, IDC_MODE_RAIN) && !Pressed(dialog, IDC_MODE_BOUNCE), "loading " + path + " presses RAIN");
    Check(IsDlgButtonChecked(dialog, IDC_BG_STARFIELD) == BST_CHECKED, "loading " + path + " checks Starfield");
}

}  // namespace

int main(int argc, char** argv) {
    DriverRun run;
    if (!StartDriverRun(argc, argv, "orbellan_build", run)) return 100;
    const std::string &program = run.program, &input = run.input, &output = run.output, &artefacts = run.artefacts,
                      &log = run.log;
    HWND dialog = run.dialog;

    CheckTooLarge(dialog, input + "\\bmp");
    ImportStill(dialog, input + "\\bmp", "bitmap", "96x72", artefacts + "\\import_preview_bmp.bmp");
    ImportStill(dialog, input + "\\png", "PNG picture", "96x72", "");
    ImportStill(dialog, input + "\\jpg", "JPEG picture", "96x72", "");
    ImportClip(dialog, input + "\\avi", artefacts + "\\import_preview_avi.bmp");
    Check(ReportLines(log) == 0, "the imports report nothing (see " + log + ")");

    Click(dialog, IDC_MODE_RAIN);
    SetText(dialog, IDC_NUMBER, "30");
    Leave(dialog, IDC_NUMBER);
    SetText(dialog, IDC_SIZE_VALUE, "80");
    Leave(dialog, IDC_SIZE_VALUE);
    CheckRadioButton(dialog, IDC_BG_STARFIELD, IDC_BG_IMAGE, IDC_BG_STARFIELD);
    Click(dialog, IDC_BG_STARFIELD);
    Settle(dialog);
    Sleep(300);
    SaveScreenshot(dialog, artefacts + "\\main_dialog_four_actors.bmp");

    std::string fish = output + "\\fish.apj", scr = output + "\\fish.scr", plain = output + "\\ORBxxx.apj";
    SaveThrough(dialog, fish, IDC_BUILD);
    Check(WaitFor([&] { return FileExists(scr) && !FileExists(plain); }, 60), "Build writes fish.apj and fish.scr");
    Check(FileExists(fish), "Build writes fish.apj");
    Check(ReportLines(log) == 0, "Build reports nothing (see " + log + ")");
    Settle(dialog);
    Sleep(500);
    SaveScreenshot(dialog, artefacts + "\\main_dialog_after_build.bmp");

    CheckPreview(dialog, FolderOf(program), artefacts + "\\preview_show.bmp");
    Check(ReportLines(log) == 0, "Preview reports nothing (see " + log + ")");

    // Install puts both files into the system folder and leaves the remembered
    // project alone.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    std::string installed = std::string(system) + "\\fishinst";
    DeleteFileA((installed + ".apj").c_str());
    DeleteFileA((installed + ".scr").c_str());
    std::string remembered = ProfileText("DefaultDirectories", "DefaultOpenProject");
    SaveThrough(dialog, output + "\\fishinst.apj", IDC_INSTALL);
    Check(WaitFor([&] { return FileExists(installed + ".scr") && FileExists(installed + ".apj"); }, 60),
          "Install writes fishinst.scr and fishinst.apj into " + std::string(system));
    Check(!FileExists(output + "\\fishinst.apj"), "Install writes nothing into the chosen folder");
    Check(ProfileText("DefaultDirectories", "DefaultOpenProject") == remembered, "Install leaves DefaultOpenProject as it was");

    // Saves and builds that cannot write beside their target (a folder stands in
    // the way, as a full disc or a locked folder would) report it and leave the
    // old files as they were.
    std::string kept = output + "\\kept.apj";
    SaveThrough(dialog, kept, IDC_SAVE_PROJECT);
    Check(WaitFor([&] { return FileExists(kept); }, 30), "Save Project writes kept.apj");
    std::vector<char> keptBytes = Contents(kept);
    Click(dialog, IDC_MODE_SPLAT);
    std::size_t reports = ReportLines(log);
    CreateDirectoryA((kept + ".tmp~").c_str(), nullptr);
    SaveThrough(dialog, kept, IDC_SAVE_PROJECT);
    Check(WaitFor([&] { return ReportLines(log) > reports; }, 30), "a save that cannot be written reports an error");
    Check(Contents(kept) == keptBytes, "a failed save leaves the old project as it was");
    RemoveDirectoryA((kept + ".tmp~").c_str());

    std::vector<char> fishBytes = Contents(fish);
    reports = ReportLines(log);
    CreateDirectoryA((fish + ".part").c_str(), nullptr);
    SaveThrough(dialog, fish, IDC_BUILD);
    Check(WaitFor([&] { return ReportLines(log) > reports; }, 60), "a build that cannot be written reports an error");
    Check(WaitFor([&] { return !FileExists(plain); }, 10), "a failed build leaves no ORBxxx.apj");
    Check(Contents(fish) == fishBytes, "a failed build leaves the old saver's project as it was");
    RemoveDirectoryA((fish + ".part").c_str());

    // Both forms load back: the plain project and the built, compressed one.
    reports = ReportLines(log);
    CheckLoaded(dialog, kept);
    CheckLoaded(dialog, fish);
    Check(!FileExists(plain), "loading a built project leaves no ORBxxx.apj");
    Check(ReportLines(log) == reports, "loading reports nothing (see " + log + ")");

    reports = ReportLines(log);
    SaveThrough(dialog, output + "\\missing\\fish.apj", IDC_BUILD);
    Check(WaitFor([&] { return ReportLines(log) > reports; }, 30), "a build into a missing folder reports an error");
    Check(!FileExists(output + "\\missing"), "a failed build creates nothing");
    Check(!FileExists(plain), "a build into a missing folder leaves no ORBxxx.apj");

    CloseOrbellan(run.started);
    return FinishDriver();
}
