// Which control of the main dialog shows each setting, and how. Ranges and
// defaults come from the settings table; this list only says where a setting
// lives. It is plain data with no Windows headers, so the native tests check it.
#pragma once
#include <array>
#include <cstdint>

#include "common/formats/project_settings.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {

enum class ControlKind {
    Edit,            // a number box with its spinner
    EditAndSlider,   // a number box, its spinner and a slider that follow each other
    Slider,          // the slider's position is the value
    ReversedSlider,  // the slider runs the other way: position = minimum + maximum - value
    ModeButtons,     // one of kModeButtons pressed, or none
    BackgroundButtons,  // the radio buttons from IDC_BG_STARFIELD, in BackgroundKind order
    ToggleButton,    // a bitmap button that stays down while the value is 1
    CheckBox,
    ColourSwatch,    // shown as a swatch, changed through the colour picker
    ModifyActorDialog,  // not on the main dialog: the Modify Actor dialog's switches
};

struct SettingControl {
    SettingId setting;
    ControlKind kind;
    int control = 0;  // the box, slider or button; 0 where the kind names its own
    int spinner = 0;  // Edit, EditAndSlider
    int slider = 0;   // EditAndSlider
};

// In stored order, one line per setting.
inline constexpr std::array kSettingControls = {
    SettingControl{kNumber, ControlKind::Edit, IDC_NUMBER, IDC_NUMBER_SPIN},
    SettingControl{kSize, ControlKind::Edit, IDC_SIZE_VALUE, IDC_SIZE_SPIN},
    SettingControl{kDirection, ControlKind::Edit, IDC_DIRECTION, IDC_DIRECTION_SPIN},
    SettingControl{kActorBias, ControlKind::Slider, IDC_ACTOR_BIAS},
    SettingControl{kSpriteLifetime, ControlKind::ReversedSlider, IDC_SPRITE_LIFETIME},
    SettingControl{kSceneLifetime, ControlKind::ReversedSlider, IDC_SCENE_LIFETIME},
    SettingControl{kNumberRange, ControlKind::Slider, IDC_NUMBER_RANGE},
    SettingControl{kSizeRange, ControlKind::Slider, IDC_SIZE_RANGE},
    SettingControl{kDirectionRange, ControlKind::Slider, IDC_DIRECTION_RANGE},
    SettingControl{kSpeed, ControlKind::Slider, IDC_SPEED},
    SettingControl{kSpeedVariation, ControlKind::Slider, IDC_VARIATION},
    SettingControl{kSwirl, ControlKind::EditAndSlider, IDC_SWIRL, IDC_SWIRL_SPIN, IDC_SWIRL_SLIDER},
    SettingControl{kSpin, ControlKind::EditAndSlider, IDC_SPIN, IDC_SPIN_SPIN, IDC_SPIN_SLIDER},
    SettingControl{kStutter, ControlKind::Slider, IDC_STUTTER},
    SettingControl{kFactorX, ControlKind::Slider, IDC_FACTOR_X},
    SettingControl{kMotionMode, ControlKind::ModeButtons},
    SettingControl{kBackgroundKind, ControlKind::BackgroundButtons, IDC_BG_STARFIELD},
    SettingControl{kShuffle, ControlKind::ToggleButton, IDC_SHUFFLE},
    SettingControl{kBackgroundColour, ControlKind::ColourSwatch, IDC_BG_SWATCH},
    SettingControl{kTurbo, ControlKind::CheckBox, IDC_TURBO},
    SettingControl{kQuickRotation, ControlKind::ModifyActorDialog},
    SettingControl{kAlignToPath, ControlKind::ModifyActorDialog},
};

// The mode buttons in MotionMode order.
inline constexpr std::array<int, kRandomMode + 1> kModeButtons = {
    IDC_MODE_BOUNCE,     IDC_MODE_GRAVIBOUNCE, IDC_MODE_FLYAWAY, IDC_MODE_RAIN,
    IDC_MODE_RANDOMDRIFT, IDC_MODE_STARBURST,  IDC_MODE_SPLAT,   IDC_MODE_RANDOM};

// The binding a control belongs to (a number box, slider, mode or background
// button), or none.
constexpr const SettingControl* FindSettingControl(int id) {
    if (id == 0) return nullptr;
    for (const SettingControl& binding : kSettingControls) {
        if (binding.kind == ControlKind::ModeButtons) {
            for (int button : kModeButtons)
                if (button == id) return &binding;
        } else if (binding.kind == ControlKind::BackgroundButtons) {
            if (id >= binding.control && id <= binding.control + kImageBackground) return &binding;
        } else if (id == binding.control || id == binding.slider) {
            return &binding;
        }
    }
    return nullptr;
}

// A slider's position for a value, and back (the same sum for a reversed one).
constexpr int SliderPositionOf(const SettingControl& binding, std::int32_t value) {
    const SettingEntry& entry = kSettingTable[binding.setting];
    return binding.kind == ControlKind::ReversedSlider ? entry.minimum + entry.maximum - value : value;
}
constexpr std::int32_t ValueAtSliderPosition(const SettingControl& binding, int position) {
    return SliderPositionOf(binding, position);
}

// The background button a kind checks: a kind the buttons do not have checks Image.
constexpr int BackgroundButtonOf(std::int32_t kind) {
    return IDC_BG_STARFIELD + (SettingInRange(kBackgroundKind, kind) ? kind : kImageBackground);
}

}  // namespace orb
