#include "common/io/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orb {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const char* name) {
    fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(FileIo, AtomicWriteReplacesAnExistingFileAndLeavesNoTemporary) {
    fs::path folder = FreshFolder("orb_file_io_test");
    fs::path target = folder / "project.apj";
    const std::uint8_t first[] = {1, 2, 3};
    const std::uint8_t second[] = {9, 8};
    ASSERT_TRUE(WriteFileAtomically(target, first));
    ASSERT_TRUE(WriteFileAtomically(target, second));
    auto back = ReadWholeFile(target);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, std::vector<std::uint8_t>({9, 8}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
    fs::path folder = FreshFolder("orb_file_io_fail");
    std::string error;
    const std::uint8_t data[] = {1};
    EXPECT_FALSE(WriteFileAtomically(folder / "missing-folder" / "x.apj", data, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ReadWholeFile(folder / "nothing-here").has_value());
    fs::remove_all(folder);
}

}  // namespace
}  // namespace orb
