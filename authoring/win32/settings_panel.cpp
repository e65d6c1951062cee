#include "authoring/win32/settings_panel.h"

#include <commdlg.h>

#include "authoring/model/settings.h"
#include "authoring/win32/dialog_controls.h"
#include "authoring/win32/gdi_drawing.h"
#include "authoring/win32/profile_settings.h"
#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
// Number, Size and Direction take at most four characters as typed.
constexpr int kTypedDigits = 4;
constexpr char kImageFilter[] =
    "BMP Files (*.bmp)\0*.bmp\0JPG - JPEG - JFIF Compliant (*.jpg)\0*.jpg\0PCX - Zsoft Paintbrush (*.pcx)\0*.pcx\0"
    "PNG - Portable Network Graphics (*.png)\0*.png\0Truevision Targa (*.tga)\0*.tga\0"
    "GIF - Graphics Interchange Format (*.gif)\0*.gif\0All Files (*.*)\0*.*\0";

std::int32_t Flag(bool on) { return on ? 1 : 0; }

}  // namespace

void SettingsPanel::Attach(HWND dialog) {
    dialog_ = dialog;
    customColours_.fill(kWhite);
    for (std::size_t i = 0; i < kModeButtons.size(); ++i) {
        modeButtons_[i].Attach(dialog_, kModeButtons[i]);
        modes_.Add(modeButtons_[i]);
    }
    shuffle_.Attach(dialog_, IDC_SHUFFLE);
    for (const SettingControl& binding : kSettingControls) {
        const SettingEntry& entry = kSettingTable[binding.setting];
        switch (binding.kind) {
        case ControlKind::Edit:
            SendDlgItemMessageA(dialog_, binding.control, EM_LIMITTEXT, kTypedDigits, 0);
            SetSpinner(dialog_, binding.spinner, entry.minimum, entry.maximum, entry.defaultValue);
            break;
        case ControlKind::EditAndSlider:
            SetSpinner(dialog_, binding.spinner, entry.minimum, entry.maximum, entry.defaultValue);
            SetSliderRange(dialog_, binding.slider, entry.minimum, entry.maximum);
            break;
        case ControlKind::Slider:
        case ControlKind::ReversedSlider: SetSliderRange(dialog_, binding.control, entry.minimum, entry.maximum); break;
        default: break;
        }
    }
}

void SettingsPanel::Detach() {
    for (ModeButton& button : modeButtons_) button.Detach();
    shuffle_.Detach();
}

void SettingsPanel::Show() {
    for (const SettingControl& binding : kSettingControls) ShowSetting(binding);
    project_.eraser = Flag(project_.eraser != 0);
    SetChecked(dialog_, IDC_ERASER, project_.eraser != 0);
    SetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, project_.backdropPath.c_str());
    EnableImagePath();
}

void SettingsPanel::ShowSetting(const SettingControl& binding) {
    std::int32_t& value = project_.settings[binding.setting];
    switch (binding.kind) {
    case ControlKind::Edit:
        SetItemNumber(dialog_, binding.control, value);  // the box's change notice reads it back
        return;
    case ControlKind::EditAndSlider:
        SetSliderPosition(dialog_, binding.slider, value);
        writingBox_ = true;
        SetItemNumber(dialog_, binding.control, value);
        writingBox_ = false;
        value = SliderPosition(dialog_, binding.slider);
        return;
    case ControlKind::Slider:
    case ControlKind::ReversedSlider:
        SetSliderPosition(dialog_, binding.control, SliderPositionOf(binding, value));
        value = ValueAtSliderPosition(binding, SliderPosition(dialog_, binding.control));
        return;
    case ControlKind::ModeButtons:
        modes_.PressIndex(value);  // -1, or any number without a button, releases them all
        value = modes_.PressedIndex();
        return;
    case ControlKind::BackgroundButtons:
        CheckRadioButton(dialog_, IDC_BG_STARFIELD, IDC_BG_IMAGE, BackgroundButtonOf(value));
        TakeBackgroundButtons();
        return;
    case ControlKind::ToggleButton:
        shuffle_.SetPressed(value != 0);
        value = Flag(shuffle_.Pressed());
        return;
    case ControlKind::CheckBox:
        value = Flag(value != 0);
        SetChecked(dialog_, binding.control, value != 0);
        return;
    case ControlKind::ColourSwatch:
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) & 0xFFFFFF);
        InvalidateRect(GetDlgItem(dialog_, binding.control), nullptr, FALSE);
        return;
    case ControlKind::ModifyActorDialog:
        value = Flag(value != 0);
        return;
    }
}

void SettingsPanel::TakeBackgroundButtons() {
    std::int32_t kind = kImageBackground;
    for (std::int32_t k = kStarfieldBackground; k <= kImageBackground; ++k)
        if (IsChecked(dialog_, IDC_BG_STARFIELD + k)) {
            kind = k;
            break;
        }
    project_.settings[kBackgroundKind] = kind;
    project_.useBackdropImage = IsChecked(dialog_, IDC_BG_IMAGE);
}

void SettingsPanel::EnableImagePath() {
    EnableWindow(GetDlgItem(dialog_, IDC_BG_IMAGE_PATH), IsChecked(dialog_, IDC_BG_IMAGE));
}

bool SettingsPanel::OnCommand(int id, int code) {
    switch (id) {
    case IDC_ERASER:
        if (code == BN_CLICKED) project_.eraser = Flag(IsChecked(dialog_, IDC_ERASER));
        return true;
    case IDC_BG_IMAGE_PATH:
        if (code == EN_CHANGE) project_.backdropPath = ItemText(dialog_, IDC_BG_IMAGE_PATH);
        return true;
    case IDC_BG_CHANGE:
        if (code == BN_CLICKED) ChooseBackgroundColour();
        return true;
    case IDC_BG_BROWSE:
        if (code == BN_CLICKED) BrowseBackground();
        return true;
    default: break;
    }
    const SettingControl* binding = FindSettingControl(id);
    if (!binding) return false;
    std::int32_t& value = project_.settings[binding->setting];
    switch (binding->kind) {
    case ControlKind::Edit:
    case ControlKind::EditAndSlider:
        if (code == EN_CHANGE) OnEditChange(*binding);
        else if (code == EN_KILLFOCUS) CorrectOnLeave(*binding);
        return true;
    case ControlKind::ModeButtons:
        if (code != BN_CLICKED) return true;
        for (ModeButton& button : modeButtons_)
            if (button.Id() == id) button.Click();
        value = modes_.PressedIndex();
        return true;
    case ControlKind::BackgroundButtons:
        if (code != BN_CLICKED) return true;
        TakeBackgroundButtons();
        EnableImagePath();
        return true;
    case ControlKind::ToggleButton:
        if (code != BN_CLICKED) return true;
        shuffle_.Click();
        value = Flag(shuffle_.Pressed());
        return true;
    case ControlKind::CheckBox:
        // Each click turns the setting over; the box shows the result.
        if (code != BN_CLICKED) return true;
        value = Flag(value == 0);
        SetChecked(dialog_, id, value != 0);
        return true;
    default: return true;
    }
}

void SettingsPanel::OnEditChange(const SettingControl& binding) {
    std::int32_t& value = project_.settings[binding.setting];
    if (binding.kind == ControlKind::Edit) {
        value = ItemNumber(dialog_, binding.control);  // an emptied box counts as 0
        return;
    }
    if (writingBox_) return;
    SetSliderPosition(dialog_, binding.slider, ItemNumber(dialog_, binding.control));
    value = SliderPosition(dialog_, binding.slider);
}

void SettingsPanel::CorrectOnLeave(const SettingControl& binding) {
    if (ItemText(dialog_, binding.control).empty()) return;  // an emptied box stays empty
    std::int32_t typed = ItemNumber(dialog_, binding.control);
    std::int32_t corrected = CorrectSetting(binding.setting, typed);
    if (corrected != typed) SetItemNumber(dialog_, binding.control, corrected);
}

void SettingsPanel::OnSlider(HWND slider) {
    const SettingControl* binding = FindSettingControl(GetDlgCtrlID(slider));
    if (!binding) return;
    std::int32_t& value = project_.settings[binding->setting];
    switch (binding->kind) {
    case ControlKind::Slider:
    case ControlKind::ReversedSlider:
        value = ValueAtSliderPosition(*binding, SliderPosition(dialog_, binding->control));
        return;
    case ControlKind::EditAndSlider:
        value = SliderPosition(dialog_, binding->slider);
        writingBox_ = true;
        SetItemNumber(dialog_, binding->control, value);
        writingBox_ = false;
        return;
    default: return;
    }
}

bool SettingsPanel::Draw(const DRAWITEMSTRUCT& item) const {
    int id = static_cast<int>(item.CtlID);
    for (const ModeButton& button : modeButtons_)
        if (id == button.Id()) {
            button.Draw(item);
            return true;
        }
    if (id == IDC_SHUFFLE) {
        shuffle_.Draw(item);
        return true;
    }
    if (id == IDC_BG_SWATCH) {
        FillSolid(item.hDC, item.rcItem, static_cast<std::uint32_t>(project_.settings[kBackgroundColour]));
        return true;
    }
    return false;
}

void SettingsPanel::ChooseBackgroundColour() {
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog_;
    choose.lpCustColors = customColours_.data();
    bool haveDefault = ReadSetting(kColoursSection, kDefaultColourKey, "").size() > 0;
    if (haveDefault)
        for (int i = 0; i < 16; ++i)
            customColours_[i] = ParseProfileColour(ReadSetting(kColoursSection, CustomColourKey(i).c_str(), "-"));
    if (ChooseColorA(&choose)) {
        WriteSetting(kColoursSection, kDefaultColourKey, FormatColour(choose.rgbResult));
        project_.settings[kBackgroundColour] = static_cast<std::int32_t>(choose.rgbResult);
        for (int i = 0; i < 16; ++i)
            WriteSetting(kColoursSection, CustomColourKey(i).c_str(), FormatColour(customColours_[i]));
    }
    InvalidateRect(GetDlgItem(dialog_, IDC_BG_SWATCH), nullptr, FALSE);
}

void SettingsPanel::BrowseBackground() {
    char path[256] = {};
    lstrcpynA(path, ItemText(dialog_, IDC_BG_IMAGE_PATH).c_str(), sizeof path);
    FileDialogRequest request;
    request.owner = dialog_;
    request.title = "Select Background Image";
    request.filter = kImageFilter;
    request.flags = OFN_FILEMUSTEXIST;
    if (RunFileDialog(FileDialogKind::Open, request, path)) SetDlgItemTextA(dialog_, IDC_BG_IMAGE_PATH, path);
}

}  // namespace orb
