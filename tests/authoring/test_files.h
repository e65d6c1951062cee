// Helpers for tests that work on real files: a scratch folder per test and pictures
// made with ImageMagick from pixels we write ourselves.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orb::test {

struct Rgb {
    int r, g, b;
};

// A fresh empty folder named after the running test.
inline std::filesystem::path ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto dir = std::filesystem::temp_directory_path() /
               ("orb_authoring_" + std::string(info->test_suite_name()) + "_" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A binary PPM of the given pixels, rows from the top.
inline void WritePpm(const std::filesystem::path& path, int width, int height, const std::vector<Rgb>& pixels) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (const Rgb& p : pixels) out.put(char(p.r)).put(char(p.g)).put(char(p.b));
}

// Runs ImageMagick's convert with the given arguments; true when it succeeded.
inline bool Convert(const std::string& arguments) {
    return std::system(("/usr/bin/convert " + arguments + " 2>/dev/null").c_str()) == 0;
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace orb::test
