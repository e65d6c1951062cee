// "&Preview", "&Save" (save, build, install) and "&Load": the main dialog's file
// work over the project writer, reader and archive container.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "authoring/win32/profile_settings.h"
#include "authoring/win32/progress_dialog.h"
#include "authoring/win32/project_dialog.h"
#include "authoring/win32/report_box.h"
#include "authoring/model/project_files.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

constexpr char kProjectFilter[] = "Orbellan Screen Savers (*.apj)\0*.apj\0All Files (*.*)\0*.*\0";

enum class SaveChoice { None, SaveProject, Build, Install };

struct SaveDialogState {
    SaveChoice choice = SaveChoice::None;
    bool noButtonPressed = true;
    char path[MAX_PATH] = {};
};

UINT_PTR CALLBACK SaveHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND box = GetParent(child);
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<SaveDialogState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        ShowWindow(GetDlgItem(box, IDOK), SW_HIDE);
        ShowWindow(GetDlgItem(box, IDCANCEL), SW_HIDE);
        SetFocus(GetDlgItem(child, IDC_SAVE_PROJECT));
        return FALSE;
    }
    auto* state = reinterpret_cast<SaveDialogState*>(GetWindowLongPtrA(child, DWLP_USER));
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED || !state) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_SAVE_PROJECT: state->choice = SaveChoice::SaveProject; break;
    case IDC_BUILD: state->choice = SaveChoice::Build; break;
    case IDC_INSTALL: state->choice = SaveChoice::Install; break;
    case IDCANCEL: PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); return TRUE;
    default: return FALSE;
    }
    state->noButtonPressed = false;
    // The file name as typed or chosen at the moment of the press; a typed full
    // path stands as it is, a bare name lies in the folder on show.
    char typedName[MAX_PATH] = {}, folder[MAX_PATH] = {};
    SendMessageA(box, CDM_GETSPEC, sizeof typedName, reinterpret_cast<LPARAM>(typedName));
    bool full = typedName[0] == '\\' || (typedName[0] != '\0' && typedName[1] == ':');
    if (!full && SendMessageA(box, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0) {
        std::string joined = folder;
        if (!joined.empty() && joined.back() != '\\') joined += '\\';
        lstrcpynA(state->path, typedName[0] ? (joined + typedName).c_str() : "", sizeof state->path);
    } else {
        lstrcpynA(state->path, typedName, sizeof state->path);
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// Where the Control Panel looks for screen savers.
std::filesystem::path SystemFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::filesystem::path(folder) : InstallFolder();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Slider(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0)); }
void SetSliderTo(HWND dialog, int id, int position) { SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position); }
std::int32_t EditNumber(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return static_cast<std::int32_t>(std::strtol(text, nullptr, 10));
}
void SetEditNumber(HWND dialog, int id, std::int32_t value) {
    SetDlgItemTextA(dialog, id, std::to_string(value).c_str());
}

// The sliders whose positions are stored as they are.
struct SliderSetting {
    SettingId setting;
    int control;
};
constexpr SliderSetting kSliderSettings[] = {
    {kActorBias, IDC_ACTOR_BIAS},     {kNumberRange, IDC_NUMBER_RANGE}, {kSizeRange, IDC_SIZE_RANGE},
    {kDirectionRange, IDC_DIRECTION_RANGE}, {kSpeed, IDC_SPEED},      {kSpeedVariation, IDC_VARIATION},
    {kSwirl, IDC_SWIRL_SLIDER},       {kSpin, IDC_SPIN_SLIDER},         {kStutter, IDC_STUTTER},
    {kFactorX, IDC_FACTOR_X},
};

}  // namespace

void ProjectDialog::SyncModel() {
    ProjectSettings& s = project_.settings;
    s[kNumber] = EditNumber(dialog_, IDC_NUMBER);
    s[kSize] = EditNumber(dialog_, IDC_SIZE_VALUE);
    s[kDirection] = EditNumber(dialog_, IDC_DIRECTION);
    for (const SliderSetting& slider : kSliderSettings) s[slider.setting] = Slider(dialog_, slider.control);
    s[kSpriteLifetime] = 100 - Slider(dialog_, IDC_SPRITE_LIFETIME);
    s[kSceneLifetime] = 100 - Slider(dialog_, IDC_SCENE_LIFETIME);
    s[kMotionMode] = MotionMode();
    s[kBackgroundKind] = BackgroundKind();
    s[kShuffle] = shuffle_.Pressed();
    s[kBackgroundColour] = static_cast<std::int32_t>(backgroundColour_);
    s[kTurbo] = turbo_;
    s[kQuickRotation] = quickRotation_;
    s[kAlignToPath] = alignToPath_;
    project_.eraser = eraser_;
    project_.loopMusic = loopMusic_;
    char backdrop[256] = {};
    GetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, backdrop, sizeof backdrop);
    project_.backdropPath = backdrop;
    project_.useBackdropImage = IsDlgButtonChecked(dialog_, IDC_BG_IMAGE) == BST_CHECKED;
    for (GXDrawingSurface* first : project_.Actors())
        if (!first->firstFrame) first->firstFrame = first;
}

void ProjectDialog::ShowModel() {
    const ProjectSettings& s = project_.settings;
    eraser_ = project_.eraser != 0;
    CheckDlgButton(dialog_, IDC_ERASER, eraser_ ? BST_CHECKED : BST_UNCHECKED);
    loopMusic_ = project_.loopMusic != 0;
    SetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, project_.backdropPath.c_str());
    SetEditNumber(dialog_, IDC_NUMBER, s[kNumber]);
    SetEditNumber(dialog_, IDC_SIZE_VALUE, s[kSize]);
    SetEditNumber(dialog_, IDC_DIRECTION, s[kDirection]);
    for (const SliderSetting& slider : kSliderSettings) SetSliderTo(dialog_, slider.control, s[slider.setting]);
    SetSliderTo(dialog_, IDC_SPRITE_LIFETIME, 100 - s[kSpriteLifetime]);
    SetSliderTo(dialog_, IDC_SCENE_LIFETIME, 100 - s[kSceneLifetime]);
    updatingSwirl_ = updatingSpin_ = true;
    SetEditNumber(dialog_, IDC_SWIRL, s[kSwirl]);
    SetEditNumber(dialog_, IDC_SPIN, s[kSpin]);
    updatingSwirl_ = updatingSpin_ = false;
    // A project saved with no mode pressed (-1) leaves every mode released.
    modes_.PressIndex(s[kMotionMode]);
    int kind = SettingInRange(kBackgroundKind, s.backgroundKind) ? s.backgroundKind : kImageBackground;
    CheckRadioButton(dialog_, IDC_BG_STARFIELD, IDC_BG_IMAGE, IDC_BG_STARFIELD + kind);
    EnableImagePath();
    shuffle_.SetPressed(s[kShuffle] != 0);
    backgroundColour_ = static_cast<std::uint32_t>(s[kBackgroundColour]) & 0xFFFFFF;
    turbo_ = s[kTurbo] != 0;
    CheckDlgButton(dialog_, IDC_TURBO, turbo_ ? BST_CHECKED : BST_UNCHECKED);
    quickRotation_ = s[kQuickRotation] != 0;
    alignToPath_ = s[kAlignToPath] != 0;
    firstPaintDone_ = true;  // the loaded mode and background stand
}

void ProjectDialog::PreviewProject() {
    ReportBoxSink sink;
    SyncModel();
    SaveProject(project_, programFolder_ + "Viewer.apj", sink);
    std::string viewer = programFolder_ + "Viewer.scr";
    if (!Exists(viewer)) {
        ShowBox(nullptr,
                "Unable to find Orbellan's Screensaver viewer: screensavers cannot be previewed. Make sure the file "
                "Viewer.scr is in the same directory as Orbellan.exe",
                "Information", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Quoted, so a program folder with spaces reaches the viewer intact.
    std::string commandLine = "\"" + viewer + "\" -s";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(viewer.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS, nullptr, programFolder_.c_str(), &startup,
                        &process)) {
        ShowBox(nullptr,
                "Unable to start Orbellan's Screensaver viewer. Orbellan may be flushing intermediate files: please "
                "try again in a moment",
                "Information", MB_OK | MB_ICONINFORMATION);
        return;
    }
    WaitForInputIdle(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void ProjectDialog::SaveOrBuildProject() {
    SaveDialogState state;
    lstrcpynA(state.path, ReadSetting(kDirectoriesSection, kOpenProjectKey, "Untitled.apj").c_str(), sizeof state.path);
    char name[MAX_PATH];
    lstrcpynA(name, state.path, sizeof name);
    OPENFILENAMEA save{};
    save.lStructSize = sizeof save;
    save.hwndOwner = dialog_;
    save.hInstance = GetModuleHandleA(nullptr);
    save.lpstrFilter = kProjectFilter;
    save.lpstrFile = name;
    save.nMaxFile = sizeof name;
    save.lpstrDefExt = "apj";
    save.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    save.lpTemplateName = MAKEINTRESOURCEA(ORB_DLG_SAVE_CHILD);
    save.lpfnHook = SaveHook;
    save.lCustData = reinterpret_cast<LPARAM>(&state);
    bool confirmed = GetSaveFileNameA(&save) != 0;
    std::string chosen;
    if (confirmed && state.noButtonPressed) {
        state.choice = SaveChoice::SaveProject;
        chosen = name;
    } else if (!state.noButtonPressed) {
        chosen = state.path;
    }
    if (state.choice == SaveChoice::None || chosen.empty()) return RedrawSlots();
    std::string path = ForceProjectExtension(chosen);
    projectPath_ = path;
    if (state.choice != SaveChoice::Install) WriteSetting(kDirectoriesSection, kOpenProjectKey, projectPath_);
    SyncModel();
    ReportBoxSink sink;
    if (state.choice == SaveChoice::SaveProject) {
        SaveProject(project_, path, sink);
        return RedrawSlots();
    }
    std::string viewer = programFolder_ + "Viewer.scr";
    char message[512];
    std::snprintf(message, sizeof message,
                  "Unable to locate chosen Viewer (%s); please copy this file to your project directory", "Viewer.scr");
    if (ReportInformation(!Exists(viewer), message, viewer)) return RedrawSlots();
    std::filesystem::path archive = path;
    if (state.choice == SaveChoice::Install) archive = SystemFolder() / archive.filename();
    std::filesystem::path saver = archive;
    saver.replace_extension(".scr");
    PercentProgress progress(dialog_, "Compressing ...");
    BuildRequest request;
    request.archivePath = archive;
    // Building "Viewer" in the program folder must not copy the viewer onto itself.
    if (lstrcmpiA(saver.string().c_str(), viewer.c_str()) != 0) request.viewerSource = viewer;
    request.progress = [&progress](const std::string&, int percent) { progress(percent); };
    BuildSaver(project_, request, sink);
    progress.Close();
    RedrawSlots();
}

void ProjectDialog::LoadProjectFile() {
    char name[MAX_PATH];
    lstrcpynA(name, ReadSetting(kDirectoriesSection, kOpenProjectKey, "Untitled.apj").c_str(), sizeof name);
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog_;
    open.lpstrFilter = kProjectFilter;
    open.lpstrFile = name;
    open.nMaxFile = sizeof name;
    open.lpstrDefExt = "apj";
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&open)) return RedrawSlots();
    KillTimer(dialog_, 1);
    WriteSetting(kDirectoriesSection, kOpenProjectKey, name);
    ReportBoxSink sink;
    PercentProgress progress(dialog_, "Decompressing ...");
    // A project that cannot be read leaves the current one as it was.
    bool loaded = LoadProject(name, project_, sink, [&progress](const std::string&, int percent) { progress(percent); });
    progress.Close();
    if (loaded) {
        projectPath_ = name;
        selected_ = -1;
        thumbnails_.clear();
        ShowModel();
    }
    RebuildThumbnails();
    InvalidateRect(dialog_, nullptr, TRUE);
}

}  // namespace orb
