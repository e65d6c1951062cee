// Imports of the pictures people have today, made by ImageMagick: animated GIFs,
// pictures with transparency, sprite sheets and photos. Expected pixels come from
// ImageMagick's own reading of the same files, then the key handling: transparent
// (below half opacity) becomes white, the key is white with tolerance 1, and an
// opaque white has its blue stepped to 253.
#include <gtest/gtest.h>

#include "authoring/model/actor_import.h"
#include "common/formats/actor_file.h"
#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

struct Rgba {
    int r, g, b, a;
};

// ImageMagick's composed frames of `file`, 8 bits per channel, rows from the top.
std::vector<std::vector<Rgba>> MagickFrames(const fs::path& file, const fs::path& dir, int width, int height) {
    const fs::path raw = dir / "frames.rgba";
    EXPECT_TRUE(test::Convert("'" + file.string() + "' -coalesce -depth 8 RGBA:'" + raw.string() + "'"));
    const std::vector<std::uint8_t> bytes = test::FileBytes(raw);
    std::vector<std::vector<Rgba>> frames(bytes.size() / (std::size_t(width) * height * 4));
    for (std::size_t f = 0; f < frames.size(); ++f)
        for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
            const std::uint8_t* p = &bytes[(f * width * height + i) * 4];
            frames[f].push_back({p[0], p[1], p[2], p[3]});
        }
    return frames;
}

// What the import makes of a pixel: blue, green, red.
std::array<int, 3> Keyed(const Rgba& p) {
    if (p.a < 128) return {255, 255, 255};
    if (p.r >= 254 && p.g >= 254 && p.b >= 254) return {253, p.g, p.r};  // every step ties or blue is nearest
    return {p.b, p.g, p.r};
}

// Pixel (x, y from the top) of a w x h picture as placed, centred, on its square
// canvas by the import.
std::array<int, 3> OnCanvas(const GXDrawingSurface& frame, int w, int h, int x, int y) {
    const int side = frame.Width();
    const int row = (side - h) / 2 + (h - 1 - y), column = (side - w) / 2 + x;
    const std::uint8_t* p = frame.Row(row).data() + 3 * column;
    return {p[0], p[1], p[2]};
}

void ExpectFramesMatch(const ProjectModel& model, const std::vector<std::vector<Rgba>>& reference, int w, int h) {
    ASSERT_EQ(model.frames.size(), reference.size());
    for (std::size_t f = 0; f < reference.size(); ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgba& p = reference[f][std::size_t(y) * w + x];
                ASSERT_EQ(OnCanvas(*model.frames[f], w, h, x, y), Keyed(p))
                    << "frame " << f << " at " << x << "," << y << " from " << p.r << "," << p.g << "," << p.b << "," << p.a;
            }
}

// Six 24 x 16 frames: a red block moving right on a transparent ground, a white
// eye in it, each frame cleared before the next.
fs::path MakeAnimatedGif(const fs::path& dir) {
    std::string frames;
    for (int i = 0; i < 6; ++i)
        frames += " \\( -size 24x16 xc:none -fill '#c01010' -draw 'rectangle " + std::to_string(i * 3) + ",2 " +
                  std::to_string(i * 3 + 5) + ",8' -fill white -draw 'point " + std::to_string(i * 3 + 2) + ",5' \\)";
    const fs::path gif = dir / "walk.gif";
    EXPECT_TRUE(test::Convert("-dispose Background -delay 10" + frames + " +dither -colors 8 '" + gif.string() + "'"));
    return gif;
}

TEST(TodaysPictures, AnAnimatedGifBecomesOneActorWithTheGifsFrames) {
    fs::path dir = test::ScratchFolder();
    const fs::path gif = MakeAnimatedGif(dir);
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({gif.string()}, {}, model, log).added, 1u);
    ASSERT_EQ(model.frames.size(), 6u);
    EXPECT_EQ(model.frames[0]->frameCount, 6);
    EXPECT_EQ(model.frames[5]->firstFrame, model.frames[0].get());
    EXPECT_EQ(model.frames[0]->name, gif.string());
    EXPECT_EQ(model.frames[3]->name, gif.string() + "#4");
    for (const auto& frame : model.frames) {
        EXPECT_EQ(frame->key, (ColourKey{255, 255, 255, 1}));
        EXPECT_EQ(frame->Width(), 30);  // 2 x (floor(sqrt(floor((576 + 256) / 4))) + 1)
    }
    ExpectFramesMatch(model, MagickFrames(gif, dir, 24, 16), 24, 16);
    // and the eye of frame 1, worked out by hand: white at (2, 5), blue stepped
    EXPECT_EQ(OnCanvas(*model.frames[0], 24, 16, 2, 5), (std::array<int, 3>{253, 255, 255}));
}

TEST(TodaysPictures, SeparateMakesEveryGifFrameAnActorOfItsOwn) {
    fs::path dir = test::ScratchFolder();
    const fs::path gif = MakeAnimatedGif(dir);
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({gif.string()}, {false, false}, model, log).added, 6u);
    EXPECT_EQ(model.Actors()[1]->name, gif.string() + "#2");  // names stay apart: the viewer drops twins
}

TEST(TodaysPictures, TransparentPngKeepsItsWhiteDetailsAndLosesItsGround) {
    fs::path dir = test::ScratchFolder();
    const fs::path png = dir / "logo.png";
    // a transparent green ground (its colour must never show), a half-opaque red
    // ring counted as shown, a white dot counted as shown
    ASSERT_TRUE(test::Convert("-size 12x8 'xc:rgba(0,255,0,0)' -fill 'rgba(200,0,0,0.6)' -draw 'rectangle 2,2 9,5' "
                              "-fill white -draw 'point 5,3' '" + png.string() + "'"));
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({png.string()}, {}, model, log).added, 1u);
    EXPECT_EQ(model.frames[0]->key, (ColourKey{255, 255, 255, 1}));
    ExpectFramesMatch(model, MagickFrames(png, dir, 12, 8), 12, 8);
    EXPECT_EQ(OnCanvas(*model.frames[0], 12, 8, 0, 0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(OnCanvas(*model.frames[0], 12, 8, 5, 3), (std::array<int, 3>{253, 255, 255}));
}

TEST(TodaysPictures, OneTransparentPictureKeysTheWholeActorByOpacity) {
    fs::path dir = test::ScratchFolder();
    const fs::path clear = dir / "a.png", solid = dir / "b.png";
    ASSERT_TRUE(test::Convert("-size 4x4 xc:none -fill blue -draw 'point 1,1' '" + clear.string() + "'"));
    ASSERT_TRUE(test::Convert("-size 4x4 xc:white -fill blue -draw 'point 1,1' '" + solid.string() + "'"));
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({clear.string(), solid.string()}, {}, model, log).added, 1u);
    // the opaque white of the second picture is kept clear of the shared key
    EXPECT_EQ(model.frames[1]->key, (ColourKey{255, 255, 255, 1}));
    EXPECT_EQ(OnCanvas(*model.frames[1], 4, 4, 0, 0), (std::array<int, 3>{253, 255, 255}));
    ProjectModel apart;  // on its own it keeps the first-pixel key, white with tolerance 10
    ASSERT_EQ(ImportActors({solid.string()}, {}, apart, log).added, 1u);
    EXPECT_EQ(apart.frames[0]->key, (ColourKey{255, 255, 255, 10}));
}

TEST(TodaysPictures, AnActorFileBuiltFromATransparentPictureKeepsItsKey) {
    fs::path dir = test::ScratchFolder();
    const fs::path png = dir / "dot.png";
    ASSERT_TRUE(test::Convert("-size 4x4 xc:none -fill white -draw 'point 1,1' '" + png.string() + "'"));
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({png.string()}, {true, true}, model, log).added, 1u);
    FrameList built;
    ASSERT_TRUE(LoadActor((dir / "dot.ACT").string(), built, Program::Authoring, log));
    EXPECT_EQ(built.front()->key, (ColourKey{255, 255, 255, 1}));
}

TEST(TodaysPictures, ASpriteSheetGivesItsCellsInOrder) {
    fs::path dir = test::ScratchFolder();
    const fs::path sheet = dir / "sheet.png";
    // 3 x 2 cells of 10 x 8, each a colour of its own
    const char* colours[] = {"#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"};
    std::string draw;
    for (int i = 0; i < 6; ++i)
        draw += " -fill '" + std::string(colours[i]) + "' -draw 'rectangle " + std::to_string(i % 3 * 10) + "," +
                std::to_string(i / 3 * 8) + " " + std::to_string(i % 3 * 10 + 9) + "," + std::to_string(i / 3 * 8 + 7) + "'";
    ASSERT_TRUE(test::Convert("-size 30x16 xc:black" + draw + " '" + sheet.string() + "'"));
    ImportOptions options;
    options.grid = SheetGrid{3, 2, 0};
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({sheet.string()}, options, model, log).added, 1u);
    ASSERT_EQ(model.frames.size(), 6u);
    const std::array<int, 3> expected[] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(OnCanvas(*model.frames[i], 10, 8, 4, 4), expected[i]) << "frame " << i;
    options.grid = SheetGrid{3, 2, 4};
    ProjectModel four;
    ASSERT_EQ(ImportActors({sheet.string()}, options, four, log).added, 1u);
    EXPECT_EQ(four.frames.size(), 4u);
}

TEST(TodaysPictures, APhotoIsScaledDownToTheLargestSideWithANote) {
    fs::path dir = test::ScratchFolder();
    const fs::path photo = dir / "photo.jpg";
    ASSERT_TRUE(test::Convert("-size 6000x4000 gradient:navy-orange '" + photo.string() + "'"));
    ImportOptions options;
    options.largestSide = 1024;
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({photo.string()}, options, model, log).added, 1u);
    // 1024 x 683 on its canvas: 2 x (floor(sqrt(floor((1024^2 + 683^2) / 4))) + 1) = 2 x (615 + 1)
    EXPECT_EQ(model.frames[0]->Width(), 1232);
    ASSERT_FALSE(log.reports.empty());
    EXPECT_EQ(log.reports.front().message, "The picture was scaled down from 6000x4000 to 1024x683 pixels");
    EXPECT_EQ(log.reports.front().subject, photo.string());
}

}  // namespace
}  // namespace orb
