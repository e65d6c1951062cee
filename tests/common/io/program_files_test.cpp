#include "common/io/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/test_folder.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// A build tree and an installed prefix side by side, as the programs see them:
//   build/bin/            build/samples/demo.apj   build/bin/orbellan-help.html
//   prefix/bin/           prefix/share/orbellan/{demo.apj, orbellan-help.html}
//   both/bin/             both/samples/demo.apj and both/share/orbellan/demo.apj
//   build/bin/folder.apj/ (a folder, never taken for a file)
fs::path MakeLayout() {
    const fs::path root = test::FreshFolder("program_files");
    for (const char* folder : {"build/bin/folder.apj", "build/samples", "prefix/bin", "prefix/share/orbellan",
                               "both/bin", "both/samples", "both/share/orbellan"})
        fs::create_directories(root / folder);
    for (const char* file : {"build/samples/demo.apj", "build/bin/orbellan-help.html", "prefix/share/orbellan/demo.apj",
                             "prefix/share/orbellan/orbellan-help.html", "both/samples/demo.apj",
                             "both/share/orbellan/demo.apj"})
        test::Put(root / file, std::string("x"));
    return root;
}

TEST(ProgramFiles, TheFirstCandidateThatIsAFileWins) {
    const fs::path root = MakeLayout();
    struct Case {
        const char* programFolder;
        std::vector<fs::path> candidates;
        const char* expected;  // relative to the layout's root; "" for none
    };
    const Case cases[] = {
        {"build/bin", {"../samples/demo.apj", "../share/orbellan/demo.apj"}, "build/samples/demo.apj"},
        {"prefix/bin", {"../samples/demo.apj", "../share/orbellan/demo.apj"}, "prefix/share/orbellan/demo.apj"},
        // Both layouts present: the build tree's comes first.
        {"both/bin", {"../samples/demo.apj", "../share/orbellan/demo.apj"}, "both/samples/demo.apj"},
        {"build/bin", {"orbellan-help.html", "../share/orbellan/orbellan-help.html"}, "build/bin/orbellan-help.html"},
        {"prefix/bin", {"orbellan-help.html", "../share/orbellan/orbellan-help.html"},
         "prefix/share/orbellan/orbellan-help.html"},
        {"build/bin", {"folder.apj"}, ""},
        {"build/bin", {"../share/orbellan/demo.apj", "nothing.apj"}, ""},
        {"build/bin", {}, ""},
    };
    for (const Case& c : cases) {
        const fs::path found = FirstExistingFile(root / c.programFolder, c.candidates);
        const fs::path expected = *c.expected ? (root / c.expected).lexically_normal() : fs::path();
        EXPECT_EQ(found, expected) << c.programFolder << " " << c.expected;
    }
}

TEST(ProgramFiles, NoFolderFindsNothing) {
    const fs::path root = MakeLayout();
    // Not even an absolute candidate: a program that cannot tell where it lies finds none of its files.
    EXPECT_EQ(FirstExistingFile({}, {root / "build/samples/demo.apj"}), fs::path());
}

TEST(ProgramFiles, InstalledDataLiesInShareBesideBin) {
    // <prefix>/bin -> <prefix>/share/orbellan
    EXPECT_EQ(InstalledDataFolder(), fs::path("../share/orbellan"));
}

#ifndef _WIN32
TEST(ProgramFiles, TheRunningProgramIsThisTest) {
    const fs::path folder = RunningProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::is_regular_file(folder / "io_tests")) << folder;
}
#endif

}  // namespace
}  // namespace orb
