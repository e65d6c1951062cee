// ScreenSaverProc: start-up at window creation, the paced run loop, the preview
// picture, and the shutdown that releases the show and ends the process with
// the exit code asked for.
#include <windows.h>
#include <scrnsave.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "resources/viewer/viewer_resources.h"
#include "viewer/win32/frame_pacer.h"
#include "viewer/win32/message_box.h"
#include "viewer/win32/temp_sound_folder.h"
#include "viewer/win32/viewer_paths.h"

namespace orb {
namespace {

constexpr UINT kRunMessage = WM_USER + 1;
constexpr char kStartupError[] = "Errors occurred while loading the screensaver file: program will terminate";

// Everything the viewer process keeps between messages.
struct ViewerProcess {
    bool created = false;
    bool isPreview = false;
    bool quitPosted = false;
    int exitCode = 0;
    std::string projectPath;
    MessageBoxReports reports;
    TempSoundFolder sounds;
};

ViewerProcess& Process() {
    static ViewerProcess process;
    return process;
}

// The first code asked for is the one the process ends with.
void QuitWithCode(int code) {
    ViewerProcess& process = Process();
    if (!process.quitPosted) {
        process.quitPosted = true;
        process.exitCode = code;
    }
    PostQuitMessage(code);
}

bool QuitPending() {
    MSG message;
    return Process().quitPosted || PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

int DisplayRefreshHz() {
    HDC screen = GetDC(nullptr);
    int hz = screen ? GetDeviceCaps(screen, VREFRESH) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return hz;
}

void DrawBuiltInPicture(HWND window, HDC target) {
    RECT area;
    GetClientRect(window, &area);
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_BITMAP_PREVIEW), IMAGE_BITMAP, 0, 0, 0));
    if (!picture) return;
    HDC memoryDc = CreateCompatibleDC(target);
    if (memoryDc) {
        BITMAP size{};
        GetObjectA(picture, sizeof size, &size);
        HGDIOBJ previous = SelectObject(memoryDc, picture);
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, area.right, area.bottom, memoryDc, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(memoryDc, previous);
        DeleteDC(memoryDc);
    }
    DeleteObject(picture);
}

bool Initialise(ViewerProcess& process) {
    FILE* project = std::fopen(process.projectPath.c_str(), "rb");
    if (!project) {
        process.reports.Error(kStartupError);
        return false;
    }
    std::fclose(project);
    return true;
}

LRESULT StartUp(HWND window) {
    ViewerProcess& process = Process();
    process.created = true;
    if (__argc < 2 || std::string_view(__argv[1]).size() < 2) {
        QuitWithCode(0);
        return 0;
    }
    process.isPreview = IsPreviewArgument(__argv[1]);
    process.projectPath = ProjectPathFor(__argv[0]);
    if (!Initialise(process)) {
        QuitWithCode(0);
        return 0;
    }
    if (!process.isPreview) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    PostMessageA(window, kRunMessage, 0, 0);
    return 0;
}

// Drains this window's messages between frames; ends after a close request
// has been dispatched or when a quit has been asked for.
LRESULT RunLoop(HWND window) {
    ViewerProcess& process = Process();
    FramePacer pacer(DisplayRefreshHz());
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (message.message == WM_CLOSE) return 0;
        }
        if (QuitPending()) return 0;
        if (process.isPreview) {
            WaitMessage();
            continue;
        }
        if (!pacer.WaitForFrame()) continue;
    }
}

[[noreturn]] void ShutDown() {
    ViewerProcess& process = Process();
    process.sounds.Remove();
    ExitProcess(static_cast<UINT>(process.exitCode));
}

}  // namespace
}  // namespace orb

extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    orb::ViewerProcess& process = orb::Process();
    switch (message) {
        case WM_CREATE:
            return orb::StartUp(window);
        case WM_ERASEBKGND:
            if (process.created && process.isPreview) {
                orb::DrawBuiltInPicture(window, reinterpret_cast<HDC>(wParam));
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
