// Starts Orbellan.exe and checks its main dialog at the screen's DPI: the
// program is DPI aware, every visible control lies inside the dialog's client
// area, and every single-line text fits its control. Saves a screenshot.
//   dpi_layout_driver ORBELLAN_EXE SCREENSHOT.bmp   (exits with the failures)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win32/orbellan/driver_support.h"

namespace {

using namespace orb::driver;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Describe(HWND control) {
    char text[128] = {};
    GetWindowTextA(control, text, sizeof text);
    return ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\"";
}

// Width and height of one line of the control's text in its own font.
SIZE TextExtent(HWND control, const std::string& text) {
    SIZE size{};
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

// True for controls that show their text on one line: labels, check boxes,
// radio buttons and push buttons without pictures.
bool ShowsOneLineOfText(HWND control, int& reserved) {
    const std::string kind = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    reserved = 0;
    if (kind == "Static") {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP;
    }
    if (kind == "Button") {
        if (style & (BS_BITMAP | BS_ICON | BS_MULTILINE)) return false;
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX || type == BS_OWNERDRAW) return false;
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                         type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        // The box or circle and the gap beside it take about one line height.
        if (box) reserved = GetSystemMetrics(SM_CXMENUCHECK) + 4;
        return true;
    }
    return false;
}

struct Children {
    std::vector<HWND> list;
};

BOOL CALLBACK AddChild(HWND child, LPARAM children) {
    auto& all = reinterpret_cast<Children*>(children)->list;
    // Direct children only: controls inside other controls are laid out by them.
    if (GetParent(child) == GetAncestor(child, GA_ROOT)) all.push_back(child);
    return TRUE;
}

void CheckLayout(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Children children;
    EnumChildWindows(dialog, AddChild, reinterpret_cast<LPARAM>(&children));
    Check(!children.list.empty(), "the main dialog has controls");
    int checked = 0;
    for (HWND control : children.list) {
        if (!IsWindowVisible(control)) continue;
        RECT r;
        GetWindowRect(control, &r);
        const std::string name = Describe(control);
        Check(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom,
              name + " lies inside the dialog (" + std::to_string(r.left - client.left) + "," +
                  std::to_string(r.top - client.top) + " to " + std::to_string(r.right - client.left) + "," +
                  std::to_string(r.bottom - client.top) + " in " + std::to_string(client.right - client.left) + "x" +
                  std::to_string(client.bottom - client.top) + ")");
        int reserved = 0;
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        if (text[0] != '\0' && ShowsOneLineOfText(control, reserved)) {
            RECT inside;
            GetClientRect(control, &inside);
            std::string shown = text;
            for (std::size_t amp; (amp = shown.find('&')) != std::string::npos;) shown.erase(amp, 1);
            const SIZE extent = TextExtent(control, shown);
            // Labels that wrap onto several lines have the height for them.
            const int lines = extent.cy > 0 ? (inside.bottom - inside.top) / extent.cy : 1;
            const int room = (inside.right - inside.left - reserved) * (lines > 1 ? lines : 1);
            Check(extent.cx <= room, name + " shows its whole text (" + std::to_string(extent.cx) + " pixels in " +
                                         std::to_string(room) + ")");
        }
        ++checked;
    }
    std::printf("%d visible controls checked in a %ldx%ld client area\n", checked, client.right - client.left,
                client.bottom - client.top);
}

// DPI_AWARENESS of the program's window, where this Windows can tell: -1 unknown.
int AwarenessOf(HWND window) {
    HMODULE user = GetModuleHandleA("user32.dll");
    using GetContext = HANDLE(WINAPI*)(HWND);
    using GetAwareness = int(WINAPI*)(HANDLE);
    // Through void*: the entry points' real types differ from FARPROC's.
    auto context = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetWindowDpiAwarenessContext")));
    auto awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    return context && awareness ? awareness(context(window)) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: dpi_layout_driver ORBELLAN_EXE SCREENSHOT.bmp\n");
        return 2;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    std::printf("screen at %d DPI\n", dpi);
    Started started;
    if (!StartOrbellan(WindowsPath(argv[1]), "", started)) return 1;
    const int awareness = AwarenessOf(started.dialog);
    std::printf("the program's DPI awareness: %d (0 unaware, 1 system, 2 per monitor)\n", awareness);
    Check(awareness != 0, "the program is DPI aware");
    RECT frame;
    GetWindowRect(started.dialog, &frame);
    std::printf("main dialog %ldx%ld at %ld,%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left,
                frame.top);
    CheckLayout(started.dialog);
    SaveScreenshot(started.dialog, WindowsPath(argv[2]));
    CloseOrbellan(started);
    return FinishDriver();
}
