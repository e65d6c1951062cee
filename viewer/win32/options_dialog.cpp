// The options dialog (template 2003): an about box with the saver's options,
// sound and how to use several monitors.
#include <windows.h>
#include <scrnsave.h>

#include "resources/viewer/viewer_resources.h"
#include "viewer/win32/monitor_option.h"
#include "viewer/win32/sound_option.h"

namespace orb {
namespace {

// Stretches bitmap 102 over the picture frame.
void DrawOptionsPicture(HWND dialog) {
    HWND frame = GetDlgItem(dialog, ORB_OPTIONS_PICTURE);
    if (!frame) return;
    RECT area;
    GetWindowRect(frame, &area);
    HDC frameDc = GetDC(frame);
    if (!frameDc) return;
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_BITMAP_PREVIEW), IMAGE_BITMAP, 0, 0, 0));
    HDC memoryDc = CreateCompatibleDC(frameDc);
    if (picture && memoryDc) {
        BITMAP size{};
        GetObjectA(picture, sizeof size, &size);
        HGDIOBJ previous = SelectObject(memoryDc, picture);
        StretchBlt(frameDc, 0, 0, area.right - area.left, area.bottom - area.top, memoryDc, 0, 0, size.bmWidth,
                   size.bmHeight, SRCCOPY);
        SelectObject(memoryDc, previous);
    }
    if (memoryDc) DeleteDC(memoryDc);
    if (picture) DeleteObject(picture);
    ReleaseDC(frame, frameDc);
}

constexpr struct {
    int control;
    MonitorArrangement arrangement;
} kMonitorButtons[] = {{ORB_OPTIONS_SPAN, MonitorArrangement::Span},
                       {ORB_OPTIONS_MIRROR, MonitorArrangement::Mirror},
                       {ORB_OPTIONS_PRIMARY, MonitorArrangement::Primary}};

void ShowMonitorOption(HWND dialog, MonitorArrangement arrangement) {
    for (const auto& button : kMonitorButtons)
        if (button.arrangement == arrangement)
            CheckRadioButton(dialog, ORB_OPTIONS_SPAN, ORB_OPTIONS_PRIMARY, button.control);
}

MonitorArrangement ChosenMonitorOption(HWND dialog) {
    for (const auto& button : kMonitorButtons)
        if (IsDlgButtonChecked(dialog, button.control) == BST_CHECKED) return button.arrangement;
    return MonitorArrangement::Span;
}

}  // namespace
}  // namespace orb

extern "C" WINBOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CheckDlgButton(dialog, ORB_OPTIONS_SOUND, orb::ReadSoundOption() ? BST_CHECKED : BST_UNCHECKED);
            orb::ShowMonitorOption(dialog, orb::ReadMonitorOption());
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                orb::WriteSoundOption(IsDlgButtonChecked(dialog, ORB_OPTIONS_SOUND) == BST_CHECKED);
                orb::WriteMonitorOption(orb::ChosenMonitorOption(dialog));
                EndDialog(dialog, 1);
                return TRUE;
            }
            // The check box's own clicks, Escape and the close box only redraw the picture:
            // OK is the one way out.
            orb::DrawOptionsPicture(dialog);
            return FALSE;
        case WM_PAINT:
            orb::DrawOptionsPicture(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

// The viewer's dialog uses only standard controls.
extern "C" WINBOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }
