// The orbellan command line end to end: a saver built from ImageMagick-made pictures
// of every import type, its files, and rejected inputs that leave the project as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "cli_run.h"
#include "test_files.h"
#ifdef ORB_DEMO_PROJECT
#include "samples/art.h"
#endif

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::Orbellan;

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

// The pictures and a new project holding one actor made of `picture`.
void MakeOneActorProject(const fs::path& dir, const std::string& picture) {
    ASSERT_NO_FATAL_FAILURE(MakePictures(dir));
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj " + picture, dir).status, 0);
}

// A short 8-bit mono wave: a 1 kHz square tone.
void WriteWave(const fs::path& path) {
    const std::uint32_t samples = 800;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.put(char(v)).put(char(v >> 8)).put(char(v >> 16)).put(char(v >> 24)); };
    auto u16 = [&](std::uint16_t v) { out.put(char(v)).put(char(v >> 8)); };
    out << "RIFF";
    u32(36 + samples);
    out << "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    out << "data";
    u32(samples);
    for (std::uint32_t i = 0; i < samples; ++i) out.put(char(i / 4 % 2 ? 200 : 56));
}

// One note on and off, then the end of the track.
void WriteMidi(const fs::path& path) {
    const unsigned char bytes[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 12,
                                   0, 0x90, 60, 100, 96, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(Cli, BuildsASaverFromEveryPictureTypeThatTheViewerPlays) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    WriteMidi(dir / "tune.mid");
    for (const char* sound : {"bounce.wav", "create.wav", "destroy.wav"}) WriteWave(dir / sound);
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    for (const char* file : {"fish.jpg", "fish.png", "fish.tga", "fish.pcx", "fish.bmp"}) {
        CliRun add = Orbellan(std::string("add p.apj ") + file, dir);
        ASSERT_EQ(add.status, 0) << file << ": " << add.out;
    }
    ASSERT_EQ(Orbellan("set p.apj mode=rain number=12 speed=80 swirl=-45", dir).status, 0);
    for (const char* command : {"background p.apj image fish.jpg", "banner p.apj fish.png", "music p.apj tune.mid --loop",
                                "effects p.apj --bounce bounce.wav --create create.wav --destroy destroy.wav"}) {
        CliRun run = Orbellan(command, dir);
        ASSERT_EQ(run.status, 0) << command << ": " << run.out;
    }
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
    EXPECT_EQ(build.out.find("note: The"), std::string::npos) << build.out;  // every sound and picture embedded
    fs::path apj = dir / "out" / "fish.apj";
    ASSERT_TRUE(fs::exists(apj));
    // with the Windows programs built too, the saver's viewer comes beside the project
    fs::path viewerScr = fs::path(ORB_CLI_PATH).parent_path().parent_path() / "win32" / "bin" / "Viewer.scr";
    if (fs::exists(viewerScr)) {
        EXPECT_EQ(test::FileBytes(dir / "out" / "fish.scr"), test::FileBytes(viewerScr));
    }
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
    // a change to the built saver keeps its project compressed
    ASSERT_EQ(Orbellan("set out/fish.apj number=7", dir).status, 0);
    EXPECT_EQ(test::FileBytes(apj)[0], 'P');
    EXPECT_EQ(std::system(("unzip -tq '" + apj.string() + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_NE(Orbellan("info out/fish.apj --json", dir).out.find("\"number\": 7,"), std::string::npos);
#ifdef ORB_VIEWER_PATH
    std::string play = "'" ORB_VIEWER_PATH "' --headless --frames 30 --size 320x240 '" + apj.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(play.c_str()), 0);
    CliRun preview = Orbellan("preview p.apj --headless --frames 10 --size 160x120", dir);
    EXPECT_EQ(preview.status, 0) << preview.out;
#endif
    // neither the build nor the viewer's unpacking leaves the temporary plain project behind
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        EXPECT_NE(entry.path().filename(), "ORBxxx.apj") << entry.path();
}

TEST(Cli, RejectedInputsLeaveTheProjectByteIdentical) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    std::ofstream(dir / "broken.png", std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
    std::ofstream(dir / "notes.txt") << "not a picture";
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj fish.png", dir).status, 0);
    fs::create_directories(dir / "out");
    ASSERT_EQ(Orbellan("build p.apj --name fish --out out", dir).status, 0);
    std::vector<std::uint8_t> before = test::FileBytes(dir / "p.apj");
    std::vector<std::uint8_t> saverBefore = test::FileBytes(dir / "out" / "fish.apj");
    const std::string longName = std::string(300, 'a');
    // each rejection with the words it must show: the allowed range or the file concerned
    const std::pair<std::string, std::string> rejected[] = {
        {"set p.apj number=51", "allowed 0..50"},
        {"set p.apj swirl=-91", "allowed -90..90"},
        {"set p.apj direction=361", "allowed 0..360"},
        {"set p.apj actorBias=-101", "allowed -100..100"},
        {"set p.apj mode=wobble", "BOUNCE, GRAVIBOUNCE"},
        {"set p.apj mode=8", "RANDOM or none"},
        {"set p.apj colour=#12345", "#RRGGBB"},
        {"set p.apj nosuch=1", "nosuch"},
        {"set p.apj number=5 size=101", "allowed 0..100"},
        {"set p.apj eraser=2", "allowed 0..1"},
        {"set p.apj background=image", "needs a picture"},
        {"add p.apj fish.png", "already been loaded"},
        {"add p.apj fish.png fish.jpg", "Mixed file type"},
        {"add p.apj fish.png fish.jpg", "note: With --separate every file becomes an actor of its own"},
        {"add p.apj fish.tga --grid 3", "--grid needs COLSxROWS"},
        {"add p.apj fish.tga --frames 2", "--frames goes with --grid"},
        {"add p.apj fish.tga fish.jpg --grid 2x1", "--grid takes one picture file"},
        {"add p.apj fish.tga --grid 3x2 --frames 7", "--frames can be at most the 6 cells of the grid"},
        {"add p.apj fish.tga --grid 30x2", "A picture of 24x16 pixels cannot be cut into 60 of 30x2 cells"},
        {"add p.apj fish.tga --grid 40x40", "A sprite sheet gives one actor at most 1000 frames"},
        {"add p.apj missing.png", "missing.png"},
        {"add p.apj broken.png", "broken.png"},
        {"add p.apj notes.gif", "notes.gif"},
        {"add p.apj " + longName + ".png", "longer than 255"},
        {"remove p.apj 7", "the project has 1 actor(s)"},
        {"move p.apj 1 up", "positions are 1..1"},
        {"modify p.apj 1 --tolerance 300", "0..256"},
        {"modify p.apj 1 --rotate 400", "-360..360"},
        {"modify p.apj 1 --key 1,2", "0..255"},
        {"modify p.apj 9 --flip-h", "the project has 1 actor(s)"},
        {"modify p.apj 1 --wobble", "--wobble"},
        {"banner p.apj fish.Png", "fish.Png"},
        {"banner p.apj notes.txt", "notes.txt"},
        {"music p.apj nosuch.mid", "nosuch.mid"},
        {"music p.apj " + longName + ".mid", "longer than 255"},
        {"effects p.apj --bounce missing.wav", "missing.wav"},
        {"effects p.apj --loud fish.png", "--loud"},
        {"background p.apj plaid", "plaid"},
        {"background p.apj image fish.ppm", "fish.ppm"},
        {"new p.apj", "p.apj"},
        {"info missing.apj", "missing.apj"},
        {"build p.apj --out .", "--name"},
        {"build p.apj --name fish --out fish.png", "Not a folder (fish.png)"},
        {"build p.apj --name fish --out " + longName, "longer than 255"},
        {"build missing.apj --name fish --out out", "missing.apj"},
    };
    for (const auto& [command, words] : rejected) {
        CliRun run = Orbellan(command, dir);
        EXPECT_NE(run.status, 0) << command;
        EXPECT_NE(run.out.find("error"), std::string::npos) << command << ": " << run.out;
        EXPECT_NE(run.out.find(words), std::string::npos) << command << ": " << run.out;
        EXPECT_EQ(test::FileBytes(dir / "p.apj"), before) << command;
        EXPECT_EQ(test::FileBytes(dir / "out" / "fish.apj"), saverBefore) << command;
    }
    EXPECT_FALSE(fs::exists(dir / "missing.apj"));
    EXPECT_NE(Orbellan("set p.apj number=51", dir).out.find("note: The project was left unchanged (p.apj)"),
              std::string::npos);
    for (const auto& entry : fs::recursive_directory_iterator(dir))  // no half-written files
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
}

// A built saver is NAME.apj and a copy of the viewer as NAME.scr, whatever extension NAME had.
TEST(Cli, BuildWritesTheProjectAndTheViewerCopyUnderOneName) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    fs::create_directories(dir / "tools");
    fs::create_directories(dir / "out");
    std::ofstream(dir / "tools" / "Viewer.scr", std::ios::binary) << "MZ stands in for the viewer";
    const std::vector<std::uint8_t> viewer = test::FileBytes(dir / "tools" / "Viewer.scr");
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj fish.jpg", dir).status, 0);

    CliRun build = Orbellan("build p.apj --name fish.txt --out out --viewer tools/Viewer.scr", dir);
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_TRUE(fs::exists(dir / "out" / "fish.apj"));
    EXPECT_EQ(test::FileBytes(dir / "out" / "fish.scr"), viewer);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 2);

    // building "Viewer" beside the viewer leaves the viewer as it is
    ASSERT_EQ(Orbellan("build p.apj --name Viewer --out tools --viewer tools/Viewer.scr", dir).status, 0);
    EXPECT_TRUE(fs::exists(dir / "tools" / "Viewer.apj"));
    EXPECT_EQ(test::FileBytes(dir / "tools" / "Viewer.scr"), viewer);

    CliRun missing = Orbellan("build p.apj --name other --out out --viewer tools/Nothing.scr", dir);
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.out.find("Unable to locate chosen Viewer (tools/Nothing.scr)"), std::string::npos) << missing.out;
    EXPECT_FALSE(fs::exists(dir / "out" / "other.apj"));
}

// Files named from one folder are kept by full name, so a build from another folder still embeds them.
TEST(Cli, ChosenFilesKeepTheirFullNames) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    fs::create_directories(dir / "elsewhere");
    std::ofstream(dir / "tune.mid", std::ios::binary) << "MThd";
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add p.apj fish.tga", dir).status, 0);
    ASSERT_EQ(Orbellan("banner p.apj fish.bmp", dir).status, 0);
    ASSERT_EQ(Orbellan("background p.apj image ./fish.png", dir).status, 0);
    ASSERT_EQ(Orbellan("music p.apj tune.mid --loop", dir).status, 0);
    CliRun info = Orbellan("info p.apj --json", dir);
    for (const char* file : {"fish.bmp", "fish.png", "fish.tga", "tune.mid"})
        EXPECT_NE(info.out.find("\"" + (dir / file).string() + "\""), std::string::npos) << file << info.out;
    CliRun build = Orbellan("build ../p.apj --name moved", dir / "elsewhere");
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_EQ(build.out.find("cannot be found"), std::string::npos) << build.out;
    EXPECT_EQ(build.out.find("does not exist"), std::string::npos) << build.out;
    EXPECT_NE(Orbellan("music p.apj", dir).status, 0);  // nothing asked: an error, not a silent rewrite
}

// A 101-frame actor file split into actors would pass the limit of 100: the add is refused whole.
TEST(Cli, AnAddBeyondAHundredActorsIsRefused) {
    fs::path dir = test::ScratchFolder();
    MakePictures(dir);
    std::string many;
    for (int i = 0; i < 101; ++i) {
        std::string name = "f" + std::to_string(i) + ".png";
        fs::copy_file(dir / "fish.png", dir / name);
        many += " " + name;
    }
    ASSERT_EQ(Orbellan("new a.apj", dir).status, 0);
    ASSERT_EQ(Orbellan("add a.apj --build-actor" + many, dir).status, 0);
    ASSERT_TRUE(fs::exists(dir / "f0.ACT"));
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    std::vector<std::uint8_t> before = test::FileBytes(dir / "p.apj");
    CliRun run = Orbellan("add p.apj f0.ACT --separate", dir);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("more than 100 actors"), std::string::npos) << run.out;
    EXPECT_EQ(test::FileBytes(dir / "p.apj"), before);
    EXPECT_EQ(Orbellan("add p.apj f0.ACT", dir).status, 0);  // as one actor of 101 frames it fits
}

TEST(Cli, EveryCommandHasHelp) {
    fs::path dir = test::ScratchFolder();
    for (const char* command : {"new", "add", "remove", "move", "set", "background", "music", "effects", "banner",
                                "modify", "info", "build", "install", "preview", "help"}) {
        CliRun run = Orbellan(std::string(command) + " --help", dir);
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find(std::string("usage: orbellan ") + command), std::string::npos) << run.out;
    }
    CliRun unknown = Orbellan("wobble", dir);
    EXPECT_NE(unknown.status, 0);
    EXPECT_NE(unknown.out.find("Unknown command (wobble)"), std::string::npos) << unknown.out;
}

// The manual opens in the user's browser through xdg-open; a stand-in on PATH records the page.
TEST(Cli, HelpOpensTheBundledPageInTheBrowser) {
    fs::path dir = test::ScratchFolder();
    fs::create_directories(dir / "stub");
    std::ofstream(dir / "stub" / "xdg-open") << "#!/bin/sh\necho \"$@\" > '" << (dir / "opened").string() << "'\n";
    fs::permissions(dir / "stub" / "xdg-open", fs::perms::owner_all);
    CliRun run = Orbellan("help --browser", dir, "PATH='" + (dir / "stub").string() + ":/usr/bin:/bin'");
    ASSERT_EQ(run.status, 0) << run.out;
    std::ifstream opened(dir / "opened");
    std::string page;
    std::getline(opened, page);
    EXPECT_EQ(fs::path(page).filename(), "orbellan-help.html");
    EXPECT_TRUE(fs::path(page).is_absolute()) << page;
    std::vector<std::uint8_t> html = test::FileBytes(page);
    EXPECT_NE(std::string(html.begin(), html.end()).find("<html"), std::string::npos);

    CliRun noBrowser = Orbellan("help --browser", dir, "PATH='" + (dir / "none").string() + "'");
    EXPECT_NE(noBrowser.status, 0);
    EXPECT_NE(noBrowser.out.find("Unable to open the help page /"), std::string::npos) << noBrowser.out;
    EXPECT_NE(noBrowser.out.find("orbellan-help.html in a web browser"), std::string::npos) << noBrowser.out;
}

// The bar appears on a terminal (here the pseudo-terminal of script) and never in piped output.
TEST(Cli, BuildShowsAProgressBarOnlyOnATerminal) {
    fs::path dir = test::ScratchFolder();
    ASSERT_NO_FATAL_FAILURE(MakeOneActorProject(dir, "fish.bmp"));
    CliRun piped = Orbellan("build p.apj --name piped", dir);
    ASSERT_EQ(piped.status, 0) << piped.out;
    EXPECT_EQ(piped.out.find("Compressing"), std::string::npos) << piped.out;
    std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() + "' XDG_CONFIG_HOME='" +
                          (dir / "config").string() + "' script -qec \"'" ORB_CLI_PATH
                          "' build p.apj --name tty\" /dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << out;
    EXPECT_NE(out.find("100% Compressing ..."), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(dir / "tty.apj"));
}

#ifdef ORB_DEMO_PROJECT
// Every actor, frame and setting of the demo project shows in the listing, with the
// values the demo was made with; saving and loading again changes none of them.
TEST(Cli, InfoOfTheDemoListsEverythingAndSaveLoadKeepsIt) {
    fs::path dir = test::ScratchFolder();
    for (const auto& entry : fs::directory_iterator(fs::path(ORB_DEMO_PROJECT).parent_path()))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir / entry.path().filename());
    CliRun info = Orbellan("info demo.apj --json", dir);
    ASSERT_EQ(info.status, 0) << info.out;
    const std::pair<const char*, int> settings[] = {
        {"number", 12},         {"size", 100},         {"direction", 0},       {"actorBias", 0},
        {"spriteLifetime", 100}, {"sceneLifetime", 100}, {"numberRange", 50},  {"sizeRange", 40},
        {"directionRange", 360}, {"speed", 50},         {"speedVariation", 20}, {"swirl", 0},
        {"spin", 10},           {"stutter", 15},       {"factorX", 0},         {"mode", 0},
        {"background", 3},      {"shuffle", 0},        {"colour", 0x402010},   {"turbo", 0},
        {"quickRotation", 1},   {"alignToPath", 0},
    };
    for (const auto& [key, value] : settings) {
        std::string pair = "\"" + std::string(key) + "\": " + std::to_string(value);
        EXPECT_TRUE(info.out.find(pair + ",") != std::string::npos || info.out.find(pair + "}") != std::string::npos)
            << pair << "\n" << info.out;
    }
    for (const char* field : {"\"music\": \"demo.mid\"", "\"bounceSound\": \"bounce.wav\"",
                              "\"createSound\": \"create.wav\"", "\"destroySound\": \"destroy.wav\"",
                              "\"backdrop\": \"backdrop.bmp\"", "\"banner\": \"banner.bmp\"", "\"loopMusic\": 1"})
        EXPECT_NE(info.out.find(field), std::string::npos) << field;
    const std::vector<samples::DemoActor> actors = samples::DrawDemoActors();
    ASSERT_FALSE(actors.empty());
    for (const samples::DemoActor& actor : actors) {
        std::string name;  // as JSON writes it: the folder separator is a backslash
        for (char c : actor.name) name += c == '\\' ? std::string("\\\\") : std::string(1, c);
        EXPECT_NE(info.out.find("{\"name\": \"" + name + "\", \"frameCount\": " +
                                std::to_string(actor.frames.size())),
                  std::string::npos)
            << actor.name;
        for (std::size_t f = 0; f < actor.frames.size(); ++f)
            EXPECT_NE(info.out.find("{\"index\": " + std::to_string(f) + ", \"name\": \"" + name +
                                    (f ? " frame " + std::to_string(f) : "") + "\", \"width\": " + std::to_string(actor.frames[f].Width()) +
                                    ", \"height\": " + std::to_string(actor.frames[f].Height())),
                      std::string::npos)
                << actor.name << " frame " << f;
    }

    // a change and its undoing make the program load, save, load and save the project again:
    // the file comes back byte for byte, embedded sounds and pictures included
    const std::vector<std::uint8_t> original = test::FileBytes(dir / "demo.apj");
    ASSERT_EQ(Orbellan("set demo.apj number=13", dir).status, 0);
    ASSERT_EQ(Orbellan("set demo.apj number=12", dir).status, 0);
    EXPECT_EQ(Orbellan("info demo.apj --json", dir).out, info.out);
    EXPECT_TRUE(test::FileBytes(dir / "demo.apj") == original);
    ASSERT_EQ(Orbellan("build demo.apj --name packed", dir).status, 0);
    EXPECT_EQ(Orbellan("info packed.apj --json", dir).out, info.out);
}
#endif

TEST(Cli, InstallPutsTheSaverAndALauncherInTheUsersSaverFolder) {
    fs::path dir = test::ScratchFolder();
    ASSERT_NO_FATAL_FAILURE(MakeOneActorProject(dir, "fish.pcx"));
    CliRun install = Orbellan("install p.apj --name fish", dir);
    ASSERT_EQ(install.status, 0) << install.out;
    EXPECT_NE(install.out.find("--xscreensaver"), std::string::npos) << install.out;  // the offer
    fs::path savers = dir / "data" / "orbellan" / "savers";
    EXPECT_TRUE(fs::exists(savers / "fish.apj"));
    EXPECT_TRUE(fs::exists(savers / "fish"));
    EXPECT_TRUE(fs::exists(savers / "orbellan-viewer"));
    EXPECT_NE(fs::status(savers / "fish").permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_FALSE(fs::exists(dir / ".xscreensaver"));
    // the launcher plays the installed copy with the viewer installed beside it
    std::string play = "'" + (savers / "fish").string() + "' --headless --frames 5 --size 160x120 >/dev/null 2>&1";
    EXPECT_EQ(std::system(play.c_str()), 0);
}

TEST(Cli, InstallListsTheSaverInXScreenSaverOnlyWhenAsked) {
    fs::path dir = test::ScratchFolder();
    ASSERT_NO_FATAL_FAILURE(MakeOneActorProject(dir, "fish.png"));
    fs::path savers = dir / "data" / "orbellan" / "savers";

    CliRun noFile = Orbellan("install p.apj --name fish --xscreensaver", dir);
    EXPECT_NE(noFile.status, 0);
    EXPECT_NE(noFile.out.find((dir / ".xscreensaver").string()), std::string::npos) << noFile.out;
    EXPECT_FALSE(fs::exists(dir / "data"));  // refused before anything was written

    const std::string settings = "programs:\t\\\n\t\t\t\tmaze -root\t\\n\\\n\t\t\t\tqix -root\t\\n\n\nlock:\tFalse\n";
    std::ofstream(dir / ".xscreensaver", std::ios::binary) << settings;
    CliRun listed = Orbellan("install p.apj --name fish --xscreensaver", dir);
    ASSERT_EQ(listed.status, 0) << listed.out;
    std::vector<std::uint8_t> bytes = test::FileBytes(dir / ".xscreensaver");
    std::string text(bytes.begin(), bytes.end());
    std::string entry = "  \"Orbellan: fish\"  " + (savers / "fish").string() + " -root  \\n\\\n";
    EXPECT_EQ(text, "programs:\t\\\n" + entry + settings.substr(settings.find('\n') + 1));
    ASSERT_EQ(Orbellan("install p.apj --name fish --xscreensaver", dir).status, 0);  // again: listed once
    EXPECT_EQ(test::FileBytes(dir / ".xscreensaver"), bytes);
    EXPECT_FALSE(fs::exists(dir / ".xscreensaver.tmp~"));
}

}  // namespace
}  // namespace orb
