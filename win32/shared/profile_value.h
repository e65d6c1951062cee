// Values both programs keep in the user profile (WIN.INI sections), never in
// the registry.
#pragma once
#include <string>

namespace orb {

// At most 255 characters; `fallback` when the key is missing.
std::string ReadSetting(const char* section, const char* key, const char* fallback = "");
void WriteSetting(const char* section, const char* key, const std::string& value);

}  // namespace orb
