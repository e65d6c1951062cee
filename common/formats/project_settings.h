// The 22 settings of a project, declared once. Each line of ORB_PROJECT_SETTINGS
// gives a setting's field, its identifier (its stored position, from 0), its one
// name (the command line's `set`, `info` and the manual page use it), the range
// and default of its control in the main dialog, and the value an edit box puts
// back when a number below the minimum is typed. The stored order, the viewer's
// fields, the model's clamping and the command line all come from this list.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orb {

// The stored motion-mode numbers; RANDOM picks one of the others for each scene.
enum MotionMode : std::int32_t {
    kNoMotionMode = -1,  // no mode button pressed
    kBounce = 0, kGraviBounce = 1, kFlyAway = 2, kRain = 3, kRandomDrift = 4,
    kStarburst = 5, kSplat = 6, kRandomMode = 7,
};
// The modes' names in MotionMode order, as users see them.
inline constexpr std::array<std::string_view, kRandomMode + 1> kModeNames = {
    "BOUNCE", "GRAVIBOUNCE", "FLYAWAY", "RAIN", "RANDOMDRIFT", "STARBURST", "SPLAT", "RANDOM"};

enum BackgroundKind : std::int32_t {
    kStarfieldBackground = 0, kDesktopBackground = 1, kColourBackground = 2, kImageBackground = 3,
};

// The backing track and the three effects, in the project's order.
enum SoundSlot : std::size_t { kMusicSound = 0, kBounceSound = 1, kCreateSound = 2, kDestroySound = 3 };
inline constexpr std::size_t kSoundSlots = 4;

// X(field, id, name, minimum, maximum, default, below minimum)
// The lifetimes are stored as 100 minus their slider's position: 100 means the
// sprite (or the scene) lives for ever. The colour is 0x00BBGGRR.
#define ORB_PROJECT_SETTINGS(X)                                                                          \
    X(number, kNumber, "number", 0, 50, 5, 0)                                                            \
    X(size, kSize, "size", 0, 100, 100, 10)                                                              \
    X(direction, kDirection, "direction", 0, 360, 0, 0)                                                  \
    X(actorBias, kActorBias, "actorBias", -100, 100, 0, -100)                                            \
    X(spriteLifetime, kSpriteLifetime, "spriteLifetime", 0, 100, 100, 0)                                 \
    X(sceneLifetime, kSceneLifetime, "sceneLifetime", 0, 100, 100, 0)                                    \
    X(numberRange, kNumberRange, "numberRange", 0, 100, 50, 0)                                           \
    X(sizeRange, kSizeRange, "sizeRange", 0, 100, 0, 0)                                                  \
    X(directionRange, kDirectionRange, "directionRange", 0, 360, 360, 0)                                 \
    X(speed, kSpeed, "speed", 0, 100, 50, 0)                                                             \
    X(speedVariation, kSpeedVariation, "speedVariation", -100, 100, 0, -100)                             \
    X(swirl, kSwirl, "swirl", -90, 90, 0, -90)                                                           \
    X(spin, kSpin, "spin", -100, 100, 0, -100)                                                           \
    X(stutter, kStutter, "stutter", 0, 100, 15, 0)                                                       \
    X(factorX, kFactorX, "factorX", 0, 100, 0, 0)                                                        \
    X(motionMode, kMotionMode, "mode", kNoMotionMode, kRandomMode, kBounce, kNoMotionMode)               \
    X(backgroundKind, kBackgroundKind, "background", kStarfieldBackground, kImageBackground,             \
      kColourBackground, kStarfieldBackground)                                                           \
    X(shuffle, kShuffle, "shuffle", 0, 1, 0, 0)                                                          \
    X(backgroundColour, kBackgroundColour, "colour", 0, 0xFFFFFF, 0xFFFFFF, 0)                           \
    X(turbo, kTurbo, "turbo", 0, 1, 0, 0)                                                                \
    X(quickRotation, kQuickRotation, "quickRotation", 0, 1, 1, 0)                                        \
    X(alignToPath, kAlignToPath, "alignToPath", 0, 1, 0, 0)

enum SettingId : std::size_t {
#define ORB_SETTING_ID(field, id, ...) id,
    ORB_PROJECT_SETTINGS(ORB_SETTING_ID)
#undef ORB_SETTING_ID
};

// Every setting by its field; a new one holds the defaults.
struct ProjectSettings {
#define ORB_SETTING_FIELD(field, id, name, minimum, maximum, initial, belowMinimum) std::int32_t field = initial;
    ORB_PROJECT_SETTINGS(ORB_SETTING_FIELD)
#undef ORB_SETTING_FIELD

    // The setting `id` when code walks them all.
    std::int32_t& operator[](SettingId id);
    std::int32_t operator[](SettingId id) const;
    friend bool operator==(const ProjectSettings&, const ProjectSettings&) = default;
};

struct SettingEntry {
    std::string_view name;
    std::int32_t ProjectSettings::*field;
    std::int32_t minimum, maximum, defaultValue;
    std::int32_t belowMinimum;  // Size typed below 0 becomes 10, not 0
};

// In stored order: kSettingTable[id] describes setting `id`.
inline constexpr std::array kSettingTable = {
#define ORB_SETTING_ENTRY(field, id, name, minimum, maximum, initial, belowMinimum) \
    SettingEntry{name, &ProjectSettings::field, minimum, maximum, initial, belowMinimum},
    ORB_PROJECT_SETTINGS(ORB_SETTING_ENTRY)
#undef ORB_SETTING_ENTRY
};
inline constexpr std::size_t kSettingCount = kSettingTable.size();

inline std::int32_t& ProjectSettings::operator[](SettingId id) { return this->*kSettingTable[id].field; }
inline std::int32_t ProjectSettings::operator[](SettingId id) const { return this->*kSettingTable[id].field; }

constexpr bool SettingInRange(SettingId id, std::int32_t value) {
    return value >= kSettingTable[id].minimum && value <= kSettingTable[id].maximum;
}

#undef ORB_PROJECT_SETTINGS

}  // namespace orb
