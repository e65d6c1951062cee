// Import and modify on real picture files, checked against sizes and colours worked
// out by hand.
#include <gtest/gtest.h>

#include "authoring/model/actor_import.h"
#include "authoring/model/modify_actor.h"
#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// W x H, red (200, 10, 10) in the first stored pixel (bottom left), the rest near-white (250).
std::string MakeBmp(const fs::path& dir, const std::string& name, int w, int h) {
    std::vector<test::Rgb> pixels(std::size_t(w * h), test::Rgb{250, 250, 250});
    pixels[std::size_t((h - 1) * w)] = {200, 10, 10};
    test::WritePpm(dir / "src.ppm", w, h, pixels);
    std::string path = (dir / name).string();
    EXPECT_TRUE(test::Convert("'" + (dir / "src.ppm").string() + "' BMP3:'" + path + "'"));
    return path;
}

// A fresh project after importing cat.bmp (W x H, as above) alone with the
// default options.
struct ImportedCat {
    ImportedCat(int w, int h) : path(MakeBmp(test::ScratchFolder(), "cat.bmp", w, h)) {
        added = ImportActors({path}, {}, model, log).added;
    }
    std::string path;
    ProjectModel model;
    ReportLog log;
    std::size_t added = 0;
};

TEST(ImportFiles, ADefaultTransparencyOnItsSquareCanvas) {
    ImportedCat cat(30, 40);
    ASSERT_EQ(cat.added, 1u);
    ASSERT_EQ(cat.model.frames.size(), 1u);
    const GXDrawingSurface& f = *cat.model.frames[0];
    EXPECT_EQ(f.Width(), 52);  // 2 x (floor(sqrt(floor(2500 / 4))) + 1)
    EXPECT_EQ(f.Height(), 52);
    EXPECT_EQ(f.key, (ColourKey{10, 10, 200, 10}));
    EXPECT_TRUE(f.squareCanvas);
    EXPECT_EQ(f.name, cat.path);
    // near-white 250 became 247 so it stays opaque; the canvas around is pure white
    const std::uint8_t* inside = f.Row(26).data() + 26 * 3;
    EXPECT_EQ(inside[0], 247);
    EXPECT_EQ(f.Row(0)[0], 255);
}

TEST(ImportFiles, LoadAsActorJoinsPicturesAndSeparateKeepsThemApart) {
    fs::path dir = test::ScratchFolder();
    std::vector<std::string> paths = {MakeBmp(dir, "a.bmp", 8, 8), MakeBmp(dir, "b.BMP", 8, 8), MakeBmp(dir, "c.bmp", 8, 8)};
    ProjectModel joined;
    ReportLog log;
    ASSERT_EQ(ImportActors(paths, {}, joined, log).added, 1u);
    EXPECT_EQ(joined.frames[0]->frameCount, 3);
    EXPECT_EQ(joined.frames[2]->firstFrame, joined.frames[0].get());
    EXPECT_EQ(joined.Actors()[0]->name, paths[0]);
    ProjectModel separate;
    ASSERT_EQ(ImportActors(paths, {false, false}, separate, log).added, 3u);
    EXPECT_EQ(separate.frames[1]->frameCount, 1);
}

TEST(ImportFiles, ADuplicateStopsTheImportAndKeepsWhatCameBefore) {
    fs::path dir = test::ScratchFolder();
    std::string a = MakeBmp(dir, "a.bmp", 8, 8), b = MakeBmp(dir, "b.bmp", 8, 8);
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({a}, {}, model, log).added, 1u);
    EXPECT_EQ(ImportActors({b, a, b}, {false, false}, model, log).added, 1u);
    EXPECT_EQ(model.ActorCount(), 2u);
    EXPECT_EQ(log.reports.back().message, "This object has already been loaded");
    EXPECT_EQ(log.reports.back().subject, a);
}

TEST(ImportFiles, BuildActorWritesTheActorFileBesideThePicture) {
    fs::path dir = test::ScratchFolder();
    std::string cat = MakeBmp(dir, "cat.bmp", 8, 8);
    ProjectModel model;
    ReportLog log;
    ASSERT_EQ(ImportActors({cat}, {true, true}, model, log).added, 1u);
    EXPECT_TRUE(fs::exists(dir / "cat.ACT"));
    EXPECT_EQ(model.frames[0]->name, (dir / "cat.ACT").string());
    ProjectModel again;
    ASSERT_EQ(ImportActors({(dir / "cat.ACT").string()}, {}, again, log).added, 1u);
    // the file holds the 8 x 8 picture as imported; loading it puts it on 2 x (floor(sqrt(32)) + 1)
    EXPECT_EQ(again.frames[0]->Width(), 12);
}

// Each file is announced before it is read, the refused duplicate too; the import
// stops there, so the third path is never announced.
TEST(ImportFiles, EveryFileIsAnnouncedWithItsPathUpToTheOneThatStops) {
    fs::path dir = test::ScratchFolder();
    std::string a = MakeBmp(dir, "a.bmp", 8, 8), b = MakeBmp(dir, "b.bmp", 8, 8), c = MakeBmp(dir, "c.bmp", 8, 8);
    ProjectModel model;
    ReportLog log;
    std::vector<std::string> announced;
    ImportOptions options;
    options.beforeFile = [&](const std::string& path) { announced.push_back(path); };
    ASSERT_EQ(ImportActors({a}, options, model, log).added, 1u);
    EXPECT_EQ(announced, std::vector<std::string>{a});
    announced.clear();
    options.loadAsActor = false;
    EXPECT_EQ(ImportActors({b, a, c}, options, model, log).added, 1u);
    EXPECT_EQ(announced, (std::vector<std::string>{b, a}));
}

// When NAME.ACT cannot be made (a folder of that name stands there), the chooser is
// asked with that path; the actor is written where it says and keeps the name
// NAME.ACT. Nothing chosen writes nothing; without a chooser the failure is reported.
TEST(ImportFiles, BuildActorAsksForAnotherPlaceWhenTheFileCannotBeMade) {
    fs::path dir = test::ScratchFolder();
    std::string cat = MakeBmp(dir, "cat.bmp", 8, 8);
    fs::create_directory(dir / "cat.ACT");
    const std::string target = (dir / "cat.ACT").string(), elsewhere = (dir / "other.act").string();
    struct Case {
        bool offerChooser;
        std::optional<std::string> answer;
        bool written;
        std::size_t errors;
    } cases[] = {{true, elsewhere, true, 0}, {true, std::nullopt, false, 0}, {false, std::nullopt, false, 1}};
    for (const Case& c : cases) {
        fs::remove(elsewhere);
        ProjectModel model;
        ReportLog log;
        ImportOptions options;
        options.buildActor = true;
        std::vector<std::string> asked;
        if (c.offerChooser)
            options.chooseActorPath = [&](const std::string& path) {
                asked.push_back(path);
                return c.answer;
            };
        ASSERT_EQ(ImportActors({cat}, options, model, log).added, 1u);
        EXPECT_EQ(asked, c.offerChooser ? std::vector<std::string>{target} : std::vector<std::string>{});
        EXPECT_EQ(fs::exists(elsewhere), c.written);
        EXPECT_EQ(model.frames[0]->name, target);
        EXPECT_EQ(log.reports.size(), c.errors);
        EXPECT_TRUE(fs::is_directory(target));
    }
}

TEST(ModifyFiles, OkWithoutChangesKeepsAFlaggedFrameAndTwoFlipsCancel) {
    ImportedCat cat(10, 6);
    ASSERT_EQ(cat.added, 1u);
    GXDrawingSurface& first = *cat.model.frames[0];
    ReportLog& log = cat.log;
    std::vector<std::uint8_t> pixels = first.pixels;
    ASSERT_TRUE(ModifyActor(first, {}, log));
    EXPECT_EQ(first.pixels, pixels);
    ActorChange flip;
    flip.flipHorizontal = true;
    ASSERT_TRUE(ModifyActor(first, flip, log));
    EXPECT_NE(first.pixels, pixels);
    ASSERT_TRUE(ModifyActor(first, flip, log));
    EXPECT_EQ(first.pixels, pixels);
    ActorChange turn;
    turn.angle = 350;
    turn.key = ColourKey{1, 2, 3, 40};
    ASSERT_TRUE(ModifyActor(first, turn, log));
    EXPECT_EQ(first.storedAngle, 350);
    EXPECT_EQ(first.key, (ColourKey{1, 2, 3, 40}));
}


// Every refusal comes back by its kind, reported in the same words as before and
// with the kind of report the caller asks for: information for the dialog, an
// error for the command line.
TEST(ImportFiles, RefusalsComeBackTypedWithTheirOwnWords) {
    fs::path dir = test::ScratchFolder();
    const std::string a = MakeBmp(dir, "a.bmp", 8, 8), b = MakeBmp(dir, "b.bmp", 8, 8);
    struct Case {
        const char* what;
        int emptyActors;                  // actors in the project before anything is imported
        std::vector<std::string> first;  // imported before
        std::vector<std::string> paths;  // the import that is judged
        ImportRefusal refusal;
        std::size_t added;
        std::string message, subject;
    };
    const Case cases[] = {
        {"taken whole", 0, {}, {a, b}, ImportRefusal::None, 1, "", ""},
        {"mixed types", 0, {}, {a, "c.jpg"}, ImportRefusal::MixedTypes, 0,
         "Mixed file type selections are not allowed", ""},
        {"a file already in", 0, {a}, {b, a}, ImportRefusal::AlreadyLoaded, 1,
         "This object has already been loaded", a},
        // 100 + 1 = 101 actors, the 101st dropped: nothing added.
        {"one actor too many", 100, {}, {a}, ImportRefusal::TooManyActors, 0,
         "You have tried import more than 100 actors; Orbellan will ignore extra actors", ""},
    };
    for (const Case& c : cases) {
        for (ReportKind kind : {ReportKind::Information, ReportKind::Error}) {
            SCOPED_TRACE(c.what);
            ProjectModel model;
            for (int i = 0; i < c.emptyActors; ++i) {
                model.frames.push_back(std::make_unique<GXDrawingSurface>());
                NumberAsOneActor(model.frames, model.frames.size() - 1, model.frames.size());
            }
            ReportLog log;
            ImportOptions options;
            options.refusalKind = kind;
            if (!c.first.empty()) {
                ASSERT_EQ(ImportActors(c.first, options, model, log).added, 1u);
            }
            log.reports.clear();
            const ImportResult result = ImportActors(c.paths, options, model, log);
            EXPECT_EQ(result.refusal, c.refusal);
            EXPECT_EQ(result.added, c.added);
            if (c.message.empty()) {
                EXPECT_TRUE(log.Empty());
                continue;
            }
            ASSERT_FALSE(log.Empty());
            EXPECT_EQ(log.reports.back().kind, kind);
            EXPECT_EQ(log.reports.back().message, c.message);
            EXPECT_EQ(log.reports.back().subject, c.subject);
        }
    }
}

TEST(ImportFiles, APictureBroughtDownToTheLargestSideIsSaidSo) {
    fs::path dir = test::ScratchFolder();
    const std::string wide = MakeBmp(dir, "wide.bmp", 20, 10);
    struct Case {
        std::int32_t largestSide;
        bool scaledDown;
    };
    // 20x10 within 8: the longer side 20 -> 8, the other 10 * 8 / 20 = 4.
    for (Case c : {Case{0, false}, Case{20, false}, Case{8, true}}) {
        ProjectModel model;
        ReportLog log;
        ImportOptions options;
        options.largestSide = c.largestSide;
        const ImportResult result = ImportActors({wide}, options, model, log);
        EXPECT_EQ(result.added, 1u);
        EXPECT_EQ(result.scaledDown, c.scaledDown) << c.largestSide;
        if (c.scaledDown) {
            ASSERT_FALSE(log.Empty());
            EXPECT_EQ(log.reports.front().message, "The picture was scaled down from 20x10 to 8x4 pixels");
        }
    }
}

}  // namespace
}  // namespace orb
