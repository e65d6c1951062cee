#include "viewer/win32/temp_sound_folder.h"

#include <windows.h>

#include <cstdio>

namespace orb {

bool TempSoundFolder::Create() {
    char base[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) return false;
    // Process id and a counter make the name unique; two savers never share files.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        char folder[MAX_PATH + 32];
        std::snprintf(folder, sizeof folder, "%sOrbellan-%lu-%u", base, GetCurrentProcessId(), attempt);
        if (CreateDirectoryA(folder, nullptr)) {
            folder_ = folder;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

std::string TempSoundFolder::PathOf(std::string_view name) {
    if (folder_.empty() && !Create()) return {};
    std::string path = folder_ + "\\" + std::string(name);
    bool known = false;
    for (int i = 0; i < nameCount_; ++i) known = known || names_[i] == path;
    if (!known) {
        if (nameCount_ == int(std::size(names_))) return {};
        names_[nameCount_++] = path;
    }
    return path;
}

void TempSoundFolder::Remove() {
    for (int i = 0; i < nameCount_; ++i) DeleteFileA(names_[i].c_str());
    nameCount_ = 0;
    if (!folder_.empty()) RemoveDirectoryA(folder_.c_str());
    folder_.clear();
}

}  // namespace orb
