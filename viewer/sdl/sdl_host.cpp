#include "viewer/sdl/sdl_host.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "viewer/engine/cursor_watch.h"
#include "viewer/engine/frame_pacer.h"
#include "viewer/engine/software_display.h"
#include "viewer/host/show.h"
#include "viewer/host/show_stats.h"
#include "viewer/sdl/sdl_sound.h"
#include "viewer/sdl/window_presenter.h"
#include "viewer/sdl/x11_heads.h"

namespace orb::sdl {
namespace {

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
using SdlWindow = std::unique_ptr<SDL_Window, SdlDeleter>;

class SdlVideo {
public:
    SdlVideo() : ok_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
    ~SdlVideo() {
        if (ok_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

class InputWatch {
public:
    explicit InputWatch(bool enabled) : enabled_(enabled) {}
    // True when the event should close the show.
    bool Closes(const SDL_Event& e) {
        if (e.type == SDL_QUIT) return true;
        if (!enabled_) return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE;
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_MOUSEBUTTONDOWN:
            return true;
        case SDL_MOUSEMOTION:
            return cursor_.MovedBeyondThreshold(e.motion.x, e.motion.y);
        default:
            return false;
        }
    }

private:
    bool enabled_;
    CursorWatch cursor_;
};

// A window event after which what the window shows must be drawn again.
bool NeedsFullPresent(const SDL_Event& e) {
    if (e.type != SDL_WINDOWEVENT) return false;
    switch (e.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
        return true;
    default:
        return false;
    }
}

int RefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

double NowMs() { return 1000.0 * double(SDL_GetPerformanceCounter()) / double(SDL_GetPerformanceFrequency()); }

Rect DisplayBounds(int display) {
    SDL_Rect r{};
    if (SDL_GetDisplayBounds(display, &r) != 0) return {};
    return {r.x, r.y, r.x + r.w, r.y + r.h};
}

// The monitors: Xinerama's heads where the X server has them, else SDL's displays.
std::vector<Rect> Monitors() {
    std::vector<Rect> monitors = XineramaHeads();
    if (!monitors.empty()) return monitors;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i)
        if (const Rect bounds = DisplayBounds(i); !bounds.IsEmpty()) monitors.push_back(bounds);
    return monitors;
}

// Window managers resize a full-screen window some time after it was created:
// wait (up to two seconds) until it has the size asked for, and answer the size it has.
void WaitForSize(SDL_Window* window, int width, int height, int& gotWidth, int& gotHeight) {
    for (int waited = 0;; waited += 10) {
        SDL_PumpEvents();
        SDL_GetWindowSize(window, &gotWidth, &gotHeight);
        if ((gotWidth == width && gotHeight == height) || waited >= 2000) return;
        SDL_Delay(10);
    }
}

struct OpenedWindow {
    SdlWindow window;
    MonitorLayout layout;
    std::string error;  // when there is no window
    int exitCode = 1;   // when there is no window
};

OpenedWindow OpenFullScreen(const host::HostOptions& options) {
    OpenedWindow opened;
    const std::vector<Rect> monitors = Monitors();
    if (monitors.empty()) {
        opened.error = "no display found";
        return opened;
    }
    if (options.display >= static_cast<int>(monitors.size())) {
        opened.error = "--display " + std::to_string(options.display) + ": there are only " +
                       std::to_string(monitors.size()) + " displays (0.." + std::to_string(monitors.size() - 1) + ")";
        opened.exitCode = 2;
        return opened;
    }
    opened.layout = ArrangeMonitors(monitors, options.monitors, options.display);
    const Rect area = opened.layout.window;
    // A display of SDL's own that covers the whole area gets a real full-screen
    // window; an area over several of them a borderless one on top of them all.
    Uint32 flags = SDL_WINDOW_SHOWN;
    int x = area.left, y = area.top;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i)
        if (DisplayBounds(i) == area) {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
            x = y = static_cast<int>(SDL_WINDOWPOS_UNDEFINED_DISPLAY(i));
        }
    if (!(flags & SDL_WINDOW_FULLSCREEN_DESKTOP)) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP;
    opened.window.reset(SDL_CreateWindow("Orbellan", x, y, area.Width(), area.Height(), flags));
    if (!opened.window) {
        opened.error = SDL_GetError();
        return opened;
    }
    int width = 0, height = 0;
    WaitForSize(opened.window.get(), area.Width(), area.Height(), width, height);
    // Refused the size: one show over whatever the window got.
    if (width != area.Width() || height != area.Height()) {
        const Rect got{0, 0, width, height};
        opened.layout = ArrangeMonitors({&got, 1}, MonitorArrangement::Span, 0);
    }
    return opened;
}

OpenedWindow OpenWindow(const host::HostOptions& options) {
    if (options.fullscreen && options.windowId == 0) return OpenFullScreen(options);
    OpenedWindow opened;
    if (options.windowId != 0)
        opened.window.reset(SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(options.windowId))));
    else
        opened.window.reset(SDL_CreateWindow("Orbellan", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                             options.width, options.height, SDL_WINDOW_SHOWN));
    if (!opened.window) {
        opened.error = SDL_GetError();
        return opened;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(opened.window.get(), &width, &height);
    if (width < 1 || height < 1) {
        width = options.width;
        height = options.height;
    }
    const Rect whole{0, 0, width, height};
    opened.layout = ArrangeMonitors({&whole, 1}, MonitorArrangement::Span, 0);
    return opened;
}

}  // namespace

int RunWindow(const host::HostOptions& options) {
    // The window's own surface, not a texture behind it: a texture would be copied
    // whole on every update, where the window surface sends only the rectangles given.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SdlVideo video;
    if (!video.Ok()) {
        std::fprintf(stderr, "viewer: no display (%s); try --headless\n", SDL_GetError());
        return 1;
    }
    OpenedWindow opened = OpenWindow(options);
    if (!opened.window) {
        std::fprintf(stderr, "viewer: cannot open the window (%s)\n", opened.error.c_str());
        return opened.exitCode;
    }
    SDL_Window* window = opened.window.get();
    if (options.fullscreen || options.windowId == 0) SDL_ShowCursor(options.inputExit ? SDL_DISABLE : SDL_ENABLE);

    SoftwareDisplay display(24);
    host::StderrReports reports;
    SdlSound sound;
    SdlWavePlayer wave(sound);
    SdlMidiPlayer midi(sound);
    Platform platform{.screen = {opened.layout.showWidth, opened.layout.showHeight, 24},
                      .display = &display, .reports = &reports};
    if (sound.Available()) {
        platform.wave = &wave;
        platform.midi = &midi;
    }
    host::StartedShow show = host::StartHostShow(options, platform);
    if (!show.state) return show.exitCode;
    ViewerState& state = *show.state;

    WindowPresenter presenter(window, opened.layout);
    bool presentAll = true;
    InputWatch input(options.inputExit);
    FramePacer pacer(options.fps > 0 ? options.fps : RefreshRate(window), NowMs());
    std::vector<double> workMs;
    int framesShown = 0;
    const host::CpuTimes started = host::ProcessCpuTimes();
    int exitCode = 0;
    for (bool open = true; open;) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (input.Closes(e)) open = false;
            if (NeedsFullPresent(e)) presentAll = true;
        }
        if (!open) break;
        const double frameStart = NowMs();
        state.Tick();
        if (auto code = state.QuitCode()) {
            exitCode = *code;
            break;
        }
        if (const GXDrawingSurface* picture = display.ScreenPicture()) {
            const std::vector<Rect> changed = display.TakeChangedRects();
            if (presentAll)
                presentAll = !presenter.PresentAll(*picture);
            else
                presenter.Present(*picture, changed);
        }
        ++framesShown;
        if (options.stats) workMs.push_back(NowMs() - frameStart);
        // Sleep to the next frame, rounded up to whole milliseconds so one sleep
        // does; never spin. The schedule keeps the average rate.
        for (double wait; (wait = pacer.MsUntilDue(NowMs())) > 0;)
            SDL_Delay(static_cast<Uint32>(wait) + 1);
    }
    if (options.stats)
        std::printf("%s\n", host::FormatShowStats(framesShown, host::Summarise(workMs), started,
                                                  host::ProcessCpuTimes()).c_str());
    show.state.reset();  // stops the music before the players go
    return exitCode;
}

}  // namespace orb::sdl
