// The bad-input catalogue: truncated, zero-sized, oversized and hostile files of
// every kind, each met by the native viewer (headless) and the orbellan command
// line. Every row gives the exit code, a line the program must print, and the
// folder must be byte for byte as it was afterwards: nothing written, nothing
// damaged, nothing left in the temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "common/io/file_io.h"
#include "tests/robustness/bad_files.h"

namespace orb::robustness {
namespace {

namespace fs = std::filesystem;

using Make = std::function<Bytes(const GoodFiles&)>;

struct Case {
    const char* what;
    const char* file;     // written into the folder under this name
    Make bytes;
    const char* command;  // "viewer PROJECT", or orbellan arguments
    int exitCode;
    const char* message;  // a line (or part of one) the output must hold, paths relative
    bool changesFiles = false;  // a control row that is meant to write
};

struct Run {
    int status = -1;
    std::string out;
};

// The folder's files (recursively) and their bytes.
std::map<std::string, Bytes> Snapshot(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[fs::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? ReadWholeFile(entry.path()).value_or(Bytes{}) : Bytes{};
    return files;
}

Run Execute(const std::string& command, const fs::path& home) {
    const std::string line = "cd '" + home.string() + "' && HOME='" + home.string() + "' XDG_CONFIG_HOME='" +
                             (home / "config").string() + "' XDG_DATA_HOME='" + (home / "data").string() +
                             "' TMPDIR='" + (home / "tmp").string() + "' " + command + " 2>&1";
    Run run;
    FILE* pipe = popen(line.c_str(), "r");
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string CommandLine(const std::string& command) {
    if (command.rfind("viewer ", 0) == 0)
        return "'" ORB_VIEWER_PATH "' --headless --frames 5 --size 320x240 " + command.substr(7);
    return "'" ORB_CLI_PATH "' " + command;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

fs::path Scratch() { return fs::temp_directory_path() / ("orb_bad_input_" + std::to_string(getpid())); }

void RunCatalogue(const std::vector<Case>& cases) {
    const GoodFiles& good = Good(Scratch());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.command);
        const fs::path home = Scratch() / "home";
        fs::remove_all(home);
        fs::create_directories(home / "tmp");
        // Beside every bad file: a good project to change, and the files a
        // referencing project names.
        WriteFile(home / "p.apj", good.project);
        WriteFile(home / "ref.apj", good.referencing);
        WriteFile(home / "good.act", good.actor);
        WriteFile(home / c.file, c.bytes(good));
        const std::map<std::string, Bytes> before = Snapshot(home);
        Run run = Execute(CommandLine(c.command), home);
        for (std::size_t at; (at = run.out.find(home.string() + "/")) != std::string::npos;)
            run.out.erase(at, home.string().size() + 1);
        if (std::getenv("ORB_SHOW_CATALOGUE")) std::printf("[%s | %s] exit %d\n%s\n", c.what, c.command, run.status, run.out.c_str());
        EXPECT_EQ(run.status, c.exitCode) << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << "wanted: " << c.message << "\ngot: " << run.out;
        if (c.changesFiles) continue;
        const std::map<std::string, Bytes> after = Snapshot(home);
        EXPECT_EQ(after.size(), before.size()) << "files were added or removed";
        for (const auto& [name, bytes] : before) {
            auto found = after.find(name);
            EXPECT_TRUE(found != after.end() && found->second == bytes) << name << " was changed";
        }
    }
    fs::remove_all(Scratch());
}

Make Zero() {
    return [](const GoodFiles&) { return Bytes{}; };
}
Make Same(Bytes GoodFiles::*kind) {
    return [kind](const GoodFiles& g) { return g.*kind; };
}
Make CutTo(Bytes GoodFiles::*kind, std::size_t length) {
    return [kind, length](const GoodFiles& g) { return Cut(g.*kind, length); };
}
Make Half(Bytes GoodFiles::*kind) {
    return [kind](const GoodFiles& g) { return Cut(g.*kind, (g.*kind).size() / 2); };
}
Make Field32(Bytes GoodFiles::*kind, std::size_t at, std::uint32_t value) {
    return [kind, at, value](const GoodFiles& g) { return Put32(g.*kind, at, value); };
}
Make Field16(Bytes GoodFiles::*kind, std::size_t at, std::uint16_t value) {
    return [kind, at, value](const GoodFiles& g) { return Put16(g.*kind, at, value); };
}

TEST(BadInput, Projects) {
    RunCatalogue({
        {"control: a good project plays", "good.apj", Same(&GoodFiles::project), "viewer good.apj", 0, "frames"},
        {"control: a good compressed project plays", "good.apj", Same(&GoodFiles::compressed), "viewer good.apj", 0, "frames"},
        {"zero-sized", "bad.apj", Zero(), "viewer bad.apj", 0, "viewer: Error: File is not valid Orbellan file (bad.apj)"},
        {"zero-sized", "bad.apj", Zero(), "info bad.apj", 1, "orbellan: error: File is not a valid Orbellan Project (bad.apj)"},
        {"zero-sized", "bad.apj", Zero(), "set bad.apj number=3", 1, "orbellan: error: File is not a valid Orbellan Project (bad.apj)"},
        {"cut inside the header", "bad.apj", CutTo(&GoodFiles::project, 3), "viewer bad.apj", 0, "viewer: Error: Project file ends too soon: it is incomplete or damaged (bad.apj)"},
        {"cut inside the header", "bad.apj", CutTo(&GoodFiles::project, 3), "info bad.apj", 1, "orbellan: error: Project file ends too soon: it is incomplete or damaged (bad.apj)"},
        {"cut in half", "bad.apj", Half(&GoodFiles::project), "viewer bad.apj", 0, "viewer: Error: Project file claims more actors than it can hold (bad.apj)"},
        {"cut in half", "bad.apj", Half(&GoodFiles::project), "set bad.apj number=3", 1, "orbellan: error: Project file claims more actors than it can hold (bad.apj)"},
        {"not an Orbellan file", "bad.apj", Field16(&GoodFiles::project, 0, 0x4D42), "viewer bad.apj", 0, "viewer: Error: File is not valid Orbellan file (bad.apj)"},
        {"not an Orbellan file", "bad.apj", Field16(&GoodFiles::project, 0, 0x4D42), "info bad.apj", 1, "orbellan: error: File is not a valid Orbellan Project (bad.apj)"},
        {"a later version", "bad.apj", Field16(&GoodFiles::project, 2, 2), "viewer bad.apj", 0, "viewer: Error: This project was created by a later edition of Orbellan,"},
        {"a later version", "bad.apj", Field16(&GoodFiles::project, 2, 2), "info bad.apj", 1, "orbellan: error: This project was created by a later version of Orbellan, and contains features unsupported by this release."},
        {"an actor file named .apj", "bad.apj", Same(&GoodFiles::actor), "info bad.apj", 1, "orbellan: error: File is not a valid Orbellan project file (bad.apj)"},
        {"a string of 2 GB", "bad.apj", Field32(&GoodFiles::project, 14, 0x7FFFFFFF), "viewer bad.apj", 0, "viewer: Error: Project file holds a name or path longer than 255 characters (bad.apj)"},
        {"a string of 2 GB", "bad.apj", Field32(&GoodFiles::project, 14, 0x7FFFFFFF), "info bad.apj", 1, "orbellan: error: Project file holds a name or path longer than 255 characters (bad.apj)"},
        {"a negative string length", "bad.apj", Field32(&GoodFiles::project, 14, 0xFFFFFFFF), "set bad.apj number=3", 1, "orbellan: error: Project file holds a name or path longer than 255 characters (bad.apj)"},
    });
}

// Actor layout: magic 0, version 2, kind 4, frame count 6, name count 34.
TEST(BadInput, Actors) {
    RunCatalogue({
        {"control: a good actor is listed", "bad.act", Same(&GoodFiles::actor), "info bad.act", 0, "walker"},
        {"zero-sized", "bad.act", Zero(), "info bad.act", 1, "orbellan: error: Corrupt Orbellan Actor (the file ends too early) (bad.act)"},
        {"zero-sized", "bad.act", Zero(), "add p.apj bad.act", 1, "orbellan: error: Corrupt Orbellan Actor (the file ends too early) (bad.act)"},
        {"zero-sized, named by a project", "good.act", Zero(), "viewer ref.apj", 1, "viewer: Error: Corrupt Orbellan Actor (the file ends too early) (good.act)"},
        {"cut in half", "bad.act", Half(&GoodFiles::actor), "add p.apj bad.act", 1, "orbellan: error: Corrupt Orbellan Actor (frame count 3 impossible) (bad.act)"},
        {"cut in half, named by a project", "good.act", Half(&GoodFiles::actor), "viewer ref.apj", 1, "viewer: Error: Corrupt Orbellan Actor (frame count 3 impossible) (good.act)"},
        {"not an actor", "bad.act", Field16(&GoodFiles::actor, 4, 1), "add p.apj bad.act", 1, "orbellan: error: File is not valid Orbellan Actor (bad.act)"},
        {"a later version", "bad.act", Field16(&GoodFiles::actor, 2, 9), "info bad.act", 1, "orbellan: error: Version Conflict: This Actor file was created by a later version of Orbellan (9),"},
        {"two billion frames", "bad.act", Field32(&GoodFiles::actor, 6, 0x7FFFFFFF), "add p.apj bad.act", 1, "orbellan: error: Corrupt Orbellan Actor (frame count 2147483647 impossible) (bad.act)"},
        {"a negative frame count", "good.act", Field32(&GoodFiles::actor, 6, 0xFFFFFFFF), "viewer ref.apj", 1, "viewer: Error: Corrupt Orbellan Actor (frame count -1 impossible) (good.act)"},
        {"a name of 2 GB", "bad.act", Field32(&GoodFiles::actor, 34, 0x7FFFFFFF), "info bad.act", 1, "orbellan: error: Corrupt Orbellan Actor (name length beyond the data) (bad.act)"},
    });
}

// Compressed projects: an archive holding "ORBxxx.apj", then the plain size.
TEST(BadInput, CompressedProjects) {
    auto withMembers = [](std::vector<std::pair<std::string, Bytes>> members) {
        return [members](const GoodFiles& g) {
            auto filled = members;
            for (auto& [name, bytes] : filled)
                if (bytes.empty()) bytes = g.project;
            return CompressedWith(Scratch() / "zip", filled, std::int32_t(g.project.size()));
        };
    };
    fs::create_directories(Scratch() / "zip");
    const Make escaping = [](const GoodFiles& g) { return Rename(g.compressed, "ORBxxx.apj", "../Ebad.apj"); };
    RunCatalogue({
        {"cut in half", "bad.apj", Half(&GoodFiles::compressed), "viewer bad.apj", 0, "viewer: Error: Compressed project file states an impossible project size (bad.apj)"},
        {"cut in half", "bad.apj", Half(&GoodFiles::compressed), "info bad.apj", 1, "orbellan: error: Compressed project file states an impossible project size (bad.apj)"},
        {"only the archive signature", "bad.apj", CutTo(&GoodFiles::compressed, 2), "viewer bad.apj", 0, "viewer: Error: Compressed project file states an impossible project size (bad.apj)"},
        {"a negative appended size", "bad.apj",
         [](const GoodFiles& g) { return Put32(g.compressed, g.compressed.size() - 4, 0xFFFFFFFF); }, "viewer bad.apj", 0, "viewer: Error: Compressed project file states an impossible project size (bad.apj)"},
        {"an appended size of 2 GB", "bad.apj",
         [](const GoodFiles& g) { return Put32(g.compressed, g.compressed.size() - 4, 0x7FFFFFFF); }, "info bad.apj", 1, "orbellan: error: Compressed project file states an impossible project size (bad.apj)"},
        {"a member that climbs out of the folder", "bad.apj", escaping, "viewer bad.apj", 0, "viewer: Error: Compressed project file cannot be unpacked (bad.apj)"},
        {"a member that climbs out of the folder", "bad.apj", escaping, "info bad.apj", 1, "orbellan: error: Compressed project file cannot be unpacked (bad.apj)"},
        {"a second member beside the project", "bad.apj", withMembers({{"ORBxxx.apj", {}}, {"Viewer.scr", {1, 2, 3}}}),
         "viewer bad.apj", 0, "viewer: Error: Compressed project file cannot be unpacked (bad.apj)"},
        {"another name than ORBxxx.apj", "bad.apj", withMembers({{"project.apj", {}}}), "info bad.apj", 1, "orbellan: error: Compressed project file cannot be unpacked (bad.apj)"},
        {"a damaged member", "bad.apj",
         [](const GoodFiles& g) {
             Bytes b = g.compressed;
             for (std::size_t i = 60; i < 90 && i < b.size(); ++i) b[i] ^= 0x5A;
             return b;
         },
         "viewer bad.apj", 0, "viewer: Error: Compressed project file cannot be unpacked (bad.apj)"},
        {"a compressed project holding garbage", "bad.apj", withMembers({{"ORBxxx.apj", {9, 9, 9, 9}}}), "info bad.apj", 1, "orbellan: error: File is not a valid Orbellan Project (bad.apj)"},
    });
}

// Pictures the command line imports; and a project's own embedded backdrop and sounds.
TEST(BadInput, PicturesAndSounds) {
    const Make hugeBmp = [](const GoodFiles& g) {
        // 1 bit of 5889 x 16641, two colours: 294 MB once in 24 bits
        return Put32(Put16(Put32(Put32(g.bmp, 18, 5889), 22, 16641), 28, 1), 46, 2);
    };
    const Make hugeTarga = [](const GoodFiles& g) { return Put16(Put16(Cut(g.tga, 40), 12, 16384), 14, 16384); };
    const Make cutCgm = [](const GoodFiles& g) { return Cut(g.cgm, g.cgm.size() - 6); };
    const Make hugeGif = [](const GoodFiles& g) { return Put16(Put16(g.gif, 6, 0xFFFF), 8, 0xFFFF); };
    const Make manyFrameGif = [](const GoodFiles& g) {
        // the blocks between the colour table and the trailer (one frame), 1001 times
        const std::size_t table = (g.gif.at(10) & 0x80) ? std::size_t(3) << ((g.gif[10] & 7) + 1) : 0;
        const auto from = g.gif.begin() + std::ptrdiff_t(13 + table), to = g.gif.end() - 1;
        Bytes b(g.gif.begin(), from);
        for (int i = 0; i < 1001; ++i) b.insert(b.end(), from, to);
        b.push_back(0x3B);
        return b;
    };
    RunCatalogue({
        {"control: a good PCX is added", "ok.pcx", Same(&GoodFiles::pcx), "add p.apj ok.pcx", 0, "", true},
        {"control: a good CGM is the banner", "ok.cgm", Same(&GoodFiles::cgm), "banner p.apj ok.cgm", 0, "", true},
        {"control: a good GIF is added", "ok.gif", Same(&GoodFiles::gif), "add p.apj ok.gif", 0, "", true},
        {"zero-sized BMP", "bad.bmp", Zero(), "add p.apj bad.bmp", 1, "orbellan: error: Invalid BMP File (too short) (bad.bmp)"},
        {"BMP of 294 MB from 1 KB", "bad.bmp", hugeBmp, "add p.apj bad.bmp", 1, "orbellan: error: Invalid BMP File (wrong header) (bad.bmp)"},
        {"BMP cut in its headers", "bad.bmp", CutTo(&GoodFiles::bmp, 20), "background p.apj image bad.bmp", 1, "orbellan: error: The picture is corrupt (bad.bmp)"},
        {"zero-sized PCX", "bad.pcx", Zero(), "add p.apj bad.pcx", 1, "orbellan: error: Unable to read image file (code 302) (bad.pcx)"},
        {"PCX cut in half", "bad.pcx", Half(&GoodFiles::pcx), "add p.apj bad.pcx", 1, "orbellan: error: Unable to read image file (code 300) (bad.pcx)"},
        {"PCX of 65536 columns", "bad.pcx", Field16(&GoodFiles::pcx, 8, 0xFFFF), "banner p.apj bad.pcx", 1, "orbellan: error: Not a banner picture Orbellan can read (code 300) (bad.pcx)"},
        {"zero-sized PNG", "bad.png", Zero(), "add p.apj bad.png", 1, "orbellan: error: Unable to read image file (code 302) (bad.png)"},
        {"PNG cut in half", "bad.png", Half(&GoodFiles::png), "add p.apj bad.png", 1, "orbellan: error: Unable to read image file (code 300) (bad.png)"},
        {"a JPEG named .png", "bad.png", Same(&GoodFiles::jpeg), "add p.apj bad.png", 1, "orbellan: error: Unable to read image file (code 302) (bad.png)"},
        {"zero-sized JPEG", "bad.jpg", Zero(), "add p.apj bad.jpg", 1, "orbellan: error: Unable to read image file (code 302) (bad.jpg)"},
        {"JPEG cut in half", "bad.jpg", Half(&GoodFiles::jpeg), "background p.apj image bad.jpg", 1, "orbellan: error: The picture is corrupt (bad.jpg)"},
        {"zero-sized Targa", "bad.tga", Zero(), "add p.apj bad.tga", 1, "orbellan: error: Unable to read image file (code 302) (bad.tga)"},
        {"Targa of 16384 x 16384 in 40 bytes", "bad.tga", hugeTarga, "add p.apj bad.tga", 1, "orbellan: error: Unable to read image file (code 300) (bad.tga)"},
        {"zero-sized GIF", "bad.gif", Zero(), "add p.apj bad.gif", 1, "orbellan: error: Unable to read image file (code 302) (bad.gif)"},
        {"GIF cut in half", "bad.gif", Half(&GoodFiles::gif), "add p.apj bad.gif", 1, "orbellan: error: Unable to read image file (code 300) (bad.gif)"},
        {"GIF cut in half", "bad.gif", Half(&GoodFiles::gif), "background p.apj image bad.gif", 1, "orbellan: error: The picture is corrupt (bad.gif)"},
        {"GIF of 1001 frames", "bad.gif", manyFrameGif, "add p.apj bad.gif", 1,
         "orbellan: error: Unable to read image file: an animation of more than 1000 frames, the most one actor takes from a file (code 304) (bad.gif)"},
        {"GIF of 65535 x 65535 in 271 bytes", "bad.gif", hugeGif, "add p.apj bad.gif", 1,
         "orbellan: error: Unable to read image file: too large (at most 16384 pixels a side, and 67108864 pixels in all frames of an animation) (code 303) (bad.gif)"},
        {"GIF of 65535 x 65535 in 271 bytes", "bad.gif", hugeGif, "banner p.apj bad.gif", 1,
         "orbellan: error: Not a banner picture Orbellan can read (code 303) (bad.gif)"},
        {"GIF of 65535 x 65535 in 271 bytes", "bad.gif", hugeGif, "background p.apj image bad.gif", 1,
         "orbellan: error: The picture is too large (bad.gif)"},
        {"zero-sized CGM", "bad.cgm", Zero(), "banner p.apj bad.cgm", 1,
         "orbellan: error: Not a banner picture Orbellan can read (code 300) (bad.cgm)"},
        {"CGM cut inside a rectangle", "bad.cgm", cutCgm, "banner p.apj bad.cgm", 1,
         "orbellan: error: Not a banner picture Orbellan can read (code 300) (bad.cgm)"},
        {"embedded backdrop of 294 MB", "bad.apj",
         [hugeBmp](const GoodFiles& g) { return EmbeddedProject(hugeBmp(g), g.actor); }, "viewer bad.apj", 0,
         "viewer: Error: Invalid BMP File (picture too large) (EmbeddedBackdropResource)"},
        {"embedded bounce sound of garbage", "bad.apj",
         [](const GoodFiles& g) { return EmbeddedProject(g.bmp, g.actor, Bytes(300, 0xEE)); }, "viewer bad.apj", 0, "frames 5 "},
        {"a sound file named but missing", "ref.apj", Same(&GoodFiles::referencing), "viewer ref.apj", 0, "frames 5 "},
    });
}

}  // namespace
}  // namespace orb::robustness
