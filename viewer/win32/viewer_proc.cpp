// ScreenSaverProc: start-up at window creation, the paced run loop, the preview
// picture, and the shutdown that releases the show and ends the process with
// the exit code asked for.
#include <windows.h>
#include <scrnsave.h>

#include <memory>
#include <string>

#include "resources/viewer/viewer_resources.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/modes/modes.h"
#include "viewer/win32/blackout_windows.h"
#include "viewer/win32/ddraw_display.h"
#include "viewer/win32/dib_drawing.h"
#include "viewer/win32/display_modes.h"
#include "viewer/win32/frame_wait.h"
#include "viewer/win32/gdi_display.h"
#include "viewer/win32/message_box.h"
#include "viewer/win32/monitor_list.h"
#include "viewer/win32/monitor_option.h"
#include "viewer/win32/saver_screens.h"
#include "viewer/win32/temp_sound_folder.h"
#include "viewer/win32/viewer_paths.h"
#include "viewer/win32/win32_platform.h"

namespace orb {
namespace {

constexpr UINT kRunMessage = WM_USER + 1;
constexpr UINT_PTR kKeepAliveTimer = 116;

// The first exit code asked for is the one the process ends with.
class ProcessQuit final : public QuitSink {
public:
    void QuitWithCode(int code) override {
        if (!posted_) {
            posted_ = true;
            code_ = code;
        }
        PostQuitMessage(code);
    }
    bool Posted() const { return posted_; }
    int Code() const { return code_; }

private:
    bool posted_ = false;
    int code_ = 0;
};

// Everything the viewer process keeps between messages. Members are destroyed
// in reverse order: the show before the players and display it uses.
struct ViewerProcess {
    bool created = false;
    bool isPreview = false;
    HWND window = nullptr;
    ProcessQuit quit;
    MessageBoxReports reports;
    TempSoundFolder sounds;
    Win32Profile profile;
    Win32Clock clock;
    Win32Desktop desktop;
    Win32Input input;
    SilentTrace trace;
    std::unique_ptr<DisplayBackend> display;
    std::unique_ptr<Win32WavePlayer> wave;
    std::unique_ptr<Win32MidiPlayer> midi;
    std::unique_ptr<ViewerState> state;
    BlackoutWindows blackouts;

    void Release() {
        if (window) KillTimer(window, kKeepAliveTimer);
        blackouts.Remove();
        state.reset();
        midi.reset();
        wave.reset();
        display.reset();
        sounds.Remove();
    }
};

ViewerProcess& Process() {
    static ViewerProcess process;
    return process;
}

// Chooses the back-end by the screen: DirectDraw on 16- and 24-bit screens when
// ddraw.dll loads and the show is on the primary alone, GDI otherwise.
std::unique_ptr<DisplayBackend> OpenDisplayBackend(HWND window, const ScreenFacts& screen, const SaverScreens& plan,
                                                   QuitSink& quit) {
    HMODULE ddraw = LoadLibraryA("ddraw.dll");
    if (ChooseDisplayBackEnd(screen.bitsPerPixel, ddraw != nullptr, plan.directDrawAllowed) ==
        DisplayBackEnd::DirectDraw)
        return std::make_unique<DirectDrawDisplay>(ddraw, window, quit);
    if (ddraw) FreeLibrary(ddraw);
    return std::make_unique<GdiDisplay>(window, plan.views);
}

// Puts the saver window where the plan says (the library made it cover every monitor).
void PlaceSaverWindow(HWND window, const SaverScreens& plan) {
    RECT now;
    GetWindowRect(window, &now);
    if (Rect{now.left, now.top, now.right, now.bottom} != plan.window)
        SetWindowPos(window, nullptr, plan.window.left, plan.window.top, plan.window.Width(), plan.window.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

int DisplayRefreshHz() {
    HDC screen = GetDC(nullptr);
    int hz = screen ? GetDeviceCaps(screen, VREFRESH) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return hz;
}

void DrawBuiltInPicture(HDC target, int width, int height) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_BITMAP_PREVIEW), IMAGE_BITMAP, 0, 0, 0));
    if (!picture) return;
    if (HDC memoryDc = CreateCompatibleDC(target)) {
        BITMAP size{};
        GetObjectA(picture, sizeof size, &size);
        HGDIOBJ previous = SelectObject(memoryDc, picture);
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, width, height, memoryDc, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(memoryDc, previous);
        DeleteDC(memoryDc);
    }
    DeleteObject(picture);
}

// The preview form: the project's banner, or the built-in picture.
void DrawPreview(ViewerProcess& process, HWND window, HDC target) {
    RECT area;
    GetClientRect(window, &area);
    std::unique_ptr<GXDrawingSurface> banner =
        process.state ? process.state->PreviewPicture(area.right, area.bottom) : nullptr;
    DibInfo info;
    if (banner && DescribeDib(*banner, info)) {
        DrawPictureRect(target, 0, 0, *banner, info, Rect{0, 0, banner->Width(), banner->Height()});
    } else {
        DrawBuiltInPicture(target, area.right, area.bottom);
    }
}

LRESULT StartUp(HWND window) {
    ViewerProcess& process = Process();
    process.created = true;
    process.window = window;
    bool fullRun = __argc >= 2 && std::string_view(__argv[1]).size() >= 2 && !IsPreviewArgument(__argv[1]);
    Platform platform;
    platform.screen = MeasureScreen();
    SaverScreens screens;
    if (fullRun) {
        screens = PlanSaverScreens(ListMonitors(), ReadMonitorOption());
        PlaceSaverWindow(window, screens);
        platform.screen.width = screens.showWidth;
        platform.screen.height = screens.showHeight;
        process.desktop.Cover(screens.capture);
        process.display = OpenDisplayBackend(window, platform.screen, screens, process.quit);
        process.wave = std::make_unique<Win32WavePlayer>(process.sounds, process.quit);
        process.midi = std::make_unique<Win32MidiPlayer>(process.sounds, process.quit);
    }
    platform.display = process.display.get();
    platform.wave = process.wave.get();
    platform.midi = process.midi.get();
    platform.profile = &process.profile;
    platform.clock = &process.clock;
    platform.desktop = &process.desktop;
    platform.input = &process.input;
    platform.reports = &process.reports;
    platform.quit = &process.quit;
    platform.trace = &process.trace;
    process.state = std::make_unique<ViewerState>(platform, CreateModeSprite);
    ViewerState& state = *process.state;
    state.Trace("Viewer claims started");
    if (__argc < 2 || std::string_view(__argv[1]).size() < 2) {
        process.quit.QuitWithCode(0);
        return 0;
    }
    state.Trace("Cmd Line follows:");
    for (int i = 0; i < __argc; ++i) state.Trace(__argv[i]);
    process.isPreview = IsPreviewArgument(__argv[1]);
    state.isPreview = process.isPreview;
    if (!state.Initialise(ProjectPathFor(__argv[0]))) {
        process.quit.QuitWithCode(0);
        return 0;
    }
    if (!process.isPreview) {
        // Shown only now: the desktop capture above must not see the saver's windows.
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        process.blackouts.Cover(window, screens.blackouts);
        if (!state.StartShow()) return 0;
        SetTimer(window, kKeepAliveTimer, 1, nullptr);
    }
    PostMessageA(window, kRunMessage, 0, 0);
    return 0;
}

// Drains the queue between frames; ends after a close request for the window
// has been dispatched or once the end of the program has been asked for.
LRESULT RunLoop(HWND window) {
    ViewerProcess& process = Process();
    FrameWait pacer(DisplayRefreshHz());
    for (;;) {
        MSG message;
        // Every message of the thread: the MIDI player's notification window
        // needs its end-of-play messages too. A quit goes back for the outer loop.
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return 0;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (message.message == WM_CLOSE && message.hwnd == window) return 0;
        }
        if (process.quit.Posted()) return 0;
        if (!process.state || process.isPreview) {
            WaitMessage();
            continue;
        }
        if (process.state->quitRequested) {
            KillTimer(window, kKeepAliveTimer);
            PostMessageA(window, WM_CLOSE, 0, 0);
            continue;
        }
        if (pacer.WaitForFrame()) process.state->Tick();
    }
}

[[noreturn]] void ShutDown() {
    ViewerProcess& process = Process();
    process.Release();
    ExitProcess(static_cast<UINT>(process.quit.Code()));
}

}  // namespace
}  // namespace orb

extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    orb::ViewerProcess& process = orb::Process();
    switch (message) {
        case WM_CREATE:
            return orb::StartUp(window);
        case WM_ERASEBKGND:
            if (process.state && process.isPreview) {
                orb::DrawPreview(process, window, reinterpret_cast<HDC>(wParam));
                return 0;
            }
            break;
        case orb::kRunMessage:
            return orb::RunLoop(window);
        case WM_DESTROY:
            if (process.created) orb::ShutDown();
            break;
        default:
            break;
    }
    return DefScreenSaverProc(window, message, wParam, lParam);
}
