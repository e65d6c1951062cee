#include "authoring/win32/modify_actor_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "authoring/model/modify_actor.h"
#include "authoring/win32/gdi_drawing.h"
#include "authoring/win32/report_box.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

constexpr COLORREF kSurround = 0xC8C8C8;
constexpr std::uint32_t kTransparentGrey = 0xA0A0A0;

struct ModifyState {
    GXDrawingSurface* actor = nullptr;
    ModifyActorSwitches* switches = nullptr;
    GXDrawingSurface preview;  // the first frame scaled to the preview control
    std::uint32_t firstPixel = 0;  // of the preview copy, blue in the low byte
    ColourKey key;
    bool flipHorizontal = false, flipVertical = false;
    bool quickRotation = true, alignToPath = false;
    int initialAngle = 0;
    bool initialising = true, updatingEdit = false, tracking = false;
};

int AnglePosition(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ANGLE_SLIDER, TBM_GETPOS, 0, 0));
}

void DrawPreview(HWND dialog, ModifyState& state) {
    HWND control = GetDlgItem(dialog, IDC_MODIFY_PREVIEW);
    RECT area;
    GetClientRect(control, &area);
    HDC dc = GetDC(control);
    FillSolid(dc, area, kSurround);
    GXDrawingSurface shown = state.preview;
    NullReportSink quiet;
    int d = RotationBetween(state.initialAngle, AnglePosition(dialog));
    shown.Rotate(d, Program::Authoring);
    int width = 0, height = 0;
    FitInside(shown.Width(), shown.Height(), area.right, area.bottom, width, height);
    shown.Scale(width, height, quiet);
    shown.key = state.key;
    if (state.flipHorizontal) shown.FlipHorizontal(Program::Authoring, quiet);
    if (state.flipVertical) shown.FlipVertical(Program::Authoring, quiet);
    shown.PaintTransparent(state.key.tolerance > 0 ? state.firstPixel : 0xFFFFFF, kTransparentGrey);
    DrawSurface(dc, shown, (area.right - shown.Width()) / 2, (area.bottom - shown.Height()) / 2);
    ReleaseDC(control, dc);
}

// Every row runs from key - tolerance to key + tolerance in all three channels.
void DrawSwatch(HWND dialog, const ModifyState& state) {
    HWND control = GetDlgItem(dialog, IDC_MODIFY_SWATCH);
    RECT area;
    GetClientRect(control, &area);
    if (area.right <= 0 || area.bottom <= 0) return;
    GXDrawingSurface swatch;
    swatch.Create(24, area.right, area.bottom);
    double step = 2.0 * state.key.tolerance / area.right;
    for (int row = 0; row < swatch.Height(); ++row) {
        std::span<std::uint8_t> pixels = swatch.Row(row);
        for (int x = 0; x < swatch.Width() && static_cast<std::size_t>(x * 3 + 2) < pixels.size(); ++x) {
            int offset = static_cast<int>(x * step) - state.key.tolerance;
            pixels[x * 3] = static_cast<std::uint8_t>(std::clamp(state.key.blue + offset, 0, 255));
            pixels[x * 3 + 1] = static_cast<std::uint8_t>(std::clamp(state.key.green + offset, 0, 255));
            pixels[x * 3 + 2] = static_cast<std::uint8_t>(std::clamp(state.key.red + offset, 0, 255));
        }
    }
    HDC dc = GetDC(control);
    DrawSurface(dc, swatch, 0, 0);
    ReleaseDC(control, dc);
}

void Initialise(HWND dialog, ModifyState& state) {
    GXDrawingSurface& first = *state.actor;
    state.key = first.key;
    if (state.key.tolerance == 0) state.key.tolerance = 1;
    state.quickRotation = state.switches->quickRotation;
    state.alignToPath = state.switches->alignToPath;
    state.preview = first;
    RECT area = ClientArea(dialog, IDC_MODIFY_PREVIEW);
    int width = 0, height = 0;
    FitInside(first.Width(), first.Height(), area.right, area.bottom, width, height);
    NullReportSink quiet;
    state.preview.Scale(width, height, quiet);
    if (state.preview.pixels.size() >= 3)
        state.firstPixel = state.preview.pixels[0] | state.preview.pixels[1] << 8 | state.preview.pixels[2] << 16;
    HWND tolerance = GetDlgItem(dialog, IDC_TOLERANCE);
    SetScrollRange(tolerance, SB_CTL, 0, 256, FALSE);
    SetScrollPos(tolerance, SB_CTL, state.key.tolerance, TRUE);
    CheckDlgButton(dialog, IDC_QUICK_ROTATION, state.quickRotation ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ALIGN_TO_PATH, state.alignToPath ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_ANGLE_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 360));
    SendDlgItemMessageA(dialog, IDC_ANGLE_SLIDER, TBM_SETPOS, TRUE, first.storedAngle);
    state.initialAngle = first.storedAngle;
    state.updatingEdit = true;
    SetDlgItemTextA(dialog, IDC_ANGLE, std::to_string(first.storedAngle).c_str());
    state.updatingEdit = false;
    state.initialising = false;
    InvalidateRect(dialog, nullptr, TRUE);
}

void OnHorizontalScroll(HWND dialog, ModifyState& state, HWND control, int code, int position) {
    if (control == GetDlgItem(dialog, IDC_TOLERANCE)) {
        if (code == SB_LINELEFT && state.key.tolerance >= 1) --state.key.tolerance;
        else if (code == SB_LINERIGHT && state.key.tolerance < 255) ++state.key.tolerance;
        else if (code == SB_THUMBTRACK) state.key.tolerance = position;
        else return;
        SetScrollPos(control, SB_CTL, state.key.tolerance, TRUE);
    } else if (control == GetDlgItem(dialog, IDC_ANGLE_SLIDER)) {
        state.updatingEdit = true;
        SetDlgItemTextA(dialog, IDC_ANGLE, std::to_string(AnglePosition(dialog)).c_str());
        state.updatingEdit = false;
    } else {
        return;
    }
    DrawSwatch(dialog, state);
    DrawPreview(dialog, state);
}

void Pick(HWND dialog, ModifyState& state, POINT point) {
    HWND control = GetDlgItem(dialog, IDC_MODIFY_PREVIEW);
    MapWindowPoints(dialog, control, &point, 1);
    HDC dc = GetDC(control);
    COLORREF colour = GetPixel(dc, point.x, point.y);
    ReleaseDC(control, dc);
    if (colour == CLR_INVALID || colour == kSurround) return;
    state.key.red = GetRValue(colour);
    state.key.green = GetGValue(colour);
    state.key.blue = GetBValue(colour);
    DrawSwatch(dialog, state);
    DrawPreview(dialog, state);
}

bool InsidePreview(HWND dialog, POINT point) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, IDC_MODIFY_PREVIEW), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    return PtInRect(&area, point) != 0;
}

void Apply(HWND dialog, ModifyState& state) {
    ActorChange change;
    change.flipHorizontal = state.flipHorizontal;
    change.flipVertical = state.flipVertical;
    change.angle = AnglePosition(dialog);
    change.key = state.key;
    ReportBoxSink sink;
    ModifyActor(*state.actor, change, sink);
    state.switches->quickRotation = state.quickRotation;
    state.switches->alignToPath = state.alignToPath;
}

INT_PTR CALLBACK ModifyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<ModifyState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Initialise(dialog, *reinterpret_cast<ModifyState*>(lParam));
        return TRUE;
    }
    if (!state) return FALSE;
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDC_FLIP_HORIZONTAL || id == IDC_FLIP_VERTICAL) {
            if (code != BN_CLICKED || state->initialising) return TRUE;
            bool& flip = id == IDC_FLIP_HORIZONTAL ? state->flipHorizontal : state->flipVertical;
            flip = !flip;
            DrawPreview(dialog, *state);
        } else if (id == IDC_QUICK_ROTATION && code == BN_CLICKED) {
            state->quickRotation = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        } else if (id == IDC_ALIGN_TO_PATH && code == BN_CLICKED) {
            state->alignToPath = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        } else if (id == IDC_ANGLE && code == EN_CHANGE && !state->updatingEdit) {
            char text[32] = {};
            GetDlgItemTextA(dialog, IDC_ANGLE, text, sizeof text);
            SendDlgItemMessageA(dialog, IDC_ANGLE_SLIDER, TBM_SETPOS, TRUE, std::strtol(text, nullptr, 10));
            DrawPreview(dialog, *state);
        } else if (id == IDC_ANGLE && code == EN_KILLFOCUS) {
            char text[32] = {};
            GetDlgItemTextA(dialog, IDC_ANGLE, text, sizeof text);
            long value = std::strtol(text, nullptr, 10), fixed = std::clamp(value, 0L, 360L);
            if (fixed != value) SetDlgItemTextA(dialog, IDC_ANGLE, std::to_string(fixed).c_str());
        } else if (id == IDOK && code == BN_CLICKED) {
            Apply(dialog, *state);
            EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    case WM_HSCROLL:
        OnHorizontalScroll(dialog, *state, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                           static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_MOUSEMOVE: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        state->tracking = true;
        if (InsidePreview(dialog, point)) {
            SetCapture(dialog);
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS)));
        } else if (GetCapture() == dialog) {
            ReleaseCapture();
        }
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        if (state->tracking) {
            POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (InsidePreview(dialog, point)) Pick(dialog, *state, point);
        }
        return TRUE;
    case WM_DRAWITEM: {
        UINT id = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlID;
        if (id == IDC_MODIFY_PREVIEW) DrawPreview(dialog, *state);
        else if (id == IDC_MODIFY_SWATCH) DrawSwatch(dialog, *state);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

bool RunModifyActorDialog(HWND owner, GXDrawingSurface& first, ModifyActorSwitches& switches) {
    ModifyState state;
    state.actor = &first;
    state.switches = &switches;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_MODIFY_ACTOR), owner, ModifyProc,
                           reinterpret_cast<LPARAM>(&state)) == IDOK;
}

}  // namespace orb
