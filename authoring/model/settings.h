// Every numeric setting of a project with the range, default and correction rule of
// its control, in the order the project file stores them.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

inline constexpr std::size_t kSettingCount = 22;

enum SettingId : std::size_t {
    kNumber, kSize, kDirection, kActorBias, kSpriteLifetime, kSceneLifetime, kNumberRange,
    kSizeRange, kDirectionRange, kSpeed, kSpeedVariation, kSwirl, kSpin, kStutter, kFactorX,
    kMotionMode, kBackgroundKind, kShuffle, kBackgroundColour, kTurbo, kQuickRotation, kAlignToPath,
};

struct SettingSpec {
    std::string_view key;  // command-line name, e.g. "numberRange"
    std::int32_t minimum, maximum, defaultValue;
    // The value an edit box puts back on losing the focus when typed below the minimum
    // (Size turns into 10, not 0).
    std::int32_t belowMinimum;
};

// In stored order. Lifetimes are stored as 100 minus the slider position, so their
// stored default is 100. The motion mode allows -1 (no mode pressed); the colour is
// any 0x00BBGGRR value.
extern const std::array<SettingSpec, kSettingCount> kSettingSpecs;

using SettingValues = std::array<std::int32_t, kSettingCount>;

SettingValues DefaultSettings();
std::optional<SettingId> FindSetting(std::string_view key);

// The value a control shows for a typed number: clamped into range (Size below 0 gives 10).
std::int32_t CorrectSetting(SettingId id, std::int32_t typed);
bool SettingInRange(SettingId id, std::int32_t value);

// "BOUNCE" ... "RANDOM" for 0..7 (any case accepted when parsing); "none" for -1.
extern const std::array<std::string_view, 8> kModeNames;
std::optional<std::int32_t> ModeFromName(std::string_view name);
std::string ModeName(std::int32_t mode);

// "starfield", "desktop", "colour", "image" for 0..3.
extern const std::array<std::string_view, 4> kBackgroundNames;
std::optional<std::int32_t> BackgroundFromName(std::string_view name);

// Parses a signed decimal number as a whole; nothing for anything else.
std::optional<std::int32_t> ParseInt(std::string_view text);

}  // namespace orb
