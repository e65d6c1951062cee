// Installing savers: the xscreensaver programs list edit, and the free-space check of
// a build, which must ask about the folder the saver goes to.
#include <gtest/gtest.h>

#include "authoring/model/project_files.h"
#include "authoring/model/xscreensaver_list.h"
#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// The layout xscreensaver writes: one entry per line, each ending in \n\ but the last.
const std::string kSettings =
    "timeout:\t\t0:10:00\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "\t\t\t\tqix -root\t\t\t\t    \\n\n"
    "\n"
    "pointerPollTime:\t0:00:05\n";

TEST(XScreenSaverList, PutsTheEntryFirstAndKeepsEveryOtherLine) {
    std::optional<std::string> added = AddToProgramsList(kSettings, "Orbellan: fish", "/home/u/fish -root");
    ASSERT_TRUE(added);
    EXPECT_EQ(*added, "timeout:\t\t0:10:00\n"
                      "programs:\t\t\t\t\t\t\t\t      \\\n"
                      "  \"Orbellan: fish\"  /home/u/fish -root  \\n\\\n"
                      "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
                      "- GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
                      "\t\t\t\tqix -root\t\t\t\t    \\n\n"
                      "\n"
                      "pointerPollTime:\t0:00:05\n");
    EXPECT_EQ(AddToProgramsList(*added, "Orbellan: fish", "/home/u/fish -root"), *added);  // listed once only
}

TEST(XScreenSaverList, HandlesAnEmptyOrOneLineListAndRefusesAFileWithoutOne) {
    EXPECT_EQ(AddToProgramsList("programs:\nlock: False\n", "fish", "/s/fish -root"),
              "programs:\t\\\n  \"fish\"  /s/fish -root  \\n\nlock: False\n");
    EXPECT_EQ(AddToProgramsList("programs: qix -root\n", "fish", "/s/fish -root"),
              "programs:\t\\\n  \"fish\"  /s/fish -root  \\n\\\n\tqix -root\n");
    EXPECT_EQ(AddToProgramsList("timeout: 0:10:00\n# programs: none\n", "fish", "/s/fish -root"), std::nullopt);
    EXPECT_EQ(AddToProgramsList("mode: one\n", "fish", "/s/fish -root"), std::nullopt);
}

TEST(XScreenSaverList, QuotesALauncherPathTheShellWouldSplit) {
    EXPECT_EQ(XScreenSaverCommand("/home/u/.local/share/orbellan/savers/fish"),
              "/home/u/.local/share/orbellan/savers/fish -root");
    EXPECT_EQ(XScreenSaverCommand("/home/my saver/it's"), "'/home/my saver/it'\\''s' -root");
}

TEST(XScreenSaverList, RewritesTheFileWholeAndKeepsItsPermissions) {
    fs::path dir = test::ScratchFolder();
    fs::path file = dir / ".xscreensaver";
    std::ofstream(file, std::ios::binary) << kSettings;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ReportLog log;
    ASSERT_TRUE(ListInXScreenSaver(file, "Orbellan: fish", "/s/fish -root", log));
    std::vector<std::uint8_t> bytes = test::FileBytes(file);
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("\"Orbellan: fish\"  /s/fish -root"), std::string::npos);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // nothing left beside

    ReportLog missing;
    EXPECT_FALSE(ListInXScreenSaver(dir / "nothing", "fish", "/s/fish -root", missing));
    ASSERT_EQ(missing.reports.size(), 1u);
    EXPECT_EQ(missing.reports[0].subject, (dir / "nothing").string());
    EXPECT_FALSE(fs::exists(dir / "nothing"));
}

TEST(BuildSaver, ChecksTheFreeSpaceOfTheTargetFolderBeforeWritingAnything) {
    fs::path dir = test::ScratchFolder();
    fs::create_directories(dir / "target");
    ProjectModel model;
    std::vector<fs::path> asked;
    BuildRequest request{dir / "target" / "fish.apj", {}, {}, [&](const fs::path& folder) {
                             asked.push_back(folder);
                             return std::optional<std::int64_t>(1);  // 1k: far too little
                         }};
    ReportLog log;
    EXPECT_FALSE(BuildSaver(model, request, log));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], dir / "target");
    ASSERT_FALSE(log.reports.empty());
    EXPECT_EQ(log.reports.back().kind, ReportKind::Error);
    EXPECT_NE(log.reports.back().message.find("available 1k"), std::string::npos) << log.reports.back().message;
    EXPECT_EQ(log.reports.back().subject, (dir / "target").string());
    EXPECT_TRUE(fs::is_empty(dir / "target"));

    request.freeSpace = [](const fs::path&) { return std::optional<std::int64_t>(1 << 20); };
    ReportLog enough;
    EXPECT_TRUE(BuildSaver(model, request, enough));
    EXPECT_TRUE(fs::exists(dir / "target" / "fish.apj"));
    EXPECT_FALSE(fs::exists(dir / "target" / "ORBxxx.apj"));
}

}  // namespace
}  // namespace orb
