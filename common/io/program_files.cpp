#include "common/io/program_files.h"

#include <system_error>

#ifndef ORB_DATA_FROM_PROGRAMS
#error "ORB_DATA_FROM_PROGRAMS comes from the install layout in the build files"
#endif

namespace orb {

namespace fs = std::filesystem;

fs::path RunningProgramFolder() {
    std::error_code error;
    const fs::path self = fs::canonical("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

fs::path FirstExistingFile(const fs::path& programFolder, const std::vector<fs::path>& candidates) {
    if (programFolder.empty()) return {};
    for (const fs::path& candidate : candidates) {
        const fs::path path = (programFolder / candidate).lexically_normal();
        std::error_code error;
        if (fs::is_regular_file(path, error)) return path;
    }
    return {};
}

fs::path InstalledDataFolder() { return ORB_DATA_FROM_PROGRAMS; }

}  // namespace orb
