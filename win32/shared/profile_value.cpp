#include "win32/shared/profile_value.h"

#include <windows.h>

namespace orb {

std::string ReadSetting(const char* section, const char* key, const char* fallback) {
    char value[256] = {};
    GetProfileStringA(section, key, fallback, value, sizeof value);
    return value;
}

void WriteSetting(const char* section, const char* key, const std::string& value) {
    WriteProfileStringA(section, key, value.c_str());
}

}  // namespace orb
