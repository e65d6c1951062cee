// Drives Orbellan.exe's project-wide work as a user would and checks what lands
// in files and in the profile: the remembered background colour and the colour
// picker's keys, the background image's and the banner's Browse, saving under a typed name or
// through Enter, loading every stored field back into the dialog (a project
// with no mode pressed too), and an actor file named on the command line.
// Usage: orbellan_project_driver ORBELLAN_EXE INPUT_FOLDER OUTPUT_FOLDER ARTEFACT_FOLDER
// INPUT_FOLDER holds bmp\actor.bmp. Exits with the number of failed checks.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"
#include "resources/orbellan/orbellan_resources.h"
#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

constexpr int kPickerRed = 706, kPickerGreen = 707, kPickerBlue = 708;  // the colour picker's own edits

// The colour on screen at the middle of a control.
COLORREF ShownColour(HWND dialog, int id) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, id), &area);
    return ScreenPixel((area.left + area.right) / 2, (area.top + area.bottom) / 2);
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::vector<char> bytes = Contents(path);
    return {bytes.begin(), bytes.end()};
}

void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

bool ReadProject(const std::string& path, orb::ProjectFile& project) {
    std::vector<std::uint8_t> raw = Bytes(path);
    return !raw.empty() && orb::ParseProject(raw, project) == orb::ProjectCheck::Ok;
}

// New reads "DefaultColor": a leading "-" means not set (white); otherwise the
// leading digits are the colour 0x00BBGGRR, red in the low byte.
void CheckRememberedColour(HWND dialog) {
    struct Case {
        const char* stored;
        COLORREF shown;
    } cases[] = {{"-123", 0xFFFFFF}, {"255", 0x0000FF}, {"65280abc", 0x00FF00}, {"-", 0xFFFFFF}};
    for (const Case& c : cases) {
        WriteProfileStringA("DefaultColors", "DefaultColor", c.stored);
        Click(dialog, IDC_NEW);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle(dialog);
        Sleep(200);
        COLORREF shown = ShownColour(dialog, IDC_BG_SWATCH);
        Check(shown == c.shown, std::string("DefaultColor ") + c.stored + " shows " + Hex(c.shown) + " (got " +
                                    Hex(shown) + ")");
    }
}

// With "DefaultColor" present the picker starts from the sixteen remembered custom
// colours ("-" or missing: white) and OK writes them back with the chosen colour.
// Red 10, green 20, blue 30 is 30 x 65536 + 20 x 256 + 10 = 1971210.
void CheckColourPicker(HWND dialog, const std::string& shot) {
    WriteProfileStringA("DefaultColors", nullptr, nullptr);
    WriteProfileStringA("DefaultColors", "DefaultColor", "16711680");
    WriteProfileStringA("DefaultColors", "Color3", "255");
    WriteProfileStringA("DefaultColors", "Color5", "-");
    PostClick(dialog, IDC_BG_CHANGE);
    HWND picker = FindDialog("Color", 20);
    Check(picker != nullptr, "Change opens the colour picker");
    if (!picker) return;
    Settle(picker);
    Sleep(500);
    const std::pair<int, const char*> parts[] = {{kPickerRed, "10"}, {kPickerGreen, "20"}, {kPickerBlue, "30"}};
    for (const auto& [id, value] : parts) {
        SetText(picker, id, value);
        SendMessageA(picker, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(picker, id)));
    }
    Settle(picker);
    SaveScreenshot(picker, shot);
    PostMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));
    Check(WaitGone(picker, 20), "OK closes the colour picker");
    Settle(dialog);
    Sleep(300);
    Check(ProfileText("DefaultColors", "DefaultColor") == "1971210",
          "OK stores the chosen colour as DefaultColor 1971210 (got " + ProfileText("DefaultColors", "DefaultColor") + ")");
    struct Key {
        const char* key;
        const char* value;
    } keys[] = {{"Color0", "16777215"}, {"Color3", "255"}, {"Color5", "16777215"}, {"Color15", "16777215"}};
    for (const Key& k : keys)
        Check(ProfileText("DefaultColors", k.key) == k.value, std::string("OK writes ") + k.key + " = " + k.value +
                                                                  " (got " + ProfileText("DefaultColors", k.key) + ")");
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle(dialog);
    Check(ShownColour(dialog, IDC_BG_SWATCH) == RGB(10, 20, 30),
          "the swatch shows the chosen colour (got " + Hex(ShownColour(dialog, IDC_BG_SWATCH)) + ")");
}

// Browse chooses the background picture; its path lands in the image box.
void CheckBackgroundBrowse(HWND dialog, const std::string& picture) {
    CheckRadioButton(dialog, IDC_BG_STARFIELD, IDC_BG_IMAGE, IDC_BG_IMAGE);
    Click(dialog, IDC_BG_IMAGE);
    HWND box = OpenFileDialog(dialog, IDC_BG_BROWSE, "Select Background Image");
    if (!box) return;
    ConfirmFileDialog(box, picture);
    Settle(dialog);
    Check(lstrcmpiA(Text(dialog, IDC_BG_IMAGE_PATH).c_str(), picture.c_str()) == 0,
          "the chosen picture is the background image path (got " + Text(dialog, IDC_BG_IMAGE_PATH) + ")");
}

// The banner dialog's file dialog has the same title: it is the other one.
HWND FileDialogOver(HWND banner) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", "Select Control Panel Banner"); window;
         window = FindWindowExA(nullptr, window, "#32770", "Select Control Panel Banner"))
        if (window != banner) return window;
    return nullptr;
}

HWND OpenBanner(HWND dialog) {
    PostClick(dialog, IDC_BANNER);
    HWND banner = FindDialog("Select Control Panel Banner", 20);
    Check(banner != nullptr, "Banner opens the banner dialog");
    if (banner) Settle(banner);
    return banner;
}

// The banner path the project stores once saved as `path`.
std::string SavedBanner(HWND dialog, const std::string& path) {
    DeleteFileA(path.c_str());
    SaveThrough(dialog, path, IDC_SAVE_PROJECT);
    WaitFor([&] { return FileExists(path); }, 20);
    orb::ProjectFile saved;
    return ReadProject(path, saved) ? saved.bannerPath : "(unreadable)";
}

// Browse chooses the banner picture: the dialog names it and the project stores
// its path. Opened again the dialog shows it; Reset gives back the default
// picture, and OK then stores an empty path.
void CheckBannerBrowse(HWND dialog, const std::string& picture, const std::string& output, const std::string& shot) {
    HWND banner = OpenBanner(dialog);
    if (!banner) return;
    PostClick(banner, IDC_BANNER_BROWSE);
    HWND box = nullptr;
    Check(WaitFor([&] { return (box = FileDialogOver(banner)) != nullptr; }, 20), "Browse opens a file dialog");
    if (!box) return;
    Settle(box);
    Sleep(1000);
    ConfirmFileDialog(box, picture);
    Settle(banner);
    Check(lstrcmpiA(Text(banner, IDC_BANNER_PATH).c_str(), picture.c_str()) == 0,
          "the banner dialog names the chosen picture (got " + Text(banner, IDC_BANNER_PATH) + ")");
    SaveScreenshot(banner, shot);
    PostClick(banner, IDOK);
    Check(WaitGone(banner, 20), "OK closes the banner dialog");
    const std::string stored = SavedBanner(dialog, output + "\\banner.apj");
    Check(lstrcmpiA(stored.c_str(), picture.c_str()) == 0, "the project stores the banner's path (got " + stored + ")");

    banner = OpenBanner(dialog);
    if (!banner) return;
    Check(lstrcmpiA(Text(banner, IDC_BANNER_PATH).c_str(), picture.c_str()) == 0, "opened again it shows the picture");
    Click(banner, IDC_BANNER_RESET);
    Check(Text(banner, IDC_BANNER_PATH) == "Default Picture", "Reset shows the default picture (got " +
                                                                  Text(banner, IDC_BANNER_PATH) + ")");
    PostClick(banner, IDOK);
    Check(WaitGone(banner, 20), "OK closes the banner dialog again");
    Check(SavedBanner(dialog, output + "\\banner.apj").empty(), "after Reset the project stores no banner path");
}

// A typed fish.txt is stored as fish.apj; a name confirmed with Enter saves the
// project; with no background button checked the kind is 3 but no image is used.
void CheckSaving(HWND dialog, const std::string& output) {
    Click(dialog, IDC_NEW);
    SetText(dialog, IDC_NUMBER, "17");
    Leave(dialog, IDC_NUMBER);
    for (int id : {IDC_BG_STARFIELD, IDC_BG_DESKTOP, IDC_BG_COLOUR, IDC_BG_IMAGE})
        SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_UNCHECKED, 0);
    SaveThrough(dialog, output + "\\fish.txt", IDC_SAVE_PROJECT);
    Check(WaitFor([&] { return FileExists(output + "\\fish.apj"); }, 20), "a typed fish.txt is saved as fish.apj");
    Check(!FileExists(output + "\\fish.txt"), "no fish.txt is written");
    Check(ProfileText("DefaultDirectories", "DefaultOpenProject") == output + "\\fish.apj",
          "the saved fish.apj is remembered (got " + ProfileText("DefaultDirectories", "DefaultOpenProject") + ")");
    orb::ProjectFile saved;
    Check(ReadProject(output + "\\fish.apj", saved), "fish.apj reads back as a project");
    Check(saved.settings.number == 17, "fish.apj stores Number 17");
    Check(saved.settings.backgroundKind == 3 && saved.useBackdropImage == 0,
          "with no background button checked the kind is 3 and no image is used (got kind " +
              std::to_string(saved.settings.backgroundKind) + ", image " + std::to_string(saved.useBackdropImage) + ")");

    if (HWND box = OpenFileDialog(dialog, IDC_SAVE, "Save As")) ConfirmFileDialog(box, output + "\\entered");
    Check(WaitFor([&] { return FileExists(output + "\\entered.apj"); }, 20), "a name confirmed with Enter is saved");
}

// Every stored field, each with a value of its own, shows in the dialog after
// Load, and a save gives the same fields back.
// Sounds, backdrop and banner all present and embedded, so loading and saving
// again have nothing to report.
orb::ProjectFile DistinctProject(const std::string& input, const std::string& output) {
    orb::ProjectFile p;
    p.eraser = 1;
    const char* names[] = {"theme.mid", "boing.wav", "pop.wav", "bang.wav"};
    for (int i = 0; i < 4; ++i) {
        p.soundPaths[i] = output + "\\" + names[i];
        p.sounds[i].missing = 0;
        p.sounds[i].bytes = {'R', 'I', 'F', 'F', std::uint8_t('0' + i)};
        Write(p.soundPaths[i], p.sounds[i].bytes);
    }
    p.loopMusic = 1;
    const std::string picture = input + "\\bmp\\actor.bmp";
    p.backdropPath = picture;
    p.useBackdropImage = 1;
    p.backdrop.missing = 0;
    p.backdrop.bitmap = Bytes(picture);
    p.bannerPath = picture;
    p.banner.missing = 0;
    p.banner.bitmap = Bytes(picture);
    p.settings = {23, 61, 45, -40, 70, 30, 12, 34, 200, 77, -25, 33, -44, 66, 9, 3, 3, 1, 0x123456, 1, 0, 1};
    return p;
}

void CheckLoadingEveryField(HWND dialog, const std::string& input, const std::string& output) {
    orb::ProjectFile stored = DistinctProject(input, output);
    std::string path = output + "\\distinct.apj";
    Write(path, orb::SerializeProject(stored));
    Click(dialog, IDC_NEW);
    LoadThrough(dialog, path);
    WaitFor([&] { return Text(dialog, IDC_NUMBER) == "23"; }, 20);
    Settle(dialog);
    struct Edit {
        int id;
        const char* text;
    } edits[] = {{IDC_NUMBER, "23"}, {IDC_SIZE_VALUE, "61"}, {IDC_DIRECTION, "45"}, {IDC_SWIRL, "33"}, {IDC_SPIN, "-44"}};
    for (const Edit& e : edits)
        Check(Text(dialog, e.id) == e.text, "edit " + std::to_string(e.id) + " shows " + e.text + " (got " +
                                                Text(dialog, e.id) + ")");
    // Lifetimes show as 100 minus the stored value: 100 - 70 = 30 and 100 - 30 = 70.
    struct Slider {
        int id;
        int position;
    } sliders[] = {{IDC_ACTOR_BIAS, -40}, {IDC_SPRITE_LIFETIME, 30}, {IDC_SCENE_LIFETIME, 70},
                   {IDC_NUMBER_RANGE, 12}, {IDC_SIZE_RANGE, 34},     {IDC_DIRECTION_RANGE, 200},
                   {IDC_SPEED, 77},        {IDC_VARIATION, -25},     {IDC_SWIRL_SLIDER, 33},
                   {IDC_SPIN_SLIDER, -44}, {IDC_STUTTER, 66},        {IDC_FACTOR_X, 9}};
    for (const Slider& s : sliders)
        Check(SliderPos(dialog, s.id) == s.position, "slider " + std::to_string(s.id) + " at " +
                                                         std::to_string(s.position) + " (got " +
                                                         std::to_string(SliderPos(dialog, s.id)) + ")");
    Check(Pressed(dialog, IDC_MODE_RAIN) && !Pressed(dialog, IDC_MODE_BOUNCE), "mode 3 presses RAIN alone");
    Check(IsDlgButtonChecked(dialog, IDC_BG_IMAGE) == BST_CHECKED &&
              IsDlgButtonChecked(dialog, IDC_BG_COLOUR) != BST_CHECKED,
          "background kind 3 checks Image alone");
    Check(IsWindowEnabled(GetDlgItem(dialog, IDC_BG_IMAGE_PATH)), "the image path is enabled with Image");
    Check(lstrcmpiA(Text(dialog, IDC_BG_IMAGE_PATH).c_str(), stored.backdropPath.c_str()) == 0,
          "the image path is loaded (got " + Text(dialog, IDC_BG_IMAGE_PATH) + ")");
    Check(Pressed(dialog, IDC_SHUFFLE), "Shuffle 1 presses SHUFFLE");
    Check(IsDlgButtonChecked(dialog, IDC_TURBO) == BST_CHECKED, "Turbo 1 checks Turbo");
    Check(IsDlgButtonChecked(dialog, IDC_ERASER) == BST_CHECKED, "Eraser 1 checks Eraser");
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle(dialog);
    Check(ShownColour(dialog, IDC_BG_SWATCH) == 0x123456, "the swatch shows colour 0x123456 (got " +
                                                               Hex(ShownColour(dialog, IDC_BG_SWATCH)) + ")");

    SaveThrough(dialog, output + "\\again.apj", IDC_SAVE_PROJECT);
    orb::ProjectFile again;
    Check(WaitFor([&] { return FileExists(output + "\\again.apj"); }, 20) && ReadProject(output + "\\again.apj", again),
          "the loaded project saves again");
    for (const orb::SettingEntry& entry : orb::kSettingTable)
        Check(again.settings.*entry.field == stored.settings.*entry.field,
              "setting " + std::string(entry.name) + " survives load and save (" +
                  std::to_string(stored.settings.*entry.field) + ", got " + std::to_string(again.settings.*entry.field) + ")");
    Check(again.eraser == 1 && again.loopMusic == 1, "Eraser and loop music survive load and save");
    Check(again.soundPaths == stored.soundPaths, "the four sound paths survive load and save");
    Check(again.bannerPath == stored.bannerPath, "the banner path survives load and save");
    Check(again.useBackdropImage == 1, "the Image flag survives load and save");
}

// A project saved with no mode pressed stores -1; loading it leaves every mode
// released, and saving again stores -1.
void CheckNoMode(HWND dialog, const std::string& output) {
    orb::ProjectFile p;
    p.settings.motionMode = -1;
    std::string path = output + "\\nomode.apj";
    Write(path, orb::SerializeProject(p));
    LoadThrough(dialog, path);
    Sleep(500);
    Settle(dialog);
    bool any = false;
    for (int id : {IDC_MODE_BOUNCE, IDC_MODE_GRAVIBOUNCE, IDC_MODE_FLYAWAY, IDC_MODE_RAIN, IDC_MODE_RANDOMDRIFT,
                   IDC_MODE_STARBURST, IDC_MODE_SPLAT, IDC_MODE_RANDOM})
        any = any || Pressed(dialog, id);
    Check(!any, "a project with mode -1 leaves every mode released");
    SaveThrough(dialog, output + "\\nomode2.apj", IDC_SAVE_PROJECT);
    orb::ProjectFile again;
    Check(WaitFor([&] { return FileExists(output + "\\nomode2.apj"); }, 20) &&
              ReadProject(output + "\\nomode2.apj", again) && again.settings.motionMode == -1,
          "saving it again stores mode -1");
}

// An actor file: one 6 x 4 frame.
void WriteActorFile(const std::string& path) {
    orb::GXDrawingSurface frame;
    frame.Create(24, 6, 4);
    frame.Fill(0x40, 0x80, 0xC0);
    frame.name = path;
    frame.firstFrame = &frame;
    frame.frameCount = 1;
    orb::NullReportSink quiet;
    orb::SaveActor(path, frame, quiet);
}

// The first argument naming ".act" anywhere (in any case) is loaded under its
// lower-cased path; a second one is not loaded.
void CheckStartActor(const std::string& program, const std::string& input, const std::string& output,
                     const std::string& log) {
    std::string first = input + "\\FISH.ACT", second = input + "\\star.act";
    WriteActorFile(first);
    WriteActorFile(second);
    Started started;
    if (!StartOrbellan(program, log, started, "\"" + first + "\" \"" + second + "\"")) return;
    WaitFor([&] { return ActorCount(started.dialog) == 1; }, 20);
    Check(ActorCount(started.dialog) == 1, "only the first actor file named at start-up is loaded (count " +
                                               std::to_string(ActorCount(started.dialog)) + ")");
    SaveThrough(started.dialog, output + "\\started.apj", IDC_SAVE_PROJECT);
    orb::ProjectFile saved;
    bool read = WaitFor([&] { return FileExists(output + "\\started.apj"); }, 20) &&
                ReadProject(output + "\\started.apj", saved) && saved.actors.size() == 1;
    Check(read, "the started project saves one actor");
    if (read) {
        orb::ByteReader reader(saved.actors[0]);
        orb::FrameList frames;
        orb::NullReportSink quiet;
        orb::ActorReadResult actor = orb::ReadActor(reader, frames, orb::Program::Authoring, quiet);
        std::string lower = first;
        CharLowerA(lower.data());
        Check(actor && actor.name == lower, "the actor is named by the lower-cased argument " + lower + " (got " +
                                                actor.name + ")");
    }
    CloseOrbellan(started);
}

}  // namespace

int main(int argc, char** argv) {
    DriverRun run;
    if (!StartDriverRun(argc, argv, "orbellan_project", run)) return 100;
    HWND dialog = run.dialog;
    CheckRememberedColour(dialog);
    CheckColourPicker(dialog, run.artefacts + "\\colour_picker.bmp");
    CheckBackgroundBrowse(dialog, run.input + "\\bmp\\actor.bmp");
    CheckBannerBrowse(dialog, run.input + "\\bmp\\actor.bmp", run.output, run.artefacts + "\\banner_chosen.bmp");
    CheckSaving(dialog, run.output);
    CheckLoadingEveryField(dialog, run.input, run.output);
    SaveScreenshot(dialog, run.artefacts + "\\main_dialog_loaded.bmp");
    CheckNoMode(dialog, run.output);
    Check(ReportLines(run.log) == 0, "the project work reports nothing (see " + run.log + ")");
    CloseOrbellan(run.started);

    CheckStartActor(run.program, run.input, run.output, run.log);
    Check(ReportLines(run.log) == 0, "the start-up load reports nothing (see " + run.log + ")");
    return FinishDriver();
}
