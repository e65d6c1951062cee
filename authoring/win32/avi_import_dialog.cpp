// The "Import AVI Actor" dialog: how many frames to sample and at what size.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "authoring/win32/avi_clip.h"
#include "authoring/win32/dialog_controls.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

struct AviChoice {
    const AviClip* clip;
    int frames = 0, width = 0, height = 0;
};

INT_PTR CALLBACK AviProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* choice = reinterpret_cast<AviChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        choice = reinterpret_cast<AviChoice*>(lParam);
        const AviClip& clip = *choice->clip;
        SetSpinner(dialog, IDC_AVI_FRAMES_SPIN, 1, std::max(clip.length, 1), std::min(clip.length, 12));
        SetSpinner(dialog, IDC_AVI_WIDTH_SPIN, 1, std::max(clip.width, 1), std::min(clip.width, 100));
        SetSpinner(dialog, IDC_AVI_HEIGHT_SPIN, 1, std::max(clip.height, 1), std::min(clip.height, 100));
        SetDlgItemTextA(dialog, IDC_AVI_FRAMES, std::to_string(std::min(clip.length, 12)).c_str());
        SetDlgItemTextA(dialog, IDC_AVI_WIDTH, std::to_string(std::min(clip.width, 100)).c_str());
        SetDlgItemTextA(dialog, IDC_AVI_HEIGHT, std::to_string(std::min(clip.height, 100)).c_str());
        SetDlgItemTextA(dialog, IDC_AVI_NAME, clip.path.c_str());
        char text[64];
        std::snprintf(text, sizeof text, "%ldx%ld\n", static_cast<long>(clip.width), static_cast<long>(clip.height));
        SetDlgItemTextA(dialog, IDC_AVI_DIMENSIONS, text);
        SetDlgItemTextA(dialog, IDC_AVI_LENGTH, std::to_string(clip.length).c_str());
        SetDlgItemTextA(dialog, IDC_AVI_RATE, std::to_string(clip.frameRate).c_str());
        SetDlgItemTextA(dialog, IDC_AVI_DURATION, (std::to_string(clip.duration) + "s").c_str());
        return TRUE;
    }
    if (message != WM_COMMAND || !choice) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        // Out-of-range values are brought back into the clip's own limits.
        choice->frames = std::clamp(ItemNumber(dialog, IDC_AVI_FRAMES), 1, std::max(choice->clip->length, 1));
        choice->width = std::clamp(ItemNumber(dialog, IDC_AVI_WIDTH), 1, std::max(choice->clip->width, 1));
        choice->height = std::clamp(ItemNumber(dialog, IDC_AVI_HEIGHT), 1, std::max(choice->clip->height, 1));
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool RunAviImportDialog(HWND owner, const AviClip& clip, int& frames, int& width, int& height) {
    AviChoice choice{&clip};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_AVI_IMPORT), owner, AviProc,
                        reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return false;
    frames = choice.frames;
    width = choice.width;
    height = choice.height;
    return true;
}

}  // namespace orb
