// The project model: settings with their ranges, the remembered defaults and the
// actor list operations.
#include <gtest/gtest.h>

#include <filesystem>

#include "authoring/model/actor_import.h"
#include "authoring/model/modify_actor.h"
#include "authoring/model/picture_reader.h"
#include "authoring/model/profile.h"
#include "authoring/model/project_files.h"
#include "authoring/model/project_model.h"
#include "authoring/model/settings.h"

namespace orb {
namespace {

TEST(Settings, DefaultsAndRangesOfTheControls) {
    ProjectSettings d;
    EXPECT_EQ(d[kNumber], 5);
    EXPECT_EQ(d[kSize], 100);
    EXPECT_EQ(d[kDirectionRange], 360);
    EXPECT_EQ(d[kSpriteLifetime], 100);  // slider at 0, stored as 100 - 0
    EXPECT_EQ(d[kStutter], 15);
    EXPECT_EQ(d[kBackgroundKind], 2);
    EXPECT_EQ(d[kQuickRotation], 1);
    EXPECT_EQ(d[kBackgroundColour], 0xFFFFFF);
    EXPECT_TRUE(SettingInRange(kSwirl, -90));
    EXPECT_FALSE(SettingInRange(kSwirl, 91));
    EXPECT_FALSE(SettingInRange(kNumber, 51));
    EXPECT_TRUE(SettingInRange(kMotionMode, -1));
}

TEST(Settings, EditBoxCorrections) {
    EXPECT_EQ(CorrectSetting(kNumber, -3), 0);
    EXPECT_EQ(CorrectSetting(kNumber, 70), 50);
    EXPECT_EQ(CorrectSetting(kSize, -1), 10);  // not 0
    EXPECT_EQ(CorrectSetting(kSize, 101), 100);
    EXPECT_EQ(CorrectSetting(kDirection, 500), 360);
    EXPECT_EQ(CorrectSetting(kSpin, 120), 100);
    EXPECT_EQ(CorrectSetting(kSize, 42), 42);
}

TEST(Settings, NamesOfModesBackgroundsAndKeys) {
    EXPECT_EQ(ModeFromName("gravibounce"), 1);
    EXPECT_EQ(ModeFromName("RANDOM"), 7);
    EXPECT_EQ(ModeFromName("none"), -1);
    EXPECT_FALSE(ModeFromName("wobble"));
    EXPECT_EQ(ModeName(6), "SPLAT");
    EXPECT_EQ(BackgroundFromName("Image"), 3);
    EXPECT_EQ(BackgroundFromName("color"), 2);
    EXPECT_EQ(FindSetting("NUMBERRANGE"), kNumberRange);
    EXPECT_FALSE(FindSetting("numbers"));
    EXPECT_EQ(ParseInt("-90"), -90);
    EXPECT_FALSE(ParseInt("12x"));
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("99999999999"));
}

std::filesystem::path FreshFolder(const char* name) {
    auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(Profile, FirstRunWritesTheProgramFolderAndUntitled) {
    auto dir = FreshFolder("orb_profile_first_run");
    IniProfile profile(dir / "orbellan.ini");
    RememberedDefaults d = ReadRememberedDefaults(profile, "/home/u/savers");
    EXPECT_EQ(d.importPath, "/home/u/savers");
    EXPECT_EQ(d.projectPath, (std::filesystem::path("/home/u/savers") / "Untitled.apj").string());
    EXPECT_EQ(d.backgroundColour, 0xFFFFFFu);
    IniProfile again(dir / "orbellan.ini");  // written at once
    EXPECT_EQ(again.Read("DefaultDirectories", "DefaultOpenPath", "x"), "/home/u/savers");
}

TEST(Profile, ImportPathPresentButProjectMissingStaysEmpty) {
    auto dir = FreshFolder("orb_profile_partial");
    IniProfile profile(dir / "orbellan.ini");
    profile.Write("DefaultDirectories", "DefaultOpenPath", "/pics/cat.bmp");
    profile.Write("DefaultColors", "DefaultColor", "255abc");
    RememberedDefaults d = ReadRememberedDefaults(profile, "/elsewhere");
    EXPECT_EQ(d.importPath, "/pics/cat.bmp");
    EXPECT_EQ(d.projectPath, "");
    EXPECT_EQ(d.backgroundColour, 255u);  // leading digits only
    EXPECT_EQ(IniProfile(dir / "orbellan.ini").Read("DefaultDirectories", "DefaultOpenProject", "missing"),
              "missing");
    EXPECT_EQ(ParseProfileColour("-"), 0xFFFFFFu);
    EXPECT_EQ(ParseProfileColour("-5"), 0xFFFFFFu);
}

// A list of actors of the given frame counts, each frame named "a<actor>f<frame>".
ProjectModel ModelWithActors(std::initializer_list<int> frameCounts) {
    ProjectModel model;
    int actor = 0;
    for (int count : frameCounts) {
        std::size_t begin = model.frames.size();
        for (int f = 0; f < count; ++f) {
            model.frames.push_back(std::make_unique<GXDrawingSurface>());
            model.frames.back()->name = "a" + std::to_string(actor) + "f" + std::to_string(f);
        }
        NumberAsOneActor(model.frames, begin, model.frames.size());
        ++actor;
    }
    return model;
}

std::string Names(const ProjectModel& model) {
    std::string text;
    for (const auto& f : model.frames) text += f->name + (f->nextFrame ? " " : "");
    return text;
}

TEST(ActorList, MoveSwapsWholeRunsAndStopsAtTheEnds) {
    ProjectModel model = ModelWithActors({1, 3, 2});
    EXPECT_EQ(model.ActorCount(), 3u);
    EXPECT_EQ(model.FramesOf(1), 3u);
    ASSERT_TRUE(model.MoveActor(1, -1));
    EXPECT_EQ(Names(model), "a1f0 a1f1 a1f2 a0f0 a2f0 a2f1");
    EXPECT_FALSE(model.MoveActor(0, -1));  // up on the first
    EXPECT_FALSE(model.MoveActor(2, 1));   // down on the last
    ASSERT_TRUE(model.MoveActor(0, 2));
    EXPECT_EQ(Names(model), "a0f0 a2f0 a2f1 a1f0 a1f1 a1f2");
    EXPECT_EQ(model.frames[4]->firstFrame, model.frames[3].get());
}

TEST(ActorList, RemoveTakesAllFramesOfTheActor) {
    ProjectModel model = ModelWithActors({2, 1, 2});
    ASSERT_TRUE(model.RemoveActor(0));
    EXPECT_EQ(Names(model), "a1f0 a2f0 a2f1");
    EXPECT_FALSE(model.RemoveActor(5));
    EXPECT_EQ(model.ActorCount(), 2u);
}

TEST(ActorList, MoreThanAHundredActorsAreCutWithAMessage) {
    ProjectModel model;
    for (int i = 0; i < 103; ++i) {
        model.frames.push_back(std::make_unique<GXDrawingSurface>());
        NumberAsOneActor(model.frames, model.frames.size() - 1, model.frames.size());
    }
    ReportLog log;
    EXPECT_TRUE(model.DropActorsBeyondLimit(log));
    EXPECT_EQ(model.ActorCount(), 100u);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].message, "You have tried import more than 100 actors; Orbellan will ignore extra actors");
    EXPECT_FALSE(model.DropActorsBeyondLimit(log));
}

TEST(ActorList, NewKeepsTheSwitchesThatSurviveIt) {
    ProjectModel model = ModelWithActors({1});
    model.settings[kTurbo] = 1;
    model.settings[kShuffle] = 1;
    model.settings[kQuickRotation] = 0;
    model.settings[kNumber] = 40;
    model.loopMusic = 1;
    model.eraser = 1;
    model.soundPaths[kMusicSound] = "x.mid";
    model.Reset(0x123456);
    EXPECT_EQ(model.ActorCount(), 0u);
    EXPECT_EQ(model.settings[kTurbo], 1);
    EXPECT_EQ(model.settings[kShuffle], 1);
    EXPECT_EQ(model.settings[kQuickRotation], 0);
    EXPECT_EQ(model.settings[kNumber], 5);
    EXPECT_EQ(model.settings[kBackgroundColour], 0x123456);
    EXPECT_EQ(model.loopMusic, 1);
    EXPECT_EQ(model.eraser, 0);
    EXPECT_EQ(model.soundPaths[kMusicSound], "");
}

// The stored Image flag is whether the Image background was chosen. The kind alone
// says Image (3) also when no background button is checked, and then no picture
// is embedded; the flag survives a save and a load.
TEST(ProjectContent, ImageFlagFollowsTheImageChoiceNotTheKind) {
    struct Case {
        std::int32_t kind;
        bool imageChosen;
        bool stored;
    } cases[] = {{2, false, false}, {3, true, true}, {3, false, false}, {0, false, false}};
    auto dir = FreshFolder("orb_image_flag");
    for (const Case& c : cases) {
        ProjectModel model;
        model.SetBackgroundKind(c.kind);
        model.useBackdropImage = c.imageChosen;
        EXPECT_EQ(ContentOf(model).useBackdropImage, c.stored) << c.kind << " " << c.imageChosen;
        ReportLog log;
        ASSERT_TRUE(SaveProject(model, dir / "p.apj", log));
        ProjectModel loaded;
        ASSERT_TRUE(LoadProject(dir / "p.apj", loaded, log));
        EXPECT_EQ(loaded.useBackdropImage, c.stored);
        EXPECT_EQ(loaded.settings[kBackgroundKind], c.kind);
    }
    ProjectModel model;
    model.SetBackgroundKind(3);
    EXPECT_TRUE(model.useBackdropImage);
    model.Reset(0xFFFFFF);
    EXPECT_FALSE(model.useBackdropImage);
}

TEST(Import, TypeRulesRefuseMixedLongAndUnsupportedSelections) {
    ProjectModel model;
    ReportLog log;
    EXPECT_EQ(ImportActors({"a.bmp", "b.jpg"}, {}, model, log).added, 0u);
    EXPECT_EQ(log.reports.back().message, "Mixed file type selections are not allowed");
    EXPECT_EQ(ImportActors({"a.jpeg"}, {}, model, log).added, 0u);  // four letters: mixed, not unsupported
    EXPECT_EQ(log.reports.back().message, "Mixed file type selections are not allowed");
    EXPECT_EQ(ImportActors({"clip.wmv"}, {}, model, log).added, 0u);
    EXPECT_EQ(log.reports.back().message, "Orbellan does not support this file format");
    EXPECT_EQ(log.reports.back().subject, "clip.wmv");
    std::string longPath(300, 'x');
    EXPECT_EQ(ImportActors({longPath + ".bmp"}, {}, model, log).added, 0u);
    EXPECT_EQ(log.reports.back().message, "Path is longer than 255 characters");
    EXPECT_EQ(FileTypeNumber("x.Tga"), 7);
    EXPECT_EQ(FileTypeNumber("x.Gif"), 8);  // after the seven types of the import dialog's filter
    EXPECT_EQ(FileTypeNumber("x.wmv"), 0);
}

TEST(ModifyActor, TurnIsRelativeToTheAngleHeld) {
    EXPECT_EQ(RotationBetween(10, 350), 340);
    EXPECT_EQ(RotationBetween(350, 10), 20);
    EXPECT_EQ(RotationBetween(0, 360), 0);
    EXPECT_EQ(RotationBetween(90, 90), 0);
}

TEST(SoundSelection, WaveMusicDisablesTheEffects) {
    EXPECT_FALSE(EffectSoundsEnabled("/m/theme.WAV"));
    EXPECT_FALSE(EffectSoundsEnabled("theme.wav"));
    EXPECT_TRUE(EffectSoundsEnabled("theme.mid"));
    EXPECT_TRUE(EffectSoundsEnabled(""));
}

TEST(PictureReader, MixedCaseExtensionIsRefusedForTheBanner) {
    std::optional<PackedImage> image;
    EXPECT_EQ(ReadPicture("banner.Jpg", ExtensionCase::WhollyLowerOrUpper, image), 103u);
    EXPECT_EQ(ReadPicture("missing.JPG", ExtensionCase::WhollyLowerOrUpper, image), 201u);
    EXPECT_EQ(ReadPicture("banner.wmv", ExtensionCase::Any, image), 103u);
    EXPECT_EQ(ReadPicture("missing.gif", ExtensionCase::Any, image), 201u);
}

}  // namespace
}  // namespace orb
