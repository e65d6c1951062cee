#include "viewer/win32/blackout_windows.h"

namespace orb {
namespace {

constexpr char kBlackoutClass[] = "OrbellanBlackout";

LRESULT CALLBACK BlackoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND saver = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
        // The saver judges movement by the cursor's screen position, so the
        // message's own coordinates need no translation.
        if (saver && IsWindow(saver)) PostMessageA(saver, message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterBlackoutClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kBlackoutClass, &existing)) return true;
    WNDCLASSA blackout{};
    blackout.lpfnWndProc = BlackoutProc;
    blackout.hInstance = instance;
    blackout.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    blackout.lpszClassName = kBlackoutClass;
    return RegisterClassA(&blackout) != 0;
}

}  // namespace

void BlackoutWindows::Cover(HWND saver, std::span<const Rect> areas) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (areas.empty() || !RegisterBlackoutClass(instance)) return;
    for (const Rect& area : areas) {
        HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kBlackoutClass, "",
                                      WS_POPUP, area.left, area.top, area.Width(), area.Height(), nullptr, nullptr,
                                      instance, nullptr);
        if (!window) continue;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver));
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
        windows_.push_back(window);
    }
}

void BlackoutWindows::Remove() {
    for (HWND window : windows_)
        if (IsWindow(window)) DestroyWindow(window);
    windows_.clear();
}

}  // namespace orb
