// Remembered folders and colours, kept in the user profile (WIN.INI sections),
// never in the registry. A value whose first character is "-" means "not set".
#pragma once
#include <cstdint>
#include <string>

namespace orb {

inline constexpr char kDirectoriesSection[] = "DefaultDirectories";
inline constexpr char kOpenPathKey[] = "DefaultOpenPath";
inline constexpr char kOpenProjectKey[] = "DefaultOpenProject";
inline constexpr char kColoursSection[] = "DefaultColors";
inline constexpr char kDefaultColourKey[] = "DefaultColor";

// Reads at most 255 characters; `fallback` when the key is missing.
std::string ReadSetting(const char* section, const char* key, const char* fallback = "");
void WriteSetting(const char* section, const char* key, const std::string& value);

// Colour values are written as signed decimal; they are read with
// ParseProfileColour (authoring/model/profile.h).
std::string FormatColour(std::uint32_t colour);
std::string CustomColourKey(int index);  // "Color%ld"

}  // namespace orb
