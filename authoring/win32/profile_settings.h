// Remembered folders and colours, kept in the user profile (WIN.INI sections),
// never in the registry. A value whose first character is "-" means "not set".
#pragma once
#include <cstdint>
#include <string>

#include "authoring/model/profile.h"
#include "win32/shared/profile_value.h"

namespace orb {

// The same profile for the portable rules that read and write remembered values.
class UserProfile final : public Profile {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    void Write(const std::string& section, const std::string& key, const std::string& value) override;
};

// Colour values are written as signed decimal; they are read with
// ParseProfileColour (authoring/model/profile.h).
std::string FormatColour(std::uint32_t colour);
std::string CustomColourKey(int index);  // "Color%ld"

}  // namespace orb
