#include "viewer/sdl/sdl_host.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "viewer/engine/software_display.h"
#include "viewer/host/show.h"
#include "viewer/sdl/sdl_sound.h"

namespace orb::sdl {
namespace {

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
template <typename T>
using SdlHandle = std::unique_ptr<T, SdlDeleter>;

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

// Mouse movement of a few pixels is jitter, not a wish to stop the saver.
constexpr int kMotionThreshold = 4;

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
            if (!anchored_) {
                anchored_ = true;
                anchorX_ = e.motion.x - e.motion.xrel;
                anchorY_ = e.motion.y - e.motion.yrel;
            }
            return std::abs(e.motion.x - anchorX_) > kMotionThreshold ||
                   std::abs(e.motion.y - anchorY_) > kMotionThreshold;
        default:
            return false;
        }
    }

private:
    bool enabled_;
    bool anchored_ = false;
    int anchorX_ = 0, anchorY_ = 0;
};

// Holds each frame until its slot in a steady sequence, so a fast machine does not
// play the show faster than meant; a late frame moves the sequence on, never bunching.
class FramePacer {
public:
    explicit FramePacer(int fps)
        : period_(SDL_GetPerformanceFrequency() / static_cast<Uint64>(fps)), next_(SDL_GetPerformanceCounter()) {}
    void Wait() {
        next_ += period_;
        const Uint64 now = SDL_GetPerformanceCounter();
        if (now >= next_) {
            next_ = now;
            return;
        }
        const Uint64 ms = (next_ - now) * 1000 / SDL_GetPerformanceFrequency();
        if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
        while (SDL_GetPerformanceCounter() < next_) {
        }
    }

private:
    Uint64 period_;
    Uint64 next_;
};

int RefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

// Uploads the screen rectangles changed since the last frame. The screen picture
// keeps its rows bottom-up, so a rectangle's rows are found from the bottom and the
// texture is shown flipped.
void Upload(SDL_Texture* texture, SoftwareDisplay& display) {
    const GXDrawingSurface* screen = display.ScreenPicture();
    if (screen == nullptr || screen->Depth() != 24) return;
    const int w = screen->Width(), h = screen->Height();
    for (const Rect& r : display.TakeChangedRects()) {
        const int left = std::max(0, r.left), right = std::min(w, r.right);
        const int top = std::max(0, r.top), bottom = std::min(h, r.bottom);
        if (left >= right || top >= bottom) continue;
        const SDL_Rect area{left, h - bottom, right - left, bottom - top};
        const std::uint8_t* first = screen->Row(h - bottom).data() + left * 3;
        SDL_UpdateTexture(texture, &area, first, static_cast<int>(screen->Stride()));
    }
}

}  // namespace

int RunWindow(const host::HostOptions& options) {
    SdlVideo video;
    if (!video.Ok()) {
        std::fprintf(stderr, "viewer: no display (%s); try --headless\n", SDL_GetError());
        return 1;
    }
    SdlHandle<SDL_Window> window;
    if (options.windowId != 0) {
        window.reset(SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(options.windowId))));
    } else {
        Uint32 flags = SDL_WINDOW_SHOWN;
        if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window.reset(SDL_CreateWindow("Orbellan", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                      options.width, options.height, flags));
    }
    if (!window) {
        std::fprintf(stderr, "viewer: cannot open the window (%s)\n", SDL_GetError());
        return 1;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(window.get(), &width, &height);
    if (width < 1 || height < 1) {
        width = options.width;
        height = options.height;
    }
    SdlHandle<SDL_Renderer> renderer(SDL_CreateRenderer(window.get(), -1, 0));
    if (!renderer) renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    SdlHandle<SDL_Texture> texture(
        renderer ? SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, width, height)
                 : nullptr);
    if (!texture) {
        std::fprintf(stderr, "viewer: cannot draw in the window (%s)\n", SDL_GetError());
        return 1;
    }
    if (options.fullscreen || options.windowId == 0) SDL_ShowCursor(options.inputExit ? SDL_DISABLE : SDL_ENABLE);

    SoftwareDisplay display(24);
    host::StderrReports reports;
    SdlSound sound;
    SdlWavePlayer wave(sound);
    SdlMidiPlayer midi(sound);
    Platform platform;
    platform.screen = {width, height, 24};
    platform.display = &display;
    platform.reports = &reports;
    if (sound.Available()) {
        platform.wave = &wave;
        platform.midi = &midi;
    }
    host::StartedShow show = host::StartHostShow(options, platform);
    if (!show.state) return show.exitCode;
    ViewerState& state = *show.state;

    InputWatch input(options.inputExit);
    FramePacer pacer(options.fps > 0 ? options.fps : RefreshRate(window.get()));
    int exitCode = 0;
    for (bool open = true; open;) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (input.Closes(e)) open = false;
        if (!open) break;
        state.Tick();
        if (auto code = state.QuitCode()) {
            exitCode = *code;
            break;
        }
        Upload(texture.get(), display);
        SDL_RenderCopyEx(renderer.get(), texture.get(), nullptr, nullptr, 0, nullptr, SDL_FLIP_VERTICAL);
        SDL_RenderPresent(renderer.get());
        pacer.Wait();
    }
    show.state.reset();  // stops the music before the players go
    return exitCode;
}

}  // namespace orb::sdl
