// The command line's parts run in the test program: the command table that drives
// dispatch and help, and starting the viewer. Output goes to temporary files so
// each case sees exactly what the user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "authoring/cli/command_table.h"
#include "authoring/cli/process_start.h"
#include "authoring/model/project_files.h"
#include "test_files.h"

namespace orb::cli {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, got);
    return text;
}

// One run of the command line with its own output, errors and program folder.
struct Outcome {
    int status;
    std::string out, err;
};

Outcome Orbellan(const Args& words, const fs::path& programFolder = {}) {
    File out(std::tmpfile()), err(std::tmpfile());
    TerminalSink sink(err.get());
    CliContext context{sink, out.get(), programFolder, {}};
    const int status = Dispatch(words, context);
    return {status, Contents(out.get()), Contents(err.get())};
}

constexpr const char* kListHeader = "usage: orbellan COMMAND ARGUMENTS...   (orbellan COMMAND --help for each)\n\n";

TEST(CliCommands, TheTableListsEveryCommandOnceInHelpOrder) {
    const char* const expected[] = {"new",  "add",    "remove", "move",  "set",     "background", "music", "effects",
                                    "banner", "modify", "info",  "build", "install", "preview",    "help"};
    ASSERT_EQ(Commands().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Commands()[i].name, expected[i]);
        EXPECT_EQ(FindCommand(expected[i]), &Commands()[i]);
    }
    EXPECT_EQ(FindCommand("frobnicate"), nullptr);
    EXPECT_EQ(FindCommand(""), nullptr);
}

TEST(CliCommands, HelpListsTheTablesUsageLines) {
    const Outcome run = Orbellan({"help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    ASSERT_TRUE(run.out.starts_with(kListHeader)) << run.out;
    EXPECT_NE(run.out.find("\n  orbellan new P.apj [--force]\n  orbellan add P.apj FILES..."), std::string::npos);
    EXPECT_TRUE(run.out.ends_with("  orbellan preview P.apj [VIEWER OPTIONS...]\n  orbellan help [COMMAND] [--browser]\n"));
    // The header and its blank line, 15 usage lines, and one more for modify's second line.
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2 + 15 + 1);
}

TEST(CliCommands, DispatchFollowsTheTable) {
    struct Case {
        Args words;
        int status;
        std::string outStart, err;
    };
    const Case cases[] = {
        {{}, 0, kListHeader, ""},
        {{"--help"}, 0, kListHeader, ""},
        {{"-h"}, 0, kListHeader, ""},
        {{"frobnicate", "p.apj"}, 1, kListHeader, "orbellan: error: Unknown command (frobnicate)\n"},
        {{"help", "frobnicate"}, 1, kListHeader, "orbellan: error: Unknown command (frobnicate)\n"},
        // "--help" anywhere after a command shows that command's usage and runs nothing.
        {{"move", "p.apj", "--help", "up"}, 0,
         "usage: orbellan move P.apj ACTOR up|down|POSITION\n\nMoves an actor one place up or down, or to a position.\n", ""},
        {{"help", "remove"}, 0,
         "usage: orbellan remove P.apj ACTOR\n\nRemoves an actor, named by its position (1 is the first) or its name.\n", ""},
        // The words after the command reach its runner.
        {{"new"}, 1, "", "orbellan: error: A project file is needed\n"},
        {{"info"}, 1, "", "orbellan: error: A project or actor file is needed\n"},
        {{"build", "p.apj"}, 1, "", "orbellan: error: A saver name is needed (--name NAME)\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = Orbellan(c.words);
        const std::string words = c.words.empty() ? "(none)" : c.words[0];
        EXPECT_EQ(run.status, c.status) << words;
        if (c.outStart.empty()) {
            EXPECT_EQ(run.out, "") << words;
        } else {
            EXPECT_TRUE(run.out.starts_with(c.outStart)) << words << ": " << run.out;
        }
        EXPECT_EQ(run.err, c.err) << words;
    }
}

TEST(CliCommands, ARefusedImportIsAnErrorInTheModelsWords) {
    const fs::path dir = test::ScratchFolder();
    const fs::path project = dir / "p.apj";
    NullReportSink quiet;
    ASSERT_TRUE(SaveProject(ProjectModel{}, project, quiet));
    const std::vector<std::uint8_t> before = test::FileBytes(project);
    const Outcome run = Orbellan({"add", project.string(), (dir / "a.bmp").string(), (dir / "b.jpg").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "orbellan: error: Mixed file type selections are not allowed\n"
                       "orbellan: note: With --separate every file becomes an actor of its own, whatever its type\n"
                       "orbellan: note: The project was left unchanged (" + project.string() + ")\n");
    EXPECT_EQ(test::FileBytes(project), before);
}

TEST(ProcessStart, GivesTheExitStatusOrNothingWhenTheProgramCannotStart) {
    EXPECT_EQ(RunAndWait("sh", {"-c", "exit 3"}), std::optional<int>(3));
    EXPECT_EQ(RunAndWait("sh", {"-c", "exit 0"}), std::optional<int>(0));
    EXPECT_EQ(RunAndWait("sh", {"-c", "kill -9 $$"}), std::optional<int>(1));  // killed: no exit status of its own
    EXPECT_EQ(RunAndWait("/no/such/program", {}), std::nullopt);
}

// Preview finds the viewer in the program folder it is given and hands it the
// project first, then the viewer's own options.
TEST(CliCommands, PreviewStartsTheViewerOrSaysWhyNot) {
    const fs::path dir = test::ScratchFolder();
    const fs::path project = dir / "p.apj", viewer = dir / "viewer", seen = dir / "seen.txt";
    std::ofstream(project) << "not read by orbellan";

    Outcome run = Orbellan({"preview", project.string()}, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "orbellan: error: Unable to find Orbellan's Screensaver viewer: screensavers cannot be previewed (" +
                           viewer.string() + ")\n");

    std::ofstream(viewer) << "#!/bin/sh\necho \"$@\" > '" << seen.string() << "'\nexit 7\n";
    run = Orbellan({"preview", project.string()}, dir);  // there, but not a program that can be started
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "orbellan: error: Unable to start Orbellan's Screensaver viewer (" + viewer.string() + ")\n");

    fs::permissions(viewer, fs::perms::owner_exec, fs::perm_options::add);
    run = Orbellan({"preview", project.string(), "--headless", "--frames", "5"}, dir);
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(run.err, "");
    std::ifstream in(seen);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, project.string() + " --headless --frames 5");
}

TEST(CliCommands, TheManualNeedsItsPageBesideTheProgram) {
    const fs::path dir = test::ScratchFolder();
    const Outcome run = Orbellan({"help", "--browser"}, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "orbellan: error: The help page is missing (" + dir.string() + ")\n");
}

}  // namespace
}  // namespace orb::cli
