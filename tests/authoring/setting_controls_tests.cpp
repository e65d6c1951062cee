// Where the main dialog shows each setting: every setting has exactly one place,
// no control serves two settings, and the slider arithmetic of the lifetimes.
#include <gtest/gtest.h>

#include <set>

#include "authoring/win32/setting_controls.h"

namespace orb {
namespace {

TEST(SettingControls, EverySettingIsBoundOnceInStoredOrder) {
    ASSERT_EQ(kSettingControls.size(), kSettingCount);
    for (std::size_t i = 0; i < kSettingControls.size(); ++i) EXPECT_EQ(kSettingControls[i].setting, SettingId(i));
}

TEST(SettingControls, NoControlServesTwoSettings) {
    std::set<int> seen;
    auto take = [&seen](int id) {
        if (id == 0) return;
        EXPECT_TRUE(seen.insert(id).second) << "control " << id << " is bound twice";
    };
    for (const SettingControl& binding : kSettingControls) {
        take(binding.control);
        take(binding.spinner);
        take(binding.slider);
    }
    for (int button : kModeButtons) take(button);
    // The background buttons after the first: Desktop, Colour, Image.
    for (int k = kDesktopBackground; k <= kImageBackground; ++k) take(IDC_BG_STARFIELD + k);
}

TEST(SettingControls, ControlsFindTheirSetting) {
    struct Case {
        int control;
        SettingId setting;
    } cases[] = {
        {IDC_NUMBER, kNumber},           {IDC_SWIRL, kSwirl},         {IDC_SWIRL_SLIDER, kSwirl},
        {IDC_SPIN_SLIDER, kSpin},        {IDC_SCENE_LIFETIME, kSceneLifetime},
        {IDC_MODE_RAIN, kMotionMode},    {IDC_MODE_RANDOM, kMotionMode},
        {IDC_BG_STARFIELD, kBackgroundKind}, {IDC_BG_IMAGE, kBackgroundKind},
        {IDC_SHUFFLE, kShuffle},         {IDC_TURBO, kTurbo},
    };
    for (const Case& c : cases) {
        const SettingControl* binding = FindSettingControl(c.control);
        ASSERT_NE(binding, nullptr) << c.control;
        EXPECT_EQ(binding->setting, c.setting) << c.control;
    }
    // Spinners report through their number box; Eraser and the path are not settings.
    for (int other : {0, IDC_NUMBER_SPIN, IDC_ERASER, IDC_BG_IMAGE_PATH, IDC_SAVE})
        EXPECT_EQ(FindSettingControl(other), nullptr) << other;
}

TEST(SettingControls, ModeButtonsAreInStoredModeOrder) {
    EXPECT_EQ(kModeButtons[kBounce], IDC_MODE_BOUNCE);
    EXPECT_EQ(kModeButtons[kGraviBounce], IDC_MODE_GRAVIBOUNCE);
    EXPECT_EQ(kModeButtons[kStarburst], IDC_MODE_STARBURST);
    EXPECT_EQ(kModeButtons[kRandomMode], IDC_MODE_RANDOM);
}

TEST(SettingControls, SlidersTakeTheirRangeAsSixteenBitPositions) {
    for (const SettingControl& binding : kSettingControls) {
        if (binding.kind != ControlKind::Slider && binding.kind != ControlKind::ReversedSlider &&
            binding.kind != ControlKind::EditAndSlider)
            continue;
        const SettingEntry& entry = kSettingTable[binding.setting];
        EXPECT_GE(entry.minimum, -32768) << entry.name;
        EXPECT_LE(entry.maximum, 32767) << entry.name;
    }
}

TEST(SettingControls, LifetimeSlidersRunBackwards) {
    const SettingControl& sprite = kSettingControls[kSpriteLifetime];
    const SettingControl& speed = kSettingControls[kSpeed];
    struct Case {
        const SettingControl& binding;
        std::int32_t value;
        int position;
    } cases[] = {
        {sprite, 100, 0},   // lives for ever: the slider at its left end
        {sprite, 70, 30},   // 0 + 100 - 70
        {sprite, 0, 100},
        {speed, 77, 77},    // an ordinary slider shows the value itself
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SliderPositionOf(c.binding, c.value), c.position) << c.value;
        EXPECT_EQ(ValueAtSliderPosition(c.binding, c.position), c.value) << c.position;
    }
}

TEST(SettingControls, KindsWithoutAButtonCheckImage) {
    struct Case {
        std::int32_t kind;
        int button;
    } cases[] = {
        {kStarfieldBackground, IDC_BG_STARFIELD}, {kColourBackground, IDC_BG_COLOUR},
        {kImageBackground, IDC_BG_IMAGE},         {4, IDC_BG_IMAGE},
        {-1, IDC_BG_IMAGE},
    };
    for (const Case& c : cases) EXPECT_EQ(BackgroundButtonOf(c.kind), c.button) << c.kind;
}

}  // namespace
}  // namespace orb
