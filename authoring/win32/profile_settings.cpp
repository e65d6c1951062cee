#include "authoring/win32/profile_settings.h"

#include <cstdio>

namespace orb {

std::string UserProfile::Read(const std::string& section, const std::string& key,
                              const std::string& fallback) const {
    return ReadSetting(section.c_str(), key.c_str(), fallback.c_str());
}

void UserProfile::Write(const std::string& section, const std::string& key, const std::string& value) {
    WriteSetting(section.c_str(), key.c_str(), value);
}

std::string FormatColour(std::uint32_t colour) {
    return std::to_string(static_cast<long>(static_cast<std::int32_t>(colour)));
}

std::string CustomColourKey(int index) {
    char key[16];
    std::snprintf(key, sizeof key, "Color%ld", static_cast<long>(index));
    return key;
}

}  // namespace orb
