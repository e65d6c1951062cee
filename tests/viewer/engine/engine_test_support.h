// Shared pieces of the engine tests: pictures, actors, a plain test sprite and
// hosts that record what the engine asks of them.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/software_display.h"
#include "viewer/engine/viewer_state.h"

namespace orb::test {

// Sets settings by their names in the settings table, as in
// "number=1 speed=10"; an unknown name fails the test.
inline void SetSettings(ProjectSettings& settings, const std::string& assignments) {
    std::istringstream words(assignments);
    std::string word;
    while (words >> word) {
        const std::size_t equals = word.find('=');
        const std::string_view name = std::string_view(word).substr(0, equals);
        const auto entry = std::find_if(kSettingTable.begin(), kSettingTable.end(),
                                        [&](const SettingEntry& e) { return e.name == name; });
        if (equals == std::string::npos || entry == kSettingTable.end()) {
            ADD_FAILURE() << "no setting is named by '" << word << "'";
            continue;
        }
        settings.*entry->field = std::stoi(word.substr(equals + 1));
    }
}

// A 24-bit picture filled with one colour.
inline GXDrawingSurface Picture(int width, int height, std::uint8_t r, std::uint8_t g,
                                std::uint8_t b) {
    GXDrawingSurface picture;
    picture.Create(24, width, height);
    picture.Fill(r, g, b);
    return picture;
}

// Appends an actor of `frames` frames (frame i filled with grey level 10 + i).
inline void AddActor(FrameList& list, int width, int height, int frames = 1,
                     const std::string& name = {}) {
    for (int i = 0; i < frames; ++i) {
        const auto level = static_cast<std::uint8_t>(10 + i);
        GXDrawingSurface* frame = Picture(width, height, level, level, level).AppendCopy(list);
        if (i == 0) frame->name = name;
    }
    NumberFrames(list);
}

// A 24-bit picture in which neighbouring pixels differ, with white (transparent)
// holes on every fifth diagonal, so scaling, rotation and keying all show.
inline GXDrawingSurface PatternedPicture(int width, int height, int seed) {
    GXDrawingSurface picture;
    picture.Create(24, width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y).data();
        for (int x = 0; x < width; ++x, p += 3) {
            const bool hole = (x + y + seed) % 5 == 0;
            p[0] = hole ? 255 : static_cast<std::uint8_t>(x * 7 + seed * 50);
            p[1] = hole ? 255 : static_cast<std::uint8_t>(y * 11 + seed);
            p[2] = hole ? 255 : static_cast<std::uint8_t>(x * y + seed * 3);
        }
    }
    return picture;
}

// Appends an actor of `frames` patterned frames (frame i drawn with seed `seed + i`).
inline void AddPatternedActor(FrameList& list, int width, int height, int frames, int seed,
                              const std::string& name = {}) {
    for (int i = 0; i < frames; ++i) {
        GXDrawingSurface* frame = PatternedPicture(width, height, seed + i).AppendCopy(list);
        if (i == 0) frame->name = name;
    }
    NumberFrames(list);
}

// The (blue, green, red) bytes of a 24-bit picture's pixel, counted from the top.
struct Bgr {
    std::uint8_t b, g, r;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};
inline constexpr Bgr kBlue{200, 0, 0};
inline constexpr Bgr kRed{0, 0, 200};
inline Bgr PixelAt(const GXDrawingSurface& picture, int x, int y) {
    const auto row = picture.Row(picture.Height() - 1 - y);
    return {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
}

// FNV-1a over a picture's pixels.
inline std::uint64_t Hash(const GXDrawingSurface& picture) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : picture.Pixels()) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// FNV-1a over a run's frame hashes, in order: one number that pins a whole run.
inline std::uint64_t Digest(const std::vector<std::uint64_t>& frameHashes) {
    std::uint64_t digest = 1469598103934665603ull;
    for (std::uint64_t frame : frameHashes) digest = (digest ^ frame) * 1099511628211ull;
    return digest;
}

// Moves straight along its direction by MoveStep; never dies.
class StraightSprite : public Sprite {
public:
    void Update() override {
        const int state = StepLifeState();
        if (state == kAwaitingBirth) return;
        if (state == 0) NextAnimationFrame();
        Show(true);
        CountDownLife();
        CountDownSceneTimer();
        MoveStep(false, 1);
    }
};

inline SpriteFactory StraightFactory() {
    return [](int mode) -> std::unique_ptr<Sprite> {
        if (mode < 0 || mode > 6) return nullptr;
        return std::make_unique<StraightSprite>();
    };
}

struct RecordingWave final : WavePlayer {
    bool Prepare(SoundSlot slot, std::span<const std::uint8_t>) override {
        prepared.push_back(slot);
        return true;
    }
    void Play(SoundSlot slot, bool loop) override { played.push_back({slot, loop}); }
    void StopAll() override { ++stops; }
    std::vector<SoundSlot> prepared;
    std::vector<std::pair<SoundSlot, bool>> played;
    int stops = 0;
};

struct RecordingMidi final : MidiPlayer {
    bool Open(std::span<const std::uint8_t> bytes) override {
        opened = bytes.size();
        return true;
    }
    bool Play(int r, int, int) override {
        repeats = r;
        return true;
    }
    void Stop() override {}
    std::size_t opened = 0;
    int repeats = -99;
};

// A memory display that tests change one call at a time: every call goes to a
// software display unless a test overrides it. It does not blit from pictures, so
// sprites go through their surfaces, as on DirectDraw.
struct ForwardingDisplay : DisplayBackend {
    explicit ForwardingDisplay(int depth = 24) : inner(depth) {}
    bool Open(int w, int h, int bits, ReportSink& reports) override { return inner.Open(w, h, bits, reports); }
    void Close(ReportSink& reports) override { inner.Close(reports); }
    int DrawingDepth() const override { return inner.DrawingDepth(); }
    DisplaySurface& Screen() override { return inner.Screen(); }
    std::unique_ptr<DisplaySurface> CreateSurface(int w, int h) override { return inner.CreateSurface(w, h); }
    bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) override {
        return inner.DrawPicture(target, picture, x, y);
    }
    BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source, const Rect& rect,
                    bool keyed) override {
        return inner.Blit(target, x, y, source, rect, keyed);
    }
    void SetColourKey(DisplaySurface& surface) override { inner.SetColourKey(surface); }
    bool Restore(DisplaySurface& surface) override { return inner.Restore(surface); }
    bool FillOnScreen(std::span<const ScreenFill> fills) override { return inner.FillOnScreen(fills); }
    SoftwareDisplay inner;
};

struct RecordingQuit final : QuitSink {
    void QuitWithCode(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

struct FixedClock final : Clock {
    std::uint32_t NowSeconds() override { return seconds; }
    std::uint32_t seconds = 12345;
};

struct ScriptedInput final : InputMonitor {
    void TakeSnapshot() override {}
    bool InputSinceSnapshot() override { return --quietChecks < 0; }
    int quietChecks = 1 << 30;
};

// How sprites reach the back buffer: blitted straight from their pictures, as the
// software display does, or drawn into their surfaces first, as on DirectDraw.
enum class SpritePath { Direct, ThroughSurfaces };

// A show over a software display of the given size and depth (8 or 24) with its
// own recorders.
struct TestShow {
    explicit TestShow(int width = 64, int height = 48, SpriteFactory factory = StraightFactory(),
                      int depth = 24, SpritePath path = SpritePath::Direct)
        : display(depth), surfacesOnly(depth),
          state(MakePlatform(width, height, depth, path), std::move(factory)) {}

    Platform MakePlatform(int width, int height, int depth, SpritePath path) {
        Platform platform;
        platform.screen = {width, height, depth};
        platform.display = path == SpritePath::Direct ? static_cast<DisplayBackend*>(&display) : &surfacesOnly;
        platform.wave = &wave;
        platform.midi = &midi;
        platform.clock = &clock;
        platform.reports = &reports;
        platform.quit = &quit;
        platform.input = &input;
        return platform;
    }

    // What Initialise does besides loading: the view is the whole screen. Then the
    // actors a test added are prepared and the show starts.
    bool Start() {
        state.viewRect = {0, 0, state.screen.width, state.screen.height};
        return state.PrepareActorImages() && state.StartShow();
    }

    const GXDrawingSurface& Screen() const {
        const GXDrawingSurface* direct = display.ScreenPicture();
        return direct ? *direct : *surfacesOnly.inner.ScreenPicture();
    }

    SoftwareDisplay display;
    ForwardingDisplay surfacesOnly;
    RecordingWave wave;
    RecordingMidi midi;
    FixedClock clock;
    ReportLog reports;
    RecordingQuit quit;
    ScriptedInput input;
    ViewerState state;
};

// 800 x 600 pixels on the whole 8000 x 6000 world: 10 world units per pixel, for
// driving sprites and their helpers directly.
struct WorldShow : TestShow {
    WorldShow() : TestShow(800, 600) {
        state.viewRect = {0, 0, 800, 600};
        state.pixelReference = state.viewRect;
        state.playArea = {0, 0, 8000, 6000};
    }
};

}  // namespace orb::test
