#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace orb {
namespace {

using test::AddActor;
using test::SetSettings;
using test::Hash;
using test::PixelAt;
using test::TestShow;

// A plain scene: one 8 x 8 actor on a colour background, quick rotation off.
void PlainScene(TestShow& show, int number = 3) {
    AddActor(show.state.actors, 8, 8);
    ViewerSettings& s = show.state.settings;
    s.number = number;
    s.numberRange = 0;
    s.size = 100;
    s.speed = 1;
    s.backgroundKind = kColourBackground;
    s.backgroundColour = 0x000080;  // dark red
    s.quickRotation = 0;
}

TEST(ViewerShow, NumberZeroStillShowsTheBackground) {
    TestShow show;
    PlainScene(show, 0);
    ASSERT_TRUE(show.Start());
    EXPECT_EQ(show.state.spriteCount, 0);
    EXPECT_EQ(PixelAt(show.Screen(), 63, 47), (test::Bgr{0, 0, 0x80}));
    show.state.Tick();
    EXPECT_FALSE(show.state.QuitCode());
}

TEST(ViewerShow, SpritesAppearAfterBirthAndMove) {
    TestShow show;
    PlainScene(show, 3);
    ASSERT_TRUE(show.Start());
    ASSERT_EQ(show.state.spriteCount, 3);
    EXPECT_TRUE(show.state.createSoundPending == false);  // played at the end of the frame
    show.state.Tick();
    for (int i = 0; i < 3; ++i) EXPECT_NE(show.state.sprites[i]->drawHandle, 0u);
    const auto before = Hash(show.Screen());
    for (int i = 0; i < 5; ++i) show.state.Tick();
    EXPECT_NE(Hash(show.Screen()), before);
    EXPECT_FALSE(show.state.QuitCode());
}

TEST(ViewerShow, TheSameProjectReplaysTheSameFrames) {
    TestShow a, b;
    for (TestShow* show : {&a, &b}) {
        PlainScene(*show, 10);
        show->state.settings.numberRange = 5;
        show->state.settings.stutter = 30;
        ASSERT_TRUE(show->Start());
    }
    for (int frame = 0; frame < 30; ++frame) {
        a.state.Tick();
        b.state.Tick();
        ASSERT_EQ(Hash(a.Screen()), Hash(b.Screen())) << "frame " << frame;
    }
}

TEST(ViewerShow, SpriteCountsAboveTheTableAreClamped) {
    TestShow show;
    PlainScene(show, 600);
    ASSERT_TRUE(show.Start());
    EXPECT_EQ(show.state.spriteCount, ViewerState::kMaxSprites);
    show.state.Tick();
    EXPECT_FALSE(show.state.QuitCode());
}

TEST(ViewerShow, AnUnknownMotionModeEndsWithCode99) {
    for (int mode : {-1, 8}) {
        TestShow show;
        PlainScene(show);
        show.state.settings.motionMode = mode;
        EXPECT_FALSE(show.Start());
        EXPECT_EQ(show.state.QuitCode(), 99);
        EXPECT_EQ(show.state.spriteCount, 0);
    }
}

TEST(ViewerShow, RandomModePicksOneModeFromTheClock) {
    TestShow show;
    PlainScene(show, 4);
    show.state.settings.motionMode = kRandomMode;
    ViewerState& state = show.state;
    ASSERT_TRUE(show.Start());
    // Seeded with the clock's 12345: 12345 x 214013 + 2531011 = 0x9DA03218 (mod
    // 2^32), so the first draw is 0x1DA0 = 7584 and the mode 7584 % 7 = 3 (RAIN).
    EXPECT_EQ(show.clock.seconds, 12345u);
    EXPECT_EQ(state.settings.motionMode, kRain);
}

TEST(ViewerShow, WithoutADisplayTheShowEndsWithCode1) {
    Platform platform;
    platform.screen = {64, 48, 24};
    test::RecordingQuit quit;
    platform.quit = &quit;
    ViewerState state(platform, test::StraightFactory());
    EXPECT_FALSE(state.StartShow());
    EXPECT_EQ(quit.codes, std::vector<int>{1});
}

TEST(ViewerShow, BackgroundChoices) {
    {  // Desktop without a capture
        TestShow show;
        PlainScene(show);
        show.state.settings.backgroundKind = kDesktopBackground;
        EXPECT_FALSE(show.Start());
        EXPECT_EQ(show.state.QuitCode(), 1313);
    }
    {  // Image without a picture falls back to the colour
        TestShow show;
        PlainScene(show);
        show.state.settings.backgroundKind = kImageBackground;
        ASSERT_TRUE(show.Start());
        EXPECT_EQ(show.state.settings.backgroundKind, kColourBackground);
        EXPECT_EQ(PixelAt(show.Screen(), 0, 0), (test::Bgr{0, 0, 0x80}));
    }
    {  // Star field: black with stars, and the eraser turns it into a colour
        TestShow show;
        PlainScene(show, 0);
        show.state.settings.backgroundKind = kStarfieldBackground;
        ASSERT_TRUE(show.Start());
        ASSERT_TRUE(show.state.starField);
        EXPECT_EQ(show.state.starField->Stars().size(), 100u);
        for (int i = 0; i < 10; ++i) show.state.Tick();
        int lit = 0;
        for (std::uint8_t byte : show.Screen().Pixels()) lit += byte != 0;
        EXPECT_GT(lit, 0);
    }
    {
        TestShow show;
        PlainScene(show);
        show.state.settings.backgroundKind = kStarfieldBackground;
        show.state.settings.eraser = 1;
        ASSERT_TRUE(show.Start());
        EXPECT_FALSE(show.state.starField);
        EXPECT_EQ(show.state.settings.backgroundKind, kColourBackground);
        for (int i = 0; i < 5; ++i) show.state.Tick();
        EXPECT_FALSE(show.state.QuitCode());
    }
}

TEST(ViewerShow, PlayAreaCoversTheReferenceSpace) {
    TestShow show(640, 480);
    PlainScene(show, 0);
    ASSERT_TRUE(show.Start());
    EXPECT_EQ(show.state.playArea, (Rect{0, 0, 8000, 6000}));
    EXPECT_EQ(show.state.PixelToWorldXInt(64), 800);
    EXPECT_EQ(show.state.PixelToWorldYInt(48), 600);
}

TEST(ViewerShow, PendingSoundsPlayOnceAndOnlyWhenPresent) {
    TestShow show;
    ViewerState& state = show.state;
    state.sounds[kCreateSound] = std::vector<std::uint8_t>{1, 2, 3};
    state.bounceSoundPending = state.createSoundPending = state.destroySoundPending = true;
    state.PlayPendingSounds();
    ASSERT_EQ(show.wave.played.size(), 1u);
    EXPECT_EQ(show.wave.played[0].first, kCreateSound);
    EXPECT_FALSE(state.bounceSoundPending || state.createSoundPending || state.destroySoundPending);
}

// Every sound slot holds `bytes`; the backing track's name (which says whether it
// is a wave or a MIDI file) is `musicPath`. Starts the sounds with the two sound
// options as given (the defaults are loop 0, sounds on).
void StartSounds(ViewerState& state, const std::vector<std::uint8_t>& bytes, const char* musicPath,
                 int loopMusic, int soundsOn) {
    for (auto& sound : state.sounds) sound = bytes;
    state.soundPaths[0] = musicPath;
    state.settings.loopMusic = loopMusic;
    state.settings.soundsOn = soundsOn;
    state.SoundStart();
}

TEST(ViewerShow, AWaveBackingTrackSilencesTheEffects) {
    TestShow show;
    ViewerState& state = show.state;
    StartSounds(state, {1}, "C:\\MUSIC.DIR\\TUNE.WAV", 1, 1);
    EXPECT_EQ(show.wave.prepared, std::vector<SoundSlot>{kMusicSound});
    ASSERT_EQ(show.wave.played.size(), 1u);
    EXPECT_TRUE(show.wave.played[0].second);
    EXPECT_FALSE(state.sounds[1] || state.sounds[2] || state.sounds[3]);
}

TEST(ViewerShow, MidiMusicLoopsOrPlaysOnce) {
    for (int loop : {1, 0}) {
        TestShow show;
        StartSounds(show.state, {1, 2}, "C:\\MUSIC.DIR\\TUNE.MID", loop, 1);
        EXPECT_EQ(show.midi.opened, 2u);
        EXPECT_EQ(show.midi.repeats, loop ? -1 : 0);
        EXPECT_EQ(show.wave.prepared.size(), 3u);
    }
}

TEST(ViewerShow, SoundsOffPlaysNothing) {
    TestShow show;
    ViewerState& state = show.state;
    StartSounds(state, {1}, "tune.mid", 0, 0);
    state.bounceSoundPending = true;
    state.PlayPendingSounds();
    EXPECT_EQ(show.midi.opened, 0u);
    EXPECT_TRUE(show.wave.prepared.empty());
    EXPECT_TRUE(show.wave.played.empty());
}

TEST(ViewerShow, InputWhilePreparingActorsStopsWithCode0) {
    TestShow show;
    PlainScene(show);
    AddActor(show.state.actors, 8, 8);
    show.input.quietChecks = 1;  // the second frame sees input
    EXPECT_FALSE(show.state.PrepareActorImages());
    EXPECT_TRUE(show.state.quitRequested);
    EXPECT_EQ(show.state.QuitCode(), 0);
}

TEST(ViewerShow, QuickRotationGivesEveryFrameSixteenCopies) {
    for (int quick : {1, 0}) {
        TestShow show;
        AddActor(show.state.actors, 6, 6, 2);
        AddActor(show.state.actors, 4, 8);
        show.state.settings.quickRotation = quick;
        ASSERT_TRUE(show.state.PrepareActorImages());
        for (const auto& frame : show.state.actors) {
            EXPECT_EQ(frame->rotationSet.size(), quick ? 16u : 0u);
            EXPECT_TRUE(frame->squareCanvas);
        }
    }
}

TEST(ViewerShow, PicturesKeyedByOpacityStayVisibleOnAPaletteDisplay) {
    // An imported picture keyed by its opacity: key white, tolerance 1; a transparent
    // pixel is white, an opaque white has its blue stepped to 253.
    TestShow show;
    show.state.screen.bitsPerPixel = 8;
    AddActor(show.state.actors, 2, 1);
    GXDrawingSurface& frame = *show.state.actors[0];
    frame.key = {255, 255, 255, 1};
    const std::uint8_t pixels[] = {253, 255, 255, 255, 255, 255};
    std::copy(std::begin(pixels), std::end(pixels), frame.Row(0).begin());
    show.state.settings.quickRotation = 0;
    ASSERT_TRUE(show.state.PrepareActorImages());
    ASSERT_EQ(frame.Depth(), 8);
    // red 255, green 255, blue 253 is nearest to entry 128, FFFFF0 (13^2 = 169; the
    // next, FFFBF0, is 4^2 + 13^2 = 185); the transparent pixel takes 255
    EXPECT_EQ(frame.Row(0)[0], 128);
    EXPECT_EQ(frame.Row(0)[1], 255);
}

TEST(ViewerShow, HugeFramesArePreparedWithinTheBudget) {
    TestShow show;
    AddActor(show.state.actors, 2000, 10);  // wider than the widest display mode
    AddActor(show.state.actors, 40, 40, 2);
    show.state.settings.quickRotation = 1;
    // Frames: 1600 x 8 (4800-byte rows: 38400) and two of 40 x 40 (4800 each): 48000.
    // Copies within a side S below 40 take 16 x 3 x c(S), c(S) = padded row x S:
    // 48000 + 48 x c <= 200000 needs c <= 3166; c(32) = 96 x 32 = 3072 fits,
    // c(33) = 100 x 33 = 3300 does not.
    show.state.pictureBudget = 200000;
    ASSERT_TRUE(show.state.PrepareActorImages());
    EXPECT_EQ(show.state.actors[0]->Width(), 1600);
    EXPECT_EQ(show.state.actors[0]->Height(), 8);
    EXPECT_EQ(show.state.actors[0]->rotationSet[0].Width(), 32);
    EXPECT_EQ(show.state.actors[1]->Width(), 40);
    EXPECT_EQ(show.state.actors[1]->rotationSet[7].Width(), 32);

    TestShow tight;
    AddActor(tight.state.actors, 40, 40, 2);
    tight.state.pictureBudget = 9599;  // the two frames alone take 9600
    EXPECT_FALSE(tight.state.PrepareActorImages());
    ASSERT_FALSE(tight.reports.reports.empty());
    EXPECT_TRUE(tight.reports.reports.back().message.starts_with("The actors' pictures need more memory than the viewer"))
        << tight.reports.reports.back().message;
}

TEST(ViewerShow, ExtremeSettingsDoNotBreakTheShow) {
    TestShow show(40, 30);
    AddActor(show.state.actors, 300, 2);
    SetSettings(show.state.settings,
                "number=50 size=0 sizeRange=100 speed=0 speedVariation=-100 directionRange=0 stutter=100 "
                "numberRange=0 spriteLifetime=0 sceneLifetime=0 spin=100 quickRotation=1");
    ASSERT_TRUE(show.Start());
    for (int i = 0; i < 50; ++i) show.state.Tick();
    EXPECT_FALSE(show.state.QuitCode());
}

}  // namespace
}  // namespace orb
