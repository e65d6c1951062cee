// The command line with the pictures of today: files of several types added
// separately, GIFs, transparency played over a coloured background, sprite sheets,
// photos scaled down, and builds into folders that do not exist yet.
#include <gtest/gtest.h>

#include <set>

#include "authoring/import/image_file.h"
#include "cli_run.h"
#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::Orbellan;

void MakePicture(const fs::path& file, const std::string& drawing) {
    ASSERT_TRUE(test::Convert(drawing + " '" + file.string() + "'"));
}

// A fresh scratch folder holding the given pictures (file name, ImageMagick
// drawing) and a new, empty p.apj.
fs::path NewProjectWith(std::initializer_list<std::pair<const char*, std::string>> pictures) {
    const fs::path dir = test::ScratchFolder();
    for (const auto& [name, drawing] : pictures) MakePicture(dir / name, drawing);
    EXPECT_EQ(Orbellan("new p.apj", dir).status, 0);
    return dir;
}

TEST(CliAdd, SeparateTakesFilesOfEveryTypeAsActorsOfTheirOwn) {
    const fs::path dir = NewProjectWith({
        {"a.png", "-size 8x6 xc:red"},
        {"b.jpg", "-size 8x6 xc:blue"},
        {"c.gif", "-size 8x6 xc:green"},
        {"d.jpeg", "-size 8x6 xc:gray"},
    });
    const std::vector<std::uint8_t> empty = test::FileBytes(dir / "p.apj");

    CliRun mixed = Orbellan("add p.apj a.png b.jpg", dir);
    EXPECT_NE(mixed.status, 0);
    EXPECT_NE(mixed.out.find("orbellan: error: Mixed file type selections are not allowed\n"), std::string::npos) << mixed.out;
    EXPECT_NE(mixed.out.find("--separate"), std::string::npos) << mixed.out;
    EXPECT_EQ(test::FileBytes(dir / "p.apj"), empty);

    CliRun jpeg = Orbellan("add p.apj d.jpeg", dir);  // four letters: the same refusal, and --separate would not help
    EXPECT_NE(jpeg.out.find("Mixed file type selections are not allowed"), std::string::npos) << jpeg.out;
    EXPECT_EQ(jpeg.out.find("--separate"), std::string::npos) << jpeg.out;

    CliRun separate = Orbellan("add p.apj a.png b.jpg c.gif --separate", dir);
    ASSERT_EQ(separate.status, 0) << separate.out;
    CliRun info = Orbellan("info p.apj", dir);
    EXPECT_NE(info.out.find("actors: 3"), std::string::npos) << info.out;
    for (const char* name : {"a.png", "b.jpg", "c.gif"})
        EXPECT_NE(info.out.find((dir / name).string()), std::string::npos) << name;
    // one refused file among them leaves the project as it was
    const std::vector<std::uint8_t> three = test::FileBytes(dir / "p.apj");
    CliRun again = Orbellan("add p.apj b.jpg a.png --separate", dir);
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.out.find("already been loaded"), std::string::npos) << again.out;
    EXPECT_EQ(test::FileBytes(dir / "p.apj"), three);
}

TEST(CliAdd, AnAnimatedGifAndASpriteSheetBecomeAnimatedActors) {
    const fs::path dir = NewProjectWith({
        {"blink.gif", "-dispose Background -delay 20 \\( -size 10x10 xc:none -fill red -draw 'point 4,4' \\) "
                      "\\( -size 10x10 xc:none \\) \\( -size 10x10 xc:none -fill blue -draw 'point 5,5' \\) +dither -colors 4"},
        {"sheet.png", "-size 30x20 xc:orange"},
    });
    ASSERT_EQ(Orbellan("add p.apj blink.gif", dir).status, 0);
    CliRun grid = Orbellan("add p.apj sheet.png --grid 3x2 --frames 5", dir);
    ASSERT_EQ(grid.status, 0) << grid.out;
    CliRun info = Orbellan("info p.apj", dir);
    // 10 x 10 on its canvas: 2 x (floor(sqrt(50)) + 1) = 16; cells of 10 x 10 likewise
    EXPECT_NE(info.out.find("1. 3 frame(s), 16x16, key 255,255,255 tolerance 1"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("2. 5 frame(s), 16x16"), std::string::npos) << info.out;
}

TEST(CliAdd, PhotosAreScaledDownUnlessKeptAtFullSize) {
    const fs::path dir = NewProjectWith({
        {"photo.jpg", "-size 6000x4000 gradient:navy-orange"},
        {"wide.png", "-size 1100x200 xc:teal"},
    });
    CliRun photo = Orbellan("add p.apj photo.jpg", dir);
    ASSERT_EQ(photo.status, 0) << photo.out;
    EXPECT_NE(photo.out.find("note: The picture was scaled down from 6000x4000 to 1024x683 pixels"), std::string::npos)
        << photo.out;
    EXPECT_NE(photo.out.find("--full-size"), std::string::npos) << photo.out;
    CliRun full = Orbellan("add p.apj wide.png --full-size", dir);
    ASSERT_EQ(full.status, 0) << full.out;
    EXPECT_EQ(full.out.find("scaled down"), std::string::npos) << full.out;
    CliRun info = Orbellan("info p.apj", dir);
    // 1024 x 683: 2 x (floor(sqrt(floor((1024^2 + 683^2) / 4))) + 1) = 1232
    EXPECT_NE(info.out.find("1. 1 frame(s), 1232x1232"), std::string::npos) << info.out;
    // 1100 x 200 kept: 2 x (floor(sqrt(floor((1100^2 + 200^2) / 4))) + 1) = 2 x (559 + 1)
    EXPECT_NE(info.out.find("2. 1 frame(s), 1120x1120"), std::string::npos) << info.out;
}

TEST(CliAdd, BuildMakesTheFolderItIsToldToWriteInto) {
    const fs::path dir = NewProjectWith({{"a.png", "-size 8x6 xc:red"}});
    ASSERT_EQ(Orbellan("add p.apj a.png", dir).status, 0);
    CliRun build = Orbellan("build p.apj --name fish --out new/deeper", dir);
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_TRUE(fs::is_regular_file(dir / "new" / "deeper" / "fish.apj"));
    CliRun missing = Orbellan("build nothing.apj --name fish --out other", dir);
    EXPECT_NE(missing.status, 0);
    EXPECT_FALSE(fs::exists(dir / "other"));  // refused before any folder was made
}

#ifdef ORB_VIEWER_PATH
// Played headless over a blue background, a picture with a transparent ground
// (green, were its colour ever shown) shows its red body and white patch and
// nothing else: every pixel is the background, the body, or the patch with its
// blue stepped to 253.
TEST(CliAdd, ATransparentPictureShowsItsWhiteDetailsOverTheBackground) {
    const fs::path dir = NewProjectWith({
        {"logo.png", "-size 40x30 'xc:rgba(0,255,0,0)' -fill '#c01010' -draw 'rectangle 5,5 34,24' "
                     "-fill white -draw 'rectangle 15,12 20,15'"},
    });
    ASSERT_EQ(Orbellan("add p.apj logo.png", dir).status, 0);
    ASSERT_EQ(Orbellan("set p.apj number=3 numberRange=0 background=colour colour=#0000FF", dir).status, 0);
    fs::create_directories(dir / "frames");
    const std::string play = "'" ORB_VIEWER_PATH "' --headless --frames 200 --every 20 --size 320x240 --out '" +
                             (dir / "frames").string() + "' '" + (dir / "p.apj").string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(play.c_str()), 0);
    std::size_t whiteSeen = 0, framesRead = 0;
    for (const auto& entry : fs::directory_iterator(dir / "frames")) {
        std::optional<PackedImage> frame;
        ASSERT_EQ(ReadImageFile(entry.path().string(), frame), 1) << entry.path();
        ++framesRead;
        std::size_t white = 0;
        for (int y = 0; y < frame->Height(); ++y)
            for (int x = 0; x < frame->Width(); ++x) {
                const std::uint8_t* p = frame->Pixel24(x, y);
                const int rgb = p[2] << 16 | p[1] << 8 | p[0];
                ASSERT_TRUE(rgb == 0x0000FF || rgb == 0xC01010 || rgb == 0xFFFFFD)
                    << entry.path() << " at " << x << "," << y << std::hex << ": " << rgb;
                white += rgb == 0xFFFFFD;
            }
        EXPECT_LE(white, 3u * 24u) << entry.path();  // three sprites with 6 x 4 white pixels each
        whiteSeen += white;
    }
    EXPECT_EQ(framesRead, 10u);
    EXPECT_GT(whiteSeen, 0u);
}
#endif

}  // namespace
}  // namespace orb
