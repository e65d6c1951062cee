#include "authoring/win32/dialog_controls.h"

#include <commctrl.h>

#include <cstdlib>

namespace orb {

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::int32_t ItemNumber(HWND dialog, int id) {
    return static_cast<std::int32_t>(std::strtol(ItemText(dialog, id).c_str(), nullptr, 10));
}

void SetItemNumber(HWND dialog, int id, std::int32_t value) {
    SetDlgItemTextA(dialog, id, std::to_string(value).c_str());
}

void SetSliderRange(HWND dialog, int id, int low, int high) {
    SendDlgItemMessageA(dialog, id, TBM_SETRANGE, FALSE, MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high)));
}

int SliderPosition(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}

void SetSliderPosition(HWND dialog, int id, int position) {
    SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
}

void SetSpinner(HWND dialog, int id, int low, int high, int position) {
    SendDlgItemMessageA(dialog, id, UDM_SETRANGE32, low, high);
    SendDlgItemMessageA(dialog, id, UDM_SETPOS32, 0, position);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace orb
