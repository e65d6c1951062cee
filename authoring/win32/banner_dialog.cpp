#include "authoring/win32/banner_dialog.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "authoring/model/picture_reader.h"
#include "authoring/win32/gdi_drawing.h"
#include "common/imaging/drawing_surface.h"
#include "resources/orbellan/orbellan_resources.h"
#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

constexpr char kBannerFilter[] =
    "BMP Files (*.bmp)\0*.bmp\0JPG - JPEG - JFIF Compliant (*.jpg)\0*.jpg\0PCX - Zsoft Paintbrush (*.pcx)\0*.pcx\0"
    "PNG - Portable Network Graphics (*.png)\0*.png\0Truevision Targa (*.tga)\0*.tga\0"
    "GIF - Graphics Interchange Format (*.gif)\0*.gif\0All Files (*.*)\0*.*\0";

struct BannerState {
    std::string path;
    std::optional<GXDrawingSurface> picture;
};

// On failure the previous picture stays and nothing is reported.
void LoadPicture(BannerState& state) {
    std::optional<PackedImage> image;
    if (ReadPicture(state.path, ExtensionCase::WhollyLowerOrUpper, image) != 0 || !image) return;
    GXDrawingSurface surface;
    NullReportSink quiet;
    if (!surface.FromPackedDib(image->bytes, "UnEmbeddedBanner") || !surface.ConvertTo24(Program::Authoring, quiet))
        return;
    state.picture = std::move(surface);
}

GXDrawingSurface DefaultPicture() {
    GXDrawingSurface surface;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(ORB_BMP_DEFAULT_BANNER), MAKEINTRESOURCEA(2));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes) {
        NullReportSink quiet;
        surface.FromPackedDib({static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found)}, "Default");
        surface.ConvertTo24(Program::Authoring, quiet);
    }
    return surface;
}

void DrawBanner(HWND dialog, const BannerState& state, const DRAWITEMSTRUCT& item) {
    SetDlgItemTextA(dialog, IDC_BANNER_PATH, state.picture ? state.path.c_str() : "Default Picture");
    FillSolid(item.hDC, item.rcItem, 0xA0A0A0);
    GXDrawingSurface shown = state.picture ? *state.picture : DefaultPicture();
    int boxWidth = item.rcItem.right - item.rcItem.left, boxHeight = item.rcItem.bottom - item.rcItem.top;
    if (shown.Width() <= 0 || shown.Height() <= 0) return;
    int width = 0, height = 0;
    FitInside(shown.Width(), shown.Height(), boxWidth, boxHeight, width, height);
    NullReportSink quiet;
    shown.Scale(width, height, quiet);
    if (GetDeviceCaps(item.hDC, BITSPIXEL) == 8) shown.ConvertTo8(Program::Authoring);
    DrawSurface(item.hDC, shown, item.rcItem.left + (boxWidth - shown.Width()) / 2,
                item.rcItem.top + (boxHeight - shown.Height()) / 2);
}

void Browse(HWND dialog, BannerState& state) {
    DWORD attributes = GetFileAttributesA(state.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::size_t slash = state.path.find_last_of('\\');
        if (slash != std::string::npos) SetCurrentDirectoryA(state.path.substr(0, slash + 1).c_str());
    }
    char path[256] = {};
    lstrcpynA(path, state.path.c_str(), sizeof path);
    FileDialogRequest request;
    request.owner = dialog;
    request.title = "Select Control Panel Banner";
    request.filter = kBannerFilter;
    request.flags = OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT;
    if (!RunFileDialog(FileDialogKind::Open, request, path)) return;
    state.path = path;
    LoadPicture(state);
    InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR CALLBACK BannerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BannerState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<BannerState*>(lParam);
        if (!state->path.empty()) LoadPicture(*state);
        InvalidateRect(dialog, nullptr, TRUE);
        return TRUE;
    }
    if (!state) return FALSE;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_PREVIEW_BOX) DrawBanner(dialog, *state, item);
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_BANNER_RESET:
        state->picture.reset();
        state->path.clear();
        InvalidateRect(dialog, nullptr, TRUE);
        return TRUE;
    case IDC_BANNER_BROWSE: Browse(dialog, *state); return TRUE;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool RunBannerDialog(HWND owner, std::string& bannerPath) {
    BannerState state{bannerPath, std::nullopt};
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_BANNER), owner, BannerProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (result == IDCANCEL) return false;
    bannerPath = state.path;
    return true;
}

}  // namespace orb
