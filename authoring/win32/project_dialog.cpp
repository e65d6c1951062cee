#include "authoring/win32/project_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdlib>

#include "authoring/model/profile.h"
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

// The motion-mode group in its stored order, by control.
constexpr std::array<int, 8> kModeControls = {IDC_MODE_BOUNCE,      IDC_MODE_GRAVIBOUNCE, IDC_MODE_FLYAWAY,
                                              IDC_MODE_RAIN,        IDC_MODE_RANDOMDRIFT, IDC_MODE_STARBURST,
                                              IDC_MODE_SPLAT,       IDC_MODE_RANDOM};
constexpr std::array<int, 4> kBackgroundButtons = {IDC_BG_STARFIELD, IDC_BG_DESKTOP, IDC_BG_COLOUR, IDC_BG_IMAGE};

struct SliderDefault {
    int id, low, high, position;
};
constexpr SliderDefault kSliders[] = {
    {IDC_NUMBER_RANGE, 0, 100, 50},     {IDC_SIZE_RANGE, 0, 100, 0},    {IDC_DIRECTION_RANGE, 0, 360, 360},
    {IDC_SPEED, 0, 100, 50},            {IDC_VARIATION, -100, 100, 0},  {IDC_SWIRL_SLIDER, -90, 90, 0},
    {IDC_SPIN_SLIDER, -100, 100, 0},    {IDC_STUTTER, 0, 100, 15},      {IDC_FACTOR_X, 0, 100, 0},
    {IDC_SPRITE_LIFETIME, 0, 100, 0},   {IDC_SCENE_LIFETIME, 0, 100, 0}, {IDC_ACTOR_BIAS, -100, 100, 0},
};

constexpr UINT_PTR kAnimationTimer = 1;
constexpr char kImageFilter[] =
    "BMP Files (*.bmp)\0*.bmp\0JPG - JPEG - JFIF Compliant (*.jpg)\0*.jpg\0PCX - Zsoft Paintbrush (*.pcx)\0*.pcx\0"
    "PNG - Portable Network Graphics (*.png)\0*.png\0Truevision Targa (*.tga)\0*.tga\0"
    "GIF - Graphics Interchange Format (*.gif)\0*.gif\0All Files (*.*)\0*.*\0";

void SetSlider(HWND dialog, int id, int low, int high, int position) {
    SendDlgItemMessageA(dialog, id, TBM_SETRANGE, FALSE, MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high)));
    SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
}

void SetSpin(HWND dialog, int id, int low, int high, int position) {
    SendDlgItemMessageA(dialog, id, UDM_SETRANGE32, low, high);
    SendDlgItemMessageA(dialog, id, UDM_SETPOS32, 0, position);
}

int SliderPosition(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

long ItemNumber(HWND dialog, int id) { return std::strtol(ItemText(dialog, id).c_str(), nullptr, 10); }

void SetItemNumber(HWND dialog, int id, long value) { SetDlgItemTextA(dialog, id, std::to_string(value).c_str()); }

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
        OnSlider(reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_VSCROLL:
        OnVerticalScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT:
        if (!firstPaintDone_) ApplyFirstPaint();
        return FALSE;
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
        WriteSetting(kDirectoriesSection, kOpenProjectKey, projectPath_);
        FreeList(actors_);
        thumbnails_.clear();
        for (ModeButton& button : modeButtons_) button.Detach();
        shuffle_.Detach();
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
    ReportMask = kReportAll;
    for (std::size_t i = 0; i < kModeControls.size(); ++i) {
        modeButtons_[i].Attach(dialog_, kModeControls[i]);
        modes_.Add(modeButtons_[i]);
    }
    shuffle_.Attach(dialog_, IDC_SHUFFLE);
    upActor_.Attach(dialog_, IDC_UP_ACTOR);
    downActor_.Attach(dialog_, IDC_DOWN_ACTOR);
    SendDlgItemMessageA(dialog_, IDC_NUMBER, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageA(dialog_, IDC_SIZE_VALUE, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageA(dialog_, IDC_DIRECTION, EM_LIMITTEXT, 4, 0);
    Reset(true);
}

void ProjectDialog::DefaultPathsFromSettings() {
    std::string openPath = ReadSetting(kDirectoriesSection, kOpenPathKey);
    if (openPath.empty()) {
        openPath = CurrentDirectory();
        WriteSetting(kDirectoriesSection, kOpenPathKey, openPath);
        WriteSetting(kDirectoriesSection, kOpenProjectKey, openPath + "\\Untitled.apj");
    }
    importPath_ = openPath;
    projectPath_ = ReadSetting(kDirectoriesSection, kOpenProjectKey);
    backgroundColour_ = ParseProfileColour(ReadSetting(kColoursSection, kDefaultColourKey, "-"));
}

void ProjectDialog::Reset(bool startUp) {
    KillTimer(dialog_, kAnimationTimer);
    FreeList(actors_);
    thumbnails_.clear();
    eraser_ = false;
    SetSpin(dialog_, IDC_DIRECTION_SPIN, 0, 360, 0);
    SetSpin(dialog_, IDC_SIZE_SPIN, 0, 100, 100);
    SetSpin(dialog_, IDC_NUMBER_SPIN, 0, 50, 5);
    SetSpin(dialog_, IDC_SWIRL_SPIN, -90, 90, 0);
    SetSpin(dialog_, IDC_SPIN_SPIN, -100, 100, 0);
    SetDlgItemTextA(dialog_, IDC_SPIN, "0");
    SetDlgItemTextA(dialog_, IDC_SWIRL, "0");
    SetDlgItemTextA(dialog_, IDC_DIRECTION, "0");
    SetItemNumber(dialog_, IDC_NUMBER, 5);
    SetItemNumber(dialog_, IDC_SIZE_VALUE, 100);
    for (const SliderDefault& slider : kSliders) SetSlider(dialog_, slider.id, slider.low, slider.high, slider.position);
    CheckDlgButton(dialog_, IDC_TURBO, turbo_ ? BST_CHECKED : BST_UNCHECKED);
    selected_ = -1;
    DefaultPathsFromSettings();
    bannerPath_.clear();
    musicPath_.clear();
    bounceSoundPath_.clear();
    createSoundPath_.clear();
    destroySoundPath_.clear();
    actorCount_ = 0;
    firstVisible_ = 0;
    scrollPosition_ = 0;
    SetScrollRange(GetDlgItem(dialog_, IDC_ACTOR_SCROLL), SB_CTL, 0, 255, FALSE);
    SetScrollPos(GetDlgItem(dialog_, IDC_ACTOR_SCROLL), SB_CTL, 0, TRUE);
    if (startUp) LoadStartActor();
    firstPaintDone_ = false;
    RebuildThumbnails();
    InvalidateRect(dialog_, nullptr, TRUE);
}

void ProjectDialog::ApplyFirstPaint() {
    firstPaintDone_ = true;
    modes_.Press(modeButtons_[0]);
    CheckDlgButton(dialog_, IDC_ERASER, eraser_ ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog_, IDC_BG_STARFIELD, IDC_BG_IMAGE, IDC_BG_COLOUR);
    SetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, "");
    EnableImagePath();
}

void ProjectDialog::LoadStartActor() {
    if (startActor_.empty()) return;
    ProgressDialog progress(dialog_, "Loading", startArguments_);
    progress.Step(startActor_);
    ReportBoxSink sink;
    if (!ReportInformation(FindByName(actors_, startActor_) != nullptr, "This object has already been loaded",
                           startActor_)) {
        std::size_t before = actors_.size();
        ActorReadResult result = LoadActor(startActor_, actors_, Program::Authoring, sink);
        if (result && actors_.size() > before) actors_[before]->name = startActor_;
    }
    startActor_.clear();
    GiveDefaultTransparencyFrom(0);
}

int ProjectDialog::BackgroundKind() const {
    for (std::size_t i = 0; i < kBackgroundButtons.size(); ++i)
        if (IsDlgButtonChecked(dialog_, kBackgroundButtons[i]) == BST_CHECKED) return static_cast<int>(i);
    return 3;
}

void ProjectDialog::EnableImagePath() {
    EnableWindow(GetDlgItem(dialog_, IDC_BG_IMAGE_PATH), IsDlgButtonChecked(dialog_, IDC_BG_IMAGE) == BST_CHECKED);
}

void ProjectDialog::OnCommand(int id, int code, HWND control) {
    for (ModeButton& button : modeButtons_)
        if (id == button.Id() && code == BN_CLICKED) return button.Click();
    switch (id) {
    case IDOK:  // Enter does nothing here; only Close ends the program.
        return;
    case IDCANCEL:
        if (code == BN_CLICKED || control == nullptr) EndDialog(dialog_, IDCANCEL);
        return;
    case IDC_SHUFFLE:
        if (code == BN_CLICKED) shuffle_.Click();
        return;
    case IDC_ERASER:
        if (code == BN_CLICKED) eraser_ = IsDlgButtonChecked(dialog_, IDC_ERASER) == BST_CHECKED;
        return;
    case IDC_TURBO:
        if (code == BN_CLICKED) turbo_ = !turbo_;
        return;
    case IDC_BG_STARFIELD:
    case IDC_BG_DESKTOP:
    case IDC_BG_COLOUR:
    case IDC_BG_IMAGE:
        if (code == BN_CLICKED) EnableImagePath();
        return;
    case IDC_BG_CHANGE:
        if (code == BN_CLICKED) ChooseBackgroundColour();
        return;
    case IDC_BG_BROWSE:
        if (code == BN_CLICKED) BrowseBackground();
        return;
    case IDC_NUMBER:
    case IDC_SIZE_VALUE:
    case IDC_DIRECTION:
        if (code == EN_KILLFOCUS) ClampOnLeave(id);
        return;
    case IDC_SWIRL:
    case IDC_SPIN: {
        bool& guard = id == IDC_SWIRL ? updatingSwirl_ : updatingSpin_;
        int slider = id == IDC_SWIRL ? IDC_SWIRL_SLIDER : IDC_SPIN_SLIDER;
        if (code == EN_CHANGE && !guard) {
            guard = true;
            SendDlgItemMessageA(dialog_, slider, TBM_SETPOS, TRUE, ItemNumber(dialog_, id));
            guard = false;
        } else if (code == EN_KILLFOCUS) {
            ClampOnLeave(id);
        }
        return;
    }
    case IDC_ADD:
        if (code == BN_CLICKED) AddActors();
        return;
    case IDC_UP_ACTOR:
        if (code == BN_CLICKED) MoveSelected(-1);
        return;
    case IDC_DOWN_ACTOR:
        if (code == BN_CLICKED) MoveSelected(+1);
        return;
    case IDC_REMOVE:
        if (code == BN_CLICKED) RemoveSelected();
        return;
    case IDC_NEW:
        if (code == BN_CLICKED) Reset(false);
        return;
    case IDC_BANNER:
        if (code == BN_CLICKED) RunBannerDialog(dialog_, bannerPath_);
        return;
    case IDC_SOUND:
        if (code == BN_CLICKED) {
            SoundChoice choice{musicPath_, bounceSoundPath_, createSoundPath_, destroySoundPath_, loopMusic_};
            if (RunSoundDialog(dialog_, choice)) {
                musicPath_ = choice.musicPath;
                bounceSoundPath_ = choice.bounceSoundPath;
                createSoundPath_ = choice.createSoundPath;
                destroySoundPath_ = choice.destroySoundPath;
                loopMusic_ = choice.loopMusic;
            }
        }
        return;
    case IDC_PREVIEW:
        if (code == BN_CLICKED) PreviewProject();
        return;
    case IDC_SAVE:
        if (code == BN_CLICKED) SaveOrBuildProject();
        return;
    case IDC_LOAD:
        if (code == BN_CLICKED) LoadProjectFile();
        return;
    case IDC_HELP_BUTTON:
        if (code == BN_CLICKED) OpenHelp(dialog_, programFolder_);
        return;
    default:
        return;
    }
}

void ProjectDialog::ClampOnLeave(int id) {
    std::string text = ItemText(dialog_, id);
    if (text.empty()) return;  // an emptied box stays empty and counts as 0
    long value = std::strtol(text.c_str(), nullptr, 10);
    long fixed = value;
    switch (id) {
    case IDC_NUMBER: fixed = value < 0 ? 0 : value > 50 ? 50 : value; break;
    case IDC_SIZE_VALUE: fixed = value < 0 ? 10 : value > 100 ? 100 : value; break;
    case IDC_DIRECTION: fixed = value < 0 ? 0 : value > 360 ? 360 : value; break;
    case IDC_SWIRL: fixed = std::clamp(value, -90L, 90L); break;
    case IDC_SPIN: fixed = std::clamp(value, -100L, 100L); break;
    default: return;
    }
    if (fixed != value) SetItemNumber(dialog_, id, fixed);
}

void ProjectDialog::OnSlider(HWND slider) {
    int id = GetDlgCtrlID(slider);
    if (id == IDC_SWIRL_SLIDER && !updatingSwirl_) {
        updatingSwirl_ = true;
        SetItemNumber(dialog_, IDC_SWIRL, SliderPosition(dialog_, id));
        updatingSwirl_ = false;
    } else if (id == IDC_SPIN_SLIDER && !updatingSpin_) {
        updatingSpin_ = true;
        SetItemNumber(dialog_, IDC_SPIN, SliderPosition(dialog_, id));
        updatingSpin_ = false;
    }
}

void ProjectDialog::ChooseBackgroundColour() {
    // The picker's own custom colours, kept for the program's run.
    static COLORREF custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog_;
    choose.lpCustColors = custom;
    bool haveDefault = ReadSetting(kColoursSection, kDefaultColourKey, "").size() > 0;
    if (haveDefault)
        for (int i = 0; i < 16; ++i) custom[i] = ParseProfileColour(ReadSetting(kColoursSection, CustomColourKey(i).c_str(), "-"));
    if (ChooseColorA(&choose)) {
        WriteSetting(kColoursSection, kDefaultColourKey, FormatColour(choose.rgbResult));
        backgroundColour_ = choose.rgbResult;
        for (int i = 0; i < 16; ++i) WriteSetting(kColoursSection, CustomColourKey(i).c_str(), FormatColour(custom[i]));
    }
    InvalidateRect(GetDlgItem(dialog_, IDC_BG_SWATCH), nullptr, FALSE);
}

void ProjectDialog::BrowseBackground() {
    char path[256] = {};
    lstrcpynA(path, ItemText(dialog_, IDC_BG_IMAGE_PATH).c_str(), sizeof path);
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog_;
    open.lpstrFilter = kImageFilter;
    open.lpstrFile = path;
    open.nMaxFile = sizeof path;
    open.lpstrTitle = "Select Background Image";
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameA(&open)) SetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, path);
}

void ProjectDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    int id = static_cast<int>(item.CtlID);
    for (const ModeButton& button : modeButtons_)
        if (id == button.Id()) return button.Draw(item);
    switch (id) {
    case IDC_SHUFFLE: return shuffle_.Draw(item);
    case IDC_UP_ACTOR: return upActor_.Draw(item, false);
    case IDC_DOWN_ACTOR: return downActor_.Draw(item, false);
    case IDC_BIAS_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_BIAS);
    case IDC_SPRITE_LIFE_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_SPRITE_LIFE);
    case IDC_SCENE_LIFE_PICTURE: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_SCENE_LIFE);
    case IDC_LOGO: return DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_LOGO);
    case IDC_BG_SWATCH: return FillSolid(item.hDC, item.rcItem, backgroundColour_);
    default:
        if (id >= IDC_SLOT_FIRST && id < IDC_SLOT_FIRST + kSlotCount) DrawSlot(item, id - IDC_SLOT_FIRST);
    }
}

}  // namespace orb
