#include "settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orb {

const std::array<SettingSpec, kSettingCount> kSettingSpecs = {{
    {"number", 0, 50, 5, 0},
    {"size", 0, 100, 100, 10},
    {"direction", 0, 360, 0, 0},
    {"actorBias", -100, 100, 0, -100},
    {"spriteLifetime", 0, 100, 100, 0},
    {"sceneLifetime", 0, 100, 100, 0},
    {"numberRange", 0, 100, 50, 0},
    {"sizeRange", 0, 100, 0, 0},
    {"directionRange", 0, 360, 360, 0},
    {"speed", 0, 100, 50, 0},
    {"speedVariation", -100, 100, 0, -100},
    {"swirl", -90, 90, 0, -90},
    {"spin", -100, 100, 0, -100},
    {"stutter", 0, 100, 15, 0},
    {"factorX", 0, 100, 0, 0},
    {"mode", -1, 7, 0, -1},
    {"background", 0, 3, 2, 0},
    {"shuffle", 0, 1, 0, 0},
    {"colour", 0, 0xFFFFFF, 0xFFFFFF, 0},
    {"turbo", 0, 1, 0, 0},
    {"quickRotation", 0, 1, 1, 0},
    {"alignToPath", 0, 1, 0, 0},
}};

const std::array<std::string_view, 8> kModeNames = {"BOUNCE",      "GRAVIBOUNCE", "FLYAWAY", "RAIN",
                                                    "RANDOMDRIFT", "STARBURST",   "SPLAT",   "RANDOM"};
const std::array<std::string_view, 4> kBackgroundNames = {"starfield", "desktop", "colour", "image"};

namespace {
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

SettingValues DefaultSettings() {
    SettingValues values{};
    for (std::size_t i = 0; i < kSettingCount; ++i) values[i] = kSettingSpecs[i].defaultValue;
    return values;
}

std::optional<SettingId> FindSetting(std::string_view key) {
    for (std::size_t i = 0; i < kSettingCount; ++i)
        if (SameIgnoringCase(kSettingSpecs[i].key, key)) return SettingId(i);
    if (SameIgnoringCase(key, "color")) return kBackgroundColour;
    return std::nullopt;
}

std::int32_t CorrectSetting(SettingId id, std::int32_t typed) {
    const SettingSpec& spec = kSettingSpecs[id];
    if (typed < spec.minimum) return spec.belowMinimum;
    return std::min(typed, spec.maximum);
}

bool SettingInRange(SettingId id, std::int32_t value) {
    return value >= kSettingSpecs[id].minimum && value <= kSettingSpecs[id].maximum;
}

std::optional<std::int32_t> ModeFromName(std::string_view name) {
    for (std::size_t i = 0; i < kModeNames.size(); ++i)
        if (SameIgnoringCase(kModeNames[i], name)) return std::int32_t(i);
    if (SameIgnoringCase(name, "none")) return -1;
    return std::nullopt;
}

std::string ModeName(std::int32_t mode) {
    if (mode >= 0 && mode < std::int32_t(kModeNames.size())) return std::string(kModeNames[std::size_t(mode)]);
    return "none";
}

std::optional<std::int32_t> BackgroundFromName(std::string_view name) {
    for (std::size_t i = 0; i < kBackgroundNames.size(); ++i)
        if (SameIgnoringCase(kBackgroundNames[i], name)) return std::int32_t(i);
    if (SameIgnoringCase(name, "color")) return 2;
    return std::nullopt;
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
    std::int32_t value = 0;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace orb
