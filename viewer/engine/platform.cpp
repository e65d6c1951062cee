#include "viewer/engine/platform.h"

#include "common/imaging/drawing_surface.h"

namespace orb {
namespace {

class NoDisplay final : public DisplayBackend {
public:
    bool Open(int, int, int, ReportSink&) override { return false; }
    void Close(ReportSink&) override {}
    int DrawingDepth() const override { return 24; }
    DisplaySurface& Screen() override { return screen_; }
    std::unique_ptr<DisplaySurface> CreateSurface(int, int) override { return nullptr; }
    bool DrawPicture(DisplaySurface&, const GXDrawingSurface&, int, int) override { return false; }
    BlitResult Blit(DisplaySurface&, int, int, DisplaySurface&, const Rect&, bool) override {
        return BlitResult::Failed;
    }
    void SetColourKey(DisplaySurface&) override {}
    bool Restore(DisplaySurface&) override { return false; }
    bool FillOnScreen(std::span<const ScreenFill>) override { return false; }

private:
    struct Empty final : DisplaySurface {
        int Width() const override { return 0; }
        int Height() const override { return 0; }
    } screen_;
};

class SilentWave final : public WavePlayer {
public:
    bool Prepare(SoundSlot, std::span<const std::uint8_t>) override { return true; }
    void Play(SoundSlot, bool) override {}
    void StopAll() override {}
};

class SilentMidi final : public MidiPlayer {
public:
    bool Open(std::span<const std::uint8_t>) override { return false; }
    bool Play(int, int, int) override { return false; }
    void Stop() override {}
};

class FallbackProfile final : public ProfileStore {
public:
    std::string GetString(std::string_view, std::string_view, std::string_view fallback) override {
        return std::string(fallback);
    }
};

class ZeroClock final : public Clock {
public:
    std::uint32_t NowSeconds() override { return 0; }
};

class NoDesktop final : public DesktopSource {
public:
    bool Capture(GXDrawingSurface&) override { return false; }
};

class NoInput final : public InputMonitor {
public:
    void TakeSnapshot() override {}
    bool InputSinceSnapshot() override { return false; }
};

class IgnoreQuit final : public QuitSink {
public:
    void QuitWithCode(int) override {}
};

class DropTrace final : public TraceSink {
public:
    void Trace(std::string_view) override {}
};

template <typename T>
T* Or(T* given, const std::unique_ptr<T>& fallback) {
    return given ? given : fallback.get();
}

}  // namespace

PlatformDefaults::PlatformDefaults()
    : display(std::make_unique<NoDisplay>()),
      wave(std::make_unique<SilentWave>()),
      midi(std::make_unique<SilentMidi>()),
      profile(std::make_unique<FallbackProfile>()),
      clock(std::make_unique<ZeroClock>()),
      desktop(std::make_unique<NoDesktop>()),
      input(std::make_unique<NoInput>()),
      reports(std::make_unique<NullReportSink>()),
      quit(std::make_unique<IgnoreQuit>()),
      trace(std::make_unique<DropTrace>()) {}

PlatformDefaults::~PlatformDefaults() = default;

Platform WithDefaults(const Platform& platform, const PlatformDefaults& defaults) {
    Platform result = platform;
    result.display = Or(platform.display, defaults.display);
    result.wave = Or(platform.wave, defaults.wave);
    result.midi = Or(platform.midi, defaults.midi);
    result.profile = Or(platform.profile, defaults.profile);
    result.clock = Or(platform.clock, defaults.clock);
    result.desktop = Or(platform.desktop, defaults.desktop);
    result.input = Or(platform.input, defaults.input);
    result.reports = Or(platform.reports, defaults.reports);
    result.quit = Or(platform.quit, defaults.quit);
    result.trace = Or(platform.trace, defaults.trace);
    return result;
}

}  // namespace orb
