// Files named on the command line are kept by their full names, so a project
// builds the same from any folder.
#pragma once
#include <filesystem>
#include <string>

namespace orb::cli {

inline std::string FullPath(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).lexically_normal().string();
}

}  // namespace orb::cli
