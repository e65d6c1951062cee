#include "settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orb {

const std::array<std::string_view, kImageBackground + 1> kBackgroundNames = {"starfield", "desktop", "colour", "image"};

namespace {
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

std::optional<SettingId> FindSetting(std::string_view name) {
    for (std::size_t i = 0; i < kSettingCount; ++i)
        if (SameIgnoringCase(kSettingTable[i].name, name)) return SettingId(i);
    return std::nullopt;
}

std::int32_t CorrectSetting(SettingId id, std::int32_t typed) {
    const SettingEntry& entry = kSettingTable[id];
    if (typed < entry.minimum) return entry.belowMinimum;
    return std::min(typed, entry.maximum);
}

std::optional<std::int32_t> ModeFromName(std::string_view name) {
    for (std::size_t i = 0; i < kModeNames.size(); ++i)
        if (SameIgnoringCase(kModeNames[i], name)) return std::int32_t(i);
    if (SameIgnoringCase(name, "none")) return kNoMotionMode;
    return std::nullopt;
}

std::string_view ModeName(std::int32_t mode) {
    if (mode >= 0 && mode < std::int32_t(kModeNames.size())) return kModeNames[std::size_t(mode)];
    return "none";
}

std::optional<std::int32_t> BackgroundFromName(std::string_view name) {
    for (std::size_t i = 0; i < kBackgroundNames.size(); ++i)
        if (SameIgnoringCase(kBackgroundNames[i], name)) return std::int32_t(i);
    if (SameIgnoringCase(name, "color")) return kColourBackground;
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
