// A compressed project as a build makes it, for tests that read one.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/archive/archive.h"
#include "tests/common/test_folder.h"

namespace orb::test {

// The plain file packed under "ORBxxx.apj", then its size appended (little-endian).
inline void WriteCompressed(const std::filesystem::path& target, const std::vector<std::uint8_t>& plain) {
    const std::filesystem::path staging = target.parent_path() / "staging";
    std::filesystem::create_directories(staging);
    Put(staging / "ORBxxx.apj", plain);
    ASSERT_EQ(CompressFileToArchive(target.string(), (staging / "ORBxxx.apj").string(), true), 0);
    std::ofstream out(target, std::ios::binary | std::ios::app);
    const std::uint32_t size = static_cast<std::uint32_t>(plain.size());
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>(size >> (8 * i)));
    out.close();
    std::filesystem::remove_all(staging);
}

}  // namespace orb::test
