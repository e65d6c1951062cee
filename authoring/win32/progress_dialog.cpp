#include "authoring/win32/progress_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void PumpPaint(HWND window) {
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

ProgressDialog::ProgressDialog(HWND owner, const std::string& caption, int total) : total_(std::max(total, 0)) {
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_PROGRESS), owner,
                                 ProgressProc, 0);
    if (!window_) return;
    SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total_);
    SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
    SetDlgItemTextA(window_, IDC_PROGRESS_CAPTION, caption.c_str());
    SetDlgItemTextA(window_, IDC_PROGRESS_FILE, "");
    ShowWindow(window_, SW_SHOW);
    PumpPaint(window_);
}

ProgressDialog::~ProgressDialog() {
    if (window_) DestroyWindow(window_);
}

void ProgressDialog::Step(const std::string& text) { StepTo(count_ + 1, text); }

void ProgressDialog::StepTo(int count, const std::string& text) {
    count_ = std::clamp(count, 0, total_);
    if (!window_) return;
    SetDlgItemTextA(window_, IDC_PROGRESS_FILE, text.c_str());
    SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, count_, 0);
    PumpPaint(window_);
}

void PercentProgress::operator()(int percent) {
    if (!box_) box_ = std::make_unique<ProgressDialog>(owner_, caption_, 100);
    int shown = std::max(percent, 0);
    box_->StepTo(shown, std::to_string(shown) + "%");
    if (percent >= 100) {
        box_.reset();
    }
}

}  // namespace orb
