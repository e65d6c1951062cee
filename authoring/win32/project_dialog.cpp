#include "authoring/win32/project_dialog.h"

#include "authoring/win32/about_dialog.h"
#include "authoring/win32/banner_dialog.h"
#include "authoring/win32/profile_settings.h"
#include "authoring/win32/progress_dialog.h"
#include "authoring/win32/report_box.h"
#include "authoring/win32/sound_dialog.h"
#include "common/formats/actor_file.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

std::string CurrentDirectory() {
    char folder[257] = {};
    GetCurrentDirectoryA(256, folder);
    return folder;
}

}  // namespace

ProjectDialog::ProjectDialog(std::string programFolder, std::string startActor, int startArguments)
    : programFolder_(std::move(programFolder)), startActor_(std::move(startActor)),
      startArguments_(startArguments) {}

INT_PTR ProjectDialog::Run(HINSTANCE instance) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(ORB_DLG_PROJECT), nullptr, Proc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ProjectDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ProjectDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->dialog_ = window;
    }
    auto* self = reinterpret_cast<ProjectDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR ProjectDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Initialise();
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_HSCROLL:
        settings_.OnSlider(reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_VSCROLL:
        OnVerticalScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_LBUTTONDOWN:
        SelectAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return TRUE;
    case WM_LBUTTONDBLCLK:
        StartAnimation();
        return TRUE;
    case WM_RBUTTONDOWN:
        ModifySelected();
        return TRUE;
    case WM_TIMER:
        if (wParam == kAnimationTimer) AnimationTick();
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog_, kAnimationTimer);
        WriteSetting(kDirectoriesSection, kOpenPathKey, importPath_);
        WriteSetting(kDirectoriesSection, kOpenProjectKey, project_.projectPath);
        FreeList(actors_);
        thumbnails_.clear();
        settings_.Detach();
        upActor_.Detach();
        downActor_.Detach();
        RemovePropA(dialog_, kActorCountProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

void ProjectDialog::Initialise() {
    RECT area;
    GetWindowRect(dialog_, &area);
    SetWindowPos(dialog_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (area.right - area.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (area.bottom - area.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetCurrentDirectoryA(programFolder_.c_str());
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_ICON_PROGRAM));
    SendMessageA(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowTextA(dialog_, "Orbellan");
    settings_.Attach(dialog_);
    upActor_.Attach(dialog_, IDC_UP_ACTOR);
    downActor_.Attach(dialog_, IDC_DOWN_ACTOR);
    Reset(true);
}

void ProjectDialog::Reset(bool startUp) {
    KillTimer(dialog_, kAnimationTimer);
    thumbnails_.clear();
    selected_ = -1;
    UserProfile profile;
    RememberedDefaults defaults = ReadRememberedDefaults(profile, CurrentDirectory());
    importPath_ = defaults.importPath;
    project_.Reset(defaults.backgroundColour);
    project_.projectPath = defaults.projectPath;
    actorCount_ = 0;
    firstVisible_ = 0;
    scrollPosition_ = 0;
    SetScrollRange(GetDlgItem(dialog_, IDC_ACTOR_SCROLL), SB_CTL, 0, 255, FALSE);
    SetScrollPos(GetDlgItem(dialog_, IDC_ACTOR_SCROLL), SB_CTL, 0, TRUE);
    if (startUp) LoadStartActor();
    settings_.Show();
    RebuildThumbnails();
    InvalidateRect(dialog_, nullptr, TRUE);
}

void ProjectDialog::LoadStartActor() {
    if (startActor_.empty()) return;
    ProgressDialog progress(dialog_, "Loading", startArguments_);
    progress.Step(startActor_);
    ReportBoxSink sink;
    if (FindByName(actors_, startActor_)) {
        ReportInformation("This object has already been loaded", startActor_);
    } else {
        std::size_t before = actors_.size();
        ActorReadResult result = LoadActor(startActor_, actors_, Program::Authoring, sink);
        if (result && actors_.size() > before) actors_[before]->name = startActor_;
    }
    startActor_.clear();
    GiveDefaultTransparencyFrom(0);
}

void ProjectDialog::OnCommand(int id, int code, HWND control) {
    if (settings_.OnCommand(id, code)) return;
    if (code != BN_CLICKED && id != IDCANCEL) return;
    switch (id) {
    case IDOK:  // Enter does nothing here; only Close ends the program.
        return;
    case IDCANCEL:
        if (code == BN_CLICKED || control == nullptr) EndDialog(dialog_, IDCANCEL);
        return;
    case IDC_ADD: return AddActors();
    case IDC_UP_ACTOR: return MoveSelected(-1);
    case IDC_DOWN_ACTOR: return MoveSelected(+1);
    case IDC_REMOVE: return RemoveSelected();
    case IDC_NEW: return Reset(false);
    case IDC_BANNER:
        RunBannerDialog(dialog_, project_.bannerPath);
        return;
    case IDC_SOUND: return ChooseSounds();
    case IDC_PREVIEW: return PreviewProject();
    case IDC_SAVE: return SaveOrBuildProject();
    case IDC_LOAD: return LoadProjectFile();
    case IDC_HELP_BUTTON: return OpenHelp(dialog_, programFolder_);
    default: return;
    }
}

void ProjectDialog::ChooseSounds() {
    auto& paths = project_.soundPaths;
    SoundChoice choice{paths[kMusicSound], paths[kBounceSound], paths[kCreateSound], paths[kDestroySound],
                       project_.loopMusic != 0};
    if (!RunSoundDialog(dialog_, choice)) return;
    paths = {choice.musicPath, choice.bounceSoundPath, choice.createSoundPath, choice.destroySoundPath};
    project_.loopMusic = choice.loopMusic ? 1 : 0;
}

void ProjectDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (settings_.Draw(item)) return;
    int id = static_cast<int>(item.CtlID);
    switch (id) {
    case IDC_UP_ACTOR: return upActor_.Draw(item, false);
    case IDC_DOWN_ACTOR: return downActor_.Draw(item, false);
    case IDC_BIAS_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_BIAS);
    case IDC_SPRITE_LIFE_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_SPRITE_LIFE);
    case IDC_SCENE_LIFE_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_SCENE_LIFE);
    case IDC_LOGO: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_LOGO);
    default:
        if (id >= IDC_SLOT_FIRST && id < IDC_SLOT_FIRST + kSlotCount) DrawSlot(item, id - IDC_SLOT_FIRST);
    }
}

}  // namespace orb
