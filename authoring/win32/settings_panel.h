// The main dialog's settings: the number boxes, sliders, mode and shuffle
// buttons, background choice, Turbo and Eraser. The project model is the only
// state: every change a control reports goes into the model at once, and Show
// puts the whole model on the controls. Where a setting lives is kSettingControls.
#pragma once
#include <windows.h>

#include <array>

#include "authoring/model/project_model.h"
#include "authoring/win32/mode_button.h"
#include "authoring/win32/setting_controls.h"

namespace orb {

class SettingsPanel {
public:
    explicit SettingsPanel(ProjectModel& project) : project_(project) {}
    // Takes over the panel's controls of `dialog` and gives them their ranges.
    void Attach(HWND dialog);
    // Lets go of the bitmap buttons before the dialog's windows are destroyed.
    void Detach();

    // Shows every setting, Eraser and the backdrop path. A value a control cannot
    // show (a slider position out of range, a background kind without a button)
    // becomes what the control shows, so what is stored is what was on screen.
    void Show();
    // The background kind and the Image flag from the buttons. Also before
    // storing: a radio group can be left with no button checked without telling
    // anyone; the kind is then Image, with no picture used.
    void TakeBackgroundButtons();

    // True when `id` is one of the panel's controls.
    bool OnCommand(int id, int code);
    void OnSlider(HWND slider);
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    void ShowSetting(const SettingControl& binding);
    void OnEditChange(const SettingControl& binding);
    void CorrectOnLeave(const SettingControl& binding);
    void EnableImagePath();
    void ChooseBackgroundColour();
    void BrowseBackground();

    ProjectModel& project_;
    HWND dialog_ = nullptr;
    std::array<ModeButton, kModeButtons.size()> modeButtons_;
    ModeButtonGroup modes_;
    ModeButton shuffle_;
    // The picker's own custom colours, kept for the program's run.
    std::array<COLORREF, 16> customColours_;
    // Set while the panel writes a number box itself, so its slider is not moved back.
    bool writingBox_ = false;
};

}  // namespace orb
