// Our screen-saver library: the process entry, the saver window and its message
// loop, and the default procedure that ends a running saver on user input. The
// program supplies ScreenSaverProc, ScreenSaverConfigureDialog and
// RegisterDialogClasses, as with the system's own library.
#include <windows.h>
#include <scrnsave.h>

#include "viewer/engine/cursor_watch.h"
#include "viewer/win32/saver_switches.h"

HINSTANCE hMainInstance = nullptr;
HWND hMainWindow = nullptr;
WINBOOL fChildPreview = FALSE;

namespace orb {
namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

CursorWatch& Cursor() {
    static CursorWatch watch;
    return watch;
}

void RequestClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// The exported procedure answers BOOL, a dialog procedure INT_PTR: on 64-bit
// Windows a cast between the two would leave the upper half of the answer undefined.
INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return ScreenSaverConfigureDialog(dialog, message, wParam, lParam);
}

int RunOptions(HWND owner) {
    if (!RegisterDialogClasses(hMainInstance)) return 1;
    INT_PTR result = DialogBoxParamA(hMainInstance, MAKEINTRESOURCEA(DLG_SCRNSAVECONFIGURE), owner,
                                     ConfigureDialogProc, 0);
    return result == -1 ? 1 : 0;
}

bool RegisterSaverClass() {
    WNDCLASSA saverClass{};
    saverClass.style = CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS | CS_PARENTDC;
    saverClass.lpfnWndProc = ScreenSaverProc;
    saverClass.hInstance = hMainInstance;
    saverClass.hIcon = LoadIconA(hMainInstance, MAKEINTRESOURCEA(ID_APP));
    saverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    saverClass.lpszClassName = kSaverClass;
    return RegisterClassA(&saverClass) != 0;
}

HWND CreateSaverWindow(const SaverSwitches& switches) {
    if (switches.run == SaverRun::Preview) {
        HWND parent = reinterpret_cast<HWND>(switches.window);
        RECT area;
        if (!IsWindow(parent) || !GetClientRect(parent, &area)) return nullptr;
        fChildPreview = TRUE;
        return CreateWindowExA(0, kSaverClass, "Preview", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               area.right, area.bottom, parent, nullptr, hMainInstance, nullptr);
    }
    // Over every monitor (the program may narrow it to one), and created hidden:
    // the program shows it once it has looked at the desktop.
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width <= 0 || height <= 0) {
        x = y = 0;
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    return CreateWindowExA(WS_EX_TOPMOST, kSaverClass, "Screen Saver", WS_POPUP, x, y, width, height, nullptr,
                           nullptr, hMainInstance, nullptr);
}

int RunSaver(const SaverSwitches& switches) {
    if (!RegisterSaverClass()) return 1;
    hMainWindow = CreateSaverWindow(switches);
    // No window (a preview parent that is gone): nothing would ever end the loop.
    if (!hMainWindow) return 1;
    int exitCode = 0;
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (got == 0) exitCode = static_cast<int>(message.wParam);
    // A quit requested while the window lives still gets the window's own shutdown.
    if (hMainWindow && IsWindow(hMainWindow)) DestroyWindow(hMainWindow);
    return exitCode;
}

}  // namespace
}  // namespace orb

extern "C" LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!fChildPreview) {
        switch (message) {
            case WM_SETCURSOR:
                SetCursor(nullptr);
                return TRUE;
            case WM_MOUSEMOVE: {
                POINT cursor;
                if (GetCursorPos(&cursor) && orb::Cursor().MovedBeyondThreshold(cursor.x, cursor.y))
                    orb::RequestClose(window);
                break;
            }
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_LBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_XBUTTONDOWN:
                orb::RequestClose(window);
                break;
            case WM_ACTIVATEAPP:
                if (!wParam) orb::RequestClose(window);
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) orb::RequestClose(window);
                break;
            case WM_SYSCOMMAND:
                // Another start of a saver, or the task switcher, must not pull us away.
                if (wParam == SC_SCREENSAVE || wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW) return 0;
                break;
            default:
                break;
        }
    }
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    hMainInstance = instance;
    orb::SaverSwitches switches = orb::ParseSaverSwitches(arguments ? arguments : "");
    switch (switches.run) {
        case orb::SaverRun::Options:
            return orb::RunOptions(GetForegroundWindow());
        case orb::SaverRun::OptionsFor:
            return orb::RunOptions(reinterpret_cast<HWND>(switches.window));
        case orb::SaverRun::FullScreen:
        case orb::SaverRun::Preview:
            return orb::RunSaver(switches);
        case orb::SaverRun::Nothing:
            break;
    }
    return 0;
}
