// Drives Orbellan.exe from outside, as a user would, through control messages:
// starts it, checks the main dialog's defaults and rules, saves a screenshot of
// it and closes it. Usage: orbellan_driver ORBELLAN_EXE ARTEFACT_FOLDER.
// Prints one line per failed check and exits with the number of failures.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

// The slider follows its edit box as the user types, before the box is left.
void CheckTypingMovesSlider(HWND dialog, int edit, const char* typed, int slider, int position) {
    SetText(dialog, edit, typed);
    Settle(dialog);
    Check(SliderPos(dialog, slider) == position, std::string("typing ") + typed + " moves its slider to " +
                                                     std::to_string(position) + " (got " +
                                                     std::to_string(SliderPos(dialog, slider)) + ")");
}

void CheckSlider(HWND dialog, int id, const char* name, int low, int high, int position) {
    int gotLow = static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0));
    int gotHigh = static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0));
    int got = SliderPos(dialog, id);
    char what[160];
    std::snprintf(what, sizeof what, "%s slider %d..%d at %d (got %d..%d at %d)", name, low, high, position, gotLow,
                  gotHigh, got);
    Check(gotLow == low && gotHigh == high && got == position, what);
}

void MoveSlider(HWND dialog, int id, int position) {
    HWND slider = GetDlgItem(dialog, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
}

void CheckDefaults(HWND dialog) {
    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof title);
    Check(std::string(title) == "Orbellan", "the main dialog is titled Orbellan");
    const int modes[] = {IDC_MODE_BOUNCE, IDC_MODE_GRAVIBOUNCE, IDC_MODE_FLYAWAY, IDC_MODE_RAIN,
                         IDC_MODE_RANDOMDRIFT, IDC_MODE_STARBURST, IDC_MODE_SPLAT, IDC_MODE_RANDOM};
    Check(Pressed(dialog, IDC_MODE_BOUNCE), "BOUNCE is pressed at start");
    for (int i = 1; i < 8; ++i) Check(!Pressed(dialog, modes[i]), "only BOUNCE is pressed at start");
    Check(!Pressed(dialog, IDC_SHUFFLE), "SHUFFLE is released at start");
    Check(Text(dialog, IDC_NUMBER) == "5", "Number starts at 5");
    Check(Text(dialog, IDC_SIZE_VALUE) == "100", "Size starts at 100");
    Check(Text(dialog, IDC_DIRECTION) == "0", "Direction starts at 0");
    Check(Text(dialog, IDC_SWIRL) == "0" && Text(dialog, IDC_SPIN) == "0", "Swirl and Spin start at 0");
    CheckSlider(dialog, IDC_NUMBER_RANGE, "Number Range", 0, 100, 50);
    CheckSlider(dialog, IDC_SIZE_RANGE, "Size Range", 0, 100, 0);
    CheckSlider(dialog, IDC_DIRECTION_RANGE, "Direction Range", 0, 360, 360);
    CheckSlider(dialog, IDC_SPEED, "Speed", 0, 100, 50);
    CheckSlider(dialog, IDC_VARIATION, "Variation", -100, 100, 0);
    CheckSlider(dialog, IDC_SWIRL_SLIDER, "Swirl", -90, 90, 0);
    CheckSlider(dialog, IDC_SPIN_SLIDER, "Spin", -100, 100, 0);
    CheckSlider(dialog, IDC_STUTTER, "Stutter", 0, 100, 15);
    CheckSlider(dialog, IDC_FACTOR_X, "Factor X", 0, 100, 0);
    CheckSlider(dialog, IDC_SPRITE_LIFETIME, "Sprite Lifetime", 0, 100, 0);
    CheckSlider(dialog, IDC_SCENE_LIFETIME, "Scene Lifetime", 0, 100, 0);
    CheckSlider(dialog, IDC_ACTOR_BIAS, "Actor Bias", -100, 100, 0);
    Check(IsDlgButtonChecked(dialog, IDC_BG_COLOUR) == BST_CHECKED, "Colour is the background at start");
    Check(!IsWindowEnabled(GetDlgItem(dialog, IDC_BG_IMAGE_PATH)), "the image path is disabled at start");
    Check(IsDlgButtonChecked(dialog, IDC_ERASER) != BST_CHECKED, "Eraser is off at start");
    Check(GetPropA(dialog, "OrbActorCount") == nullptr, "the actor list starts empty");
}

void CheckModeButtons(HWND dialog) {
    Click(dialog, IDC_MODE_GRAVIBOUNCE);
    Check(Pressed(dialog, IDC_MODE_GRAVIBOUNCE) && !Pressed(dialog, IDC_MODE_BOUNCE),
          "GRAVIBOUNCE takes over from BOUNCE");
    Click(dialog, IDC_MODE_GRAVIBOUNCE);
    Check(Pressed(dialog, IDC_MODE_GRAVIBOUNCE), "clicking the pressed mode leaves it pressed");
    Click(dialog, IDC_MODE_SPLAT);
    Check(Pressed(dialog, IDC_MODE_SPLAT) && !Pressed(dialog, IDC_MODE_GRAVIBOUNCE), "SPLAT takes over");
    Click(dialog, IDC_SHUFFLE);
    Check(Pressed(dialog, IDC_SHUFFLE), "SHUFFLE presses on the first click");
    Click(dialog, IDC_SHUFFLE);
    Check(!Pressed(dialog, IDC_SHUFFLE), "SHUFFLE releases on the second click");
    Click(dialog, IDC_SHUFFLE);
}

void CheckSettings(HWND dialog) {
    struct Case {
        int id;
        const char* typed;
        const char* after;
    } cases[] = {
        {IDC_SIZE_VALUE, "150", "100"}, {IDC_SIZE_VALUE, "-5", "10"},  {IDC_SIZE_VALUE, "", ""},
        {IDC_SIZE_VALUE, "42", "42"},   {IDC_NUMBER, "77", "50"},      {IDC_NUMBER, "-3", "0"},
        {IDC_DIRECTION, "400", "360"},  {IDC_DIRECTION, "-1", "0"},    {IDC_DIRECTION, "90", "90"},
    };
    for (const Case& c : cases) {
        SetText(dialog, c.id, c.typed);
        Leave(dialog, c.id);
        Settle(dialog);
        Check(Text(dialog, c.id) == c.after, std::string("typing ") + c.typed + " and leaving gives " + c.after +
                                                 " (got " + Text(dialog, c.id) + ")");
    }
    MoveSlider(dialog, IDC_SWIRL_SLIDER, -90);
    Settle(dialog);
    Check(Text(dialog, IDC_SWIRL) == "-90", "Swirl slider at its left end shows -90 (got " + Text(dialog, IDC_SWIRL) + ")");
    CheckTypingMovesSlider(dialog, IDC_SPIN, "120", IDC_SPIN_SLIDER, 100);
    Leave(dialog, IDC_SPIN);
    Settle(dialog);
    Check(Text(dialog, IDC_SPIN) == "100", "leaving Spin at 120 shows 100 (got " + Text(dialog, IDC_SPIN) + ")");
    CheckTypingMovesSlider(dialog, IDC_SWIRL, "45", IDC_SWIRL_SLIDER, 45);
    Click(dialog, IDC_ERASER);
    Click(dialog, IDC_TURBO);
}

void CheckBackground(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_BG_COLOUR, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_BG_IMAGE, BM_SETCHECK, BST_CHECKED, 0);
    Click(dialog, IDC_BG_IMAGE);
    Check(IsWindowEnabled(GetDlgItem(dialog, IDC_BG_IMAGE_PATH)), "Image enables the image path");
    SendDlgItemMessageA(dialog, IDC_BG_IMAGE, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_BG_STARFIELD, BM_SETCHECK, BST_CHECKED, 0);
    Click(dialog, IDC_BG_STARFIELD);
    Check(!IsWindowEnabled(GetDlgItem(dialog, IDC_BG_IMAGE_PATH)), "Starfield disables the image path");
}

void CheckKeys(HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Settle(dialog);
    Check(IsWindow(dialog), "Enter leaves the main dialog open");
    HWND focus = GetDlgItem(dialog, IDC_ADD);
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    Sleep(300);
    Settle(dialog);
    Check(IsWindow(dialog), "Escape leaves the main dialog open");
}

// The sound dialog: a wave file as backing track disables the three effect rows;
// only the music's file dialog offers "Loop Sound"; Cancel keeps the project's paths.
void CheckSoundDialog(HWND dialog) {
    PostClick(dialog, IDC_SOUND);
    HWND sound = FindDialog("Select Sound Effects", 20);
    Check(sound != nullptr, "Sound opens the sound dialog");
    if (!sound) return;
    Settle(sound);
    const int effects[] = {IDC_BOUNCE_PATH, IDC_BOUNCE_BROWSE, IDC_CREATE_PATH, IDC_CREATE_BROWSE, IDC_DESTROY_PATH,
                           IDC_DESTROY_BROWSE};
    SetText(sound, IDC_BOUNCE_PATH, "c:\\sounds\\boing.wav");
    SetText(sound, IDC_MUSIC_PATH, "c:\\sounds\\theme.WAV");
    Settle(sound);
    bool anyEnabled = false;
    for (int id : effects) anyEnabled = anyEnabled || IsWindowEnabled(GetDlgItem(sound, id));
    Check(!anyEnabled, "a wave backing track disables the three effect rows");
    SetText(sound, IDC_MUSIC_PATH, "c:\\sounds\\theme.mid");
    Settle(sound);
    bool allEnabled = true;
    for (int id : effects) allEnabled = allEnabled && IsWindowEnabled(GetDlgItem(sound, id));
    Check(allEnabled, "a MIDI backing track enables them again");
    Check(Text(sound, IDC_BOUNCE_PATH) == "c:\\sounds\\boing.wav", "the effect paths keep their values");

    struct Row {
        int browse;
        const char* title;
        bool loop;
    } rows[] = {{IDC_MUSIC_BROWSE, "Select Midi or Wave Backing Track", true},
                {IDC_BOUNCE_BROWSE, "Select Bounce Sound", false}};
    for (const Row& row : rows) {
        PostClick(sound, row.browse);
        HWND box = FindDialog(row.title, 20);
        Check(box != nullptr, std::string("Browse opens ") + row.title);
        if (!box) continue;
        Settle(box);
        HWND child = TemplateChild(box, IDC_LOOP_SOUND);
        Check(child && (IsWindowEnabled(GetDlgItem(child, IDC_LOOP_SOUND)) != FALSE) == row.loop,
              std::string(row.title) + (row.loop ? " offers Loop Sound" : " offers no Loop Sound"));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDCANCEL)));
        Check(WaitGone(box, 20), std::string("Cancel closes ") + row.title);
        Settle(sound);
    }
    PostClick(sound, IDCANCEL);
    Check(WaitGone(sound, 20), "Cancel closes the sound dialog");
    Settle(dialog);
    PostClick(dialog, IDC_SOUND);
    sound = FindDialog("Select Sound Effects", 20);
    if (!sound) return;
    Settle(sound);
    Check(Text(sound, IDC_MUSIC_PATH).empty() && Text(sound, IDC_BOUNCE_PATH).empty(),
          "a cancelled sound dialog leaves the project's sounds as they were");
    PostClick(sound, IDCANCEL);
    WaitGone(sound, 20);
    Settle(dialog);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orb::driver;
    if (argc != 3) {
        std::printf("usage: orbellan_driver ORBELLAN_EXE ARTEFACT_FOLDER\n");
        return 100;
    }
    std::string program = WindowsPath(argv[1]), artefacts = WindowsPath(argv[2]);
    std::string folder = FolderOf(program);
    // A leftover preview project: closing the program must remove it.
    if (std::FILE* stale = std::fopen((folder + "Viewer.apj").c_str(), "wb")) std::fclose(stale);
    Started started;
    if (!StartOrbellan(program, artefacts + "\\orbellan_reports.txt", started)) return 100;
    HWND dialog = started.dialog;
    std::string openPath(256, '\0');
    GetProfileStringA("DefaultDirectories", "DefaultOpenPath", "", openPath.data(), 255);
    openPath.resize(std::strlen(openPath.c_str()));
    Check(!openPath.empty() && (openPath + "\\") == folder, "a first run remembers the program folder (got " + openPath + ")");
    std::string openProject(256, '\0');
    GetProfileStringA("DefaultDirectories", "DefaultOpenProject", "", openProject.data(), 255);
    openProject.resize(std::strlen(openProject.c_str()));
    Check(openProject == openPath + "\\Untitled.apj", "a first run remembers Untitled.apj (got " + openProject + ")");

    CheckDefaults(dialog);
    SaveScreenshot(dialog, artefacts + "\\main_dialog_start.bmp");
    CheckModeButtons(dialog);
    CheckSettings(dialog);
    CheckBackground(dialog);
    CheckKeys(dialog);
    Sleep(300);
    SaveScreenshot(dialog, artefacts + "\\main_dialog_edited.bmp");

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BANNER, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BANNER)));
    if (HWND banner = FindDialog("Select Control Panel Banner", 20)) {
        Sleep(500);
        Settle(banner);
        Check(Text(banner, IDC_BANNER_PATH) == "Default Picture", "the banner dialog shows the default picture");
        SaveScreenshot(banner, artefacts + "\\banner_dialog.bmp");
        PostMessageA(banner, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(banner, IDCANCEL)));
        Sleep(500);
        Settle(dialog);
    } else {
        Check(false, "Banner opens the banner dialog");
    }

    CheckSoundDialog(dialog);

    Click(dialog, IDC_NEW);
    Check(Text(dialog, IDC_SIZE_VALUE) == "100" && Text(dialog, IDC_NUMBER) == "5", "New resets the settings");
    Check(Pressed(dialog, IDC_SHUFFLE), "New keeps Shuffle");
    Check(IsDlgButtonChecked(dialog, IDC_TURBO) == BST_CHECKED, "New keeps Turbo");

    CloseOrbellan(started);
    Check(!FileExists(folder + "Viewer.apj"), "closing deletes the preview project Viewer.apj");
    return FinishDriver();
}
