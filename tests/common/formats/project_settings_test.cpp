// The settings table: each setting's stored position, field, name, range, default
// and below-minimum value, and the bytes a project stores them in.
#include "common/formats/project_settings.h"

#include <gtest/gtest.h>

#include <utility>

#include "common/formats/project_file.h"

namespace orb {
namespace {

struct ExpectedSetting {
    SettingId id;
    std::size_t position;  // 0 is the first of the 22 stored values
    std::int32_t ProjectSettings::*field;
    const char* name;
    std::int32_t minimum, maximum, defaultValue, belowMinimum;
};

// From the stored layout and the main dialog's controls. Lifetimes store 100 minus
// the slider, so a slider at 0 stores 100. An emptied or negative Size box becomes
// 10; Swirl and Spin take the nearer end of their sliders; the mode is -1 when no
// button is pressed; the background kinds run Starfield 0 to Image 3, Colour the
// default; the colour is 0x00BBGGRR, white by default.
constexpr ExpectedSetting kExpected[] = {
    {kNumber, 0, &ProjectSettings::number, "number", 0, 50, 5, 0},
    {kSize, 1, &ProjectSettings::size, "size", 0, 100, 100, 10},
    {kDirection, 2, &ProjectSettings::direction, "direction", 0, 360, 0, 0},
    {kActorBias, 3, &ProjectSettings::actorBias, "actorBias", -100, 100, 0, -100},
    {kSpriteLifetime, 4, &ProjectSettings::spriteLifetime, "spriteLifetime", 0, 100, 100, 0},
    {kSceneLifetime, 5, &ProjectSettings::sceneLifetime, "sceneLifetime", 0, 100, 100, 0},
    {kNumberRange, 6, &ProjectSettings::numberRange, "numberRange", 0, 100, 50, 0},
    {kSizeRange, 7, &ProjectSettings::sizeRange, "sizeRange", 0, 100, 0, 0},
    {kDirectionRange, 8, &ProjectSettings::directionRange, "directionRange", 0, 360, 360, 0},
    {kSpeed, 9, &ProjectSettings::speed, "speed", 0, 100, 50, 0},
    {kSpeedVariation, 10, &ProjectSettings::speedVariation, "speedVariation", -100, 100, 0, -100},
    {kSwirl, 11, &ProjectSettings::swirl, "swirl", -90, 90, 0, -90},
    {kSpin, 12, &ProjectSettings::spin, "spin", -100, 100, 0, -100},
    {kStutter, 13, &ProjectSettings::stutter, "stutter", 0, 100, 15, 0},
    {kFactorX, 14, &ProjectSettings::factorX, "factorX", 0, 100, 0, 0},
    {kMotionMode, 15, &ProjectSettings::motionMode, "mode", -1, 7, 0, -1},
    {kBackgroundKind, 16, &ProjectSettings::backgroundKind, "background", 0, 3, 2, 0},
    {kShuffle, 17, &ProjectSettings::shuffle, "shuffle", 0, 1, 0, 0},
    {kBackgroundColour, 18, &ProjectSettings::backgroundColour, "colour", 0, 0xFFFFFF, 0xFFFFFF, 0},
    {kTurbo, 19, &ProjectSettings::turbo, "turbo", 0, 1, 0, 0},
    {kQuickRotation, 20, &ProjectSettings::quickRotation, "quickRotation", 0, 1, 1, 0},
    {kAlignToPath, 21, &ProjectSettings::alignToPath, "alignToPath", 0, 1, 0, 0},
};

TEST(SettingsTable, EverySettingAsTheLayoutAndTheControlsHaveIt) {
    ASSERT_EQ(kSettingCount, 22u);
    const ProjectSettings fresh;
    for (const ExpectedSetting& e : kExpected) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(std::size_t(e.id), e.position);
        const SettingEntry& entry = kSettingTable[e.id];
        EXPECT_EQ(entry.name, e.name);
        EXPECT_TRUE(entry.field == e.field);
        EXPECT_EQ(entry.minimum, e.minimum);
        EXPECT_EQ(entry.maximum, e.maximum);
        EXPECT_EQ(entry.defaultValue, e.defaultValue);
        EXPECT_EQ(entry.belowMinimum, e.belowMinimum);
        EXPECT_EQ(fresh.*e.field, e.defaultValue);  // a new project holds the defaults
    }
}

TEST(SettingsTable, IndexingReachesTheNamedField) {
    ProjectSettings s;
    s[kSpeed] = 77;
    s[kBackgroundColour] = 0x00332211;
    EXPECT_EQ(s.speed, 77);
    EXPECT_EQ(s.backgroundColour, 0x00332211);
    s.turbo = 1;
    EXPECT_EQ(std::as_const(s)[kTurbo], 1);
}

TEST(SettingsTable, RangesIncludeBothEnds) {
    const struct {
        SettingId id;
        std::int32_t value;
        bool inRange;
    } cases[] = {
        {kNumber, 0, true},           {kNumber, 50, true},         {kNumber, 51, false},
        {kSwirl, -90, true},          {kSwirl, -91, false},        {kMotionMode, -1, true},
        {kMotionMode, -2, false},     {kMotionMode, 8, false},     {kBackgroundKind, 3, true},
        {kBackgroundKind, 4, false},  {kBackgroundKind, -1, false}, {kBackgroundColour, 0xFFFFFF, true},
        {kBackgroundColour, 0x1000000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingInRange(c.id, c.value), c.inRange) << kSettingTable[c.id].name << "=" << c.value;
}

// A project without sounds or pictures keeps its settings from byte 70: six header
// bytes, embedded and eraser (8), four empty paths (16), loop and sound block (8),
// four missing sounds (16), backdrop path and its flag (8), banner path and its
// missing flag (8). Each setting is the little-endian i32 at 70 + 4 x position.
TEST(SettingsTable, EachSettingIsStoredAtItsPosition) {
    ProjectFile project;
    for (const ExpectedSetting& e : kExpected)
        project.settings.*e.field = 0x01020300 + std::int32_t(e.position);  // a value no other setting has
    const std::vector<std::uint8_t> bytes = SerializeProject(project);
    ASSERT_EQ(bytes.size(), 70u + 22 * 4 + 4);  // and the actor count
    for (const ExpectedSetting& e : kExpected) {
        const std::size_t at = 70 + 4 * e.position;
        EXPECT_EQ(bytes[at], e.position) << e.name;
        EXPECT_EQ(bytes[at + 1], 0x03) << e.name;
        EXPECT_EQ(bytes[at + 2], 0x02) << e.name;
        EXPECT_EQ(bytes[at + 3], 0x01) << e.name;
    }
}

TEST(SettingsTable, SharedEnumsHoldTheStoredNumbers) {
    EXPECT_EQ(kNoMotionMode, -1);
    EXPECT_EQ(kGraviBounce, 1);
    EXPECT_EQ(kRandomMode, 7);
    EXPECT_EQ(kDesktopBackground, 1);
    EXPECT_EQ(kImageBackground, 3);
    // Sounds in the order the project stores them: music, bounce, creation, destruction.
    EXPECT_EQ(kMusicSound, 0u);
    EXPECT_EQ(kDestroySound, 3u);
    EXPECT_EQ(kSoundSlots, 4u);
}

}  // namespace
}  // namespace orb
