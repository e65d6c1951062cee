// What the authoring program does with the settings of the table in
// common/formats/project_settings.h: finds them by name, corrects typed numbers
// as the dialog's edit boxes do, and names the motion modes and backgrounds.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/formats/project_settings.h"

namespace orb {

// The setting of that name, in any case.
std::optional<SettingId> FindSetting(std::string_view name);

// The value a control shows for a typed number: clamped into range, below the
// minimum the setting's own replacement (Size below 0 gives 10).
std::int32_t CorrectSetting(SettingId id, std::int32_t typed);

// A mode by its name in kModeNames, in any case; and a mode's name, "none" for
// kNoMotionMode.
std::optional<std::int32_t> ModeFromName(std::string_view name);
std::string_view ModeName(std::int32_t mode);

// "starfield", "desktop", "colour", "image" in BackgroundKind order.
extern const std::array<std::string_view, kImageBackground + 1> kBackgroundNames;
std::optional<std::int32_t> BackgroundFromName(std::string_view name);

// Parses a signed decimal number as a whole; nothing for anything else.
std::optional<std::int32_t> ParseInt(std::string_view text);

}  // namespace orb
