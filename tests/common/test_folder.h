// Scratch folders and files for tests that work on real files.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>

namespace orb::test {

// An empty folder "orb_<name>" in the temporary folder, cleared first (also when
// an interrupted run left it read-only).
inline std::filesystem::path FreshFolder(const std::string& name) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("orb_" + name);
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

inline void Put(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

inline void Put(const std::filesystem::path& path, const std::string& text) {
    Put(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace orb::test
