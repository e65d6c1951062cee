// The orbellan command line end to end: a saver built from ImageMagick-made pictures
// of every import type, its files, and rejected inputs that leave the project as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
};

CliRun Orbellan(const std::string& arguments, const fs::path& home) {
    std::string command = "cd '" + home.string() + "' && XDG_CONFIG_HOME='" + (home / "config").string() +
                          "' XDG_DATA_HOME='" + (home / "data").string() + "' '" ORB_CLI_PATH "' " + arguments +
                          " 2>&1";
    CliRun run{0, {}};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A 24 x 16 picture: a coloured body on a magenta surround (the key colour of its first pixel).
void MakePictures(const fs::path& dir) {
    std::vector<test::Rgb> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            pixels.push_back(x > 4 && x < 19 && y > 3 && y < 12 ? test::Rgb{40, 120, 220} : test::Rgb{255, 0, 255});
    test::WritePpm(dir / "fish.ppm", 24, 16, pixels);
    std::string src = "'" + (dir / "fish.ppm").string() + "' ";
    ASSERT_TRUE(test::Convert(src + "'" + (dir / "fish.jpg").string() + "'"));
    ASSERT_TRUE(test::Convert(src + "'" + (dir / "fish.png").string() + "'"));
    ASSERT_TRUE(test::Convert(src + "-define tga:image-origin=TopLeft '" + (dir / "fish.tga").string() + "'"));
    ASSERT_TRUE(test::Convert(src + "'" + (dir / "fish.pcx").string() + "'"));
    ASSERT_TRUE(test::Convert(src + "'" + (dir / "fish.bmp").string() + "'"));  // a V5 header
}

TEST(Cli, BuildsASaverFromEveryPictureTypeThatTheViewerPlays) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    for (const char* file : {"fish.jpg", "fish.png", "fish.tga", "fish.pcx", "fish.bmp"}) {
        CliRun add = Orbellan(std::string("add p.apj ") + file, dir);
        ASSERT_EQ(add.status, 0) << file << ": " << add.out;
    }
    ASSERT_EQ(Orbellan("set p.apj mode=rain number=12 speed=80 swirl=-45", dir).status, 0);
    ASSERT_EQ(Orbellan("modify p.apj 2 --flip-h --rotate 90 --key 255,0,255 --tolerance 30", dir).status, 0);

    CliRun info = Orbellan("info p.apj --json", dir);
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_NE(info.out.find("\"mode\": 3"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"number\": 12"), std::string::npos);
    EXPECT_NE(info.out.find("\"swirl\": -45"), std::string::npos);
    EXPECT_NE(info.out.find("\"angle\": 90"), std::string::npos);
    EXPECT_NE(info.out.find("\"tolerance\": 30"), std::string::npos);
    for (const char* file : {"fish.jpg", "fish.png", "fish.tga", "fish.pcx", "fish.bmp"})
        EXPECT_NE(info.out.find(file), std::string::npos) << file;
    // a 24 x 16 picture on its square canvas: 2 x (floor(sqrt(floor(832 / 4))) + 1) = 30
    EXPECT_NE(info.out.find("\"width\": 30, \"height\": 30"), std::string::npos) << info.out;

    fs::create_directories(dir / "out");
    CliRun build = Orbellan("build p.apj --name fish --out out", dir);
    ASSERT_EQ(build.status, 0) << build.out;
    fs::path apj = dir / "out" / "fish.apj";
    ASSERT_TRUE(fs::exists(apj));
    EXPECT_FALSE(fs::exists(dir / "out" / "ORBxxx.apj"));
    std::vector<std::uint8_t> bytes = test::FileBytes(apj);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 'P');
    std::uint32_t size = std::uint32_t(bytes[bytes.size() - 4]) | std::uint32_t(bytes[bytes.size() - 3]) << 8 |
                         std::uint32_t(bytes[bytes.size() - 2]) << 16 | std::uint32_t(bytes[bytes.size() - 1]) << 24;
    EXPECT_EQ(size, fs::file_size(dir / "p.apj"));  // the plain project's size
    EXPECT_EQ(std::system(("unzip -tq '" + apj.string() + "' >/dev/null 2>&1").c_str()), 0);

    CliRun again = Orbellan("info out/fish.apj --json", dir);  // the compressed form reads back the same
    ASSERT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(again.out, info.out);
#ifdef ORB_VIEWER_PATH
    std::string play = "'" ORB_VIEWER_PATH "' --headless --frames 30 --size 320x240 '" + apj.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(play.c_str()), 0);
    CliRun preview = Orbellan("preview p.apj --headless --frames 10 --size 160x120", dir);
    EXPECT_EQ(preview.status, 0) << preview.out;
#endif
}

TEST(Cli, RejectedInputsLeaveTheProjectByteIdentical) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj fish.png", dir).status, 0);
    std::vector<std::uint8_t> before = test::FileBytes(dir / "p.apj");
    const char* rejected[] = {
        "set p.apj number=51",          "set p.apj swirl=-91",           "set p.apj mode=wobble",
        "set p.apj nosuch=1",           "set p.apj number=5 size=101",   "add p.apj fish.png",
        "add p.apj fish.png fish.jpg",  "add p.apj missing.png",         "add p.apj notes.gif",
        "remove p.apj 7",               "move p.apj 1 up",               "modify p.apj 1 --tolerance 300",
        "modify p.apj 1 --key 1,2",     "banner p.apj fish.Png",         "music p.apj nosuch.mid",
        "background p.apj image fish.ppm", "new p.apj",                  "build p.apj --out .",
    };
    for (const char* command : rejected) {
        CliRun run = Orbellan(command, dir);
        EXPECT_NE(run.status, 0) << command;
        EXPECT_NE(run.out.find("error"), std::string::npos) << command << ": " << run.out;
        EXPECT_EQ(test::FileBytes(dir / "p.apj"), before) << command;
    }
    CliRun range = Orbellan("set p.apj number=51", dir);
    EXPECT_NE(range.out.find("allowed 0..50"), std::string::npos) << range.out;
    CliRun longPath = Orbellan("add p.apj " + std::string(300, 'a') + ".png", dir);
    EXPECT_NE(longPath.out.find("longer than 255"), std::string::npos) << longPath.out;
}

TEST(Cli, EveryCommandHasHelp) {
    fs::path dir = test::ScratchFolder();
    for (const char* command : {"new", "add", "remove", "move", "set", "background", "music", "effects", "banner",
                                "modify", "info", "build", "install", "preview"}) {
        CliRun run = Orbellan(std::string(command) + " --help", dir);
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find(std::string("usage: orbellan ") + command), std::string::npos) << run.out;
    }
}

TEST(Cli, InstallPutsTheSaverAndALauncherInTheUsersSaverFolder) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj fish.pcx", dir).status, 0);
    CliRun install = Orbellan("install p.apj --name fish", dir);
    ASSERT_EQ(install.status, 0) << install.out;
    fs::path savers = dir / "data" / "orbellan" / "savers";
    EXPECT_TRUE(fs::exists(savers / "fish.apj"));
    EXPECT_TRUE(fs::exists(savers / "fish"));
    EXPECT_NE(fs::status(savers / "fish").permissions() & fs::perms::owner_exec, fs::perms::none);
}

}  // namespace
}  // namespace orb
