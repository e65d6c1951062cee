#include "authoring/win32/about_dialog.h"

#include <shellapi.h>

#include "authoring/win32/gdi_drawing.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        RECT area;
        GetWindowRect(dialog, &area);
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (area.right - area.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (area.bottom - area.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_LOGO) DrawBitmapResource(item.hDC, item.rcItem, ORB_BMP_LOGO);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void RunAboutDialog(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_ABOUT), owner, AboutProc, 0);
}

void OpenHelp(HWND owner, const std::string& programFolder) {
    std::string page = programFolder + "Orbellan.html";
    ShellExecuteA(owner, "open", page.c_str(), nullptr, programFolder.c_str(), SW_SHOWNORMAL);
}

}  // namespace orb
