#include "authoring/win32/actor_file_dialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include "authoring/import/image_file.h"
#include "authoring/import/picture_alpha.h"
#include "authoring/model/actor_import.h"
#include "authoring/model/picture_reader.h"
#include "authoring/win32/avi_clip.h"
#include "authoring/win32/gdi_drawing.h"
#include "common/formats/actor_file.h"
#include "resources/orbellan/orbellan_resources.h"

namespace orb {
namespace {

constexpr UINT_PTR kPreviewTimer = 1;
constexpr UINT kFolderSettled = WM_APP + 1;
constexpr std::uint32_t kPreviewGrey = 0x808080;
constexpr int kBorder = 2;

ActorFileDialog* StateOf(HWND child) {
    return reinterpret_cast<ActorFileDialog*>(GetWindowLongPtrA(child, DWLP_USER));
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The selected file: the folder on show joined with the first name of the
// selection (several chosen names come quoted).
std::string SelectedPath(HWND box) {
    char typedName[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (SendMessageA(box, CDM_GETSPEC, sizeof typedName, reinterpret_cast<LPARAM>(typedName)) <= 0 || !typedName[0]) return {};
    std::string name = typedName;
    if (name.front() == '"') {
        std::size_t close = name.find('"', 1);
        name = name.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    if (name.empty()) return {};
    if (name.front() == '\\' || (name.size() > 1 && name[1] == ':')) return name;
    if (SendMessageA(box, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) <= 0) return name;
    std::string joined = folder;
    if (!joined.empty() && joined.back() != '\\') joined += '\\';
    return joined + name;
}

void RedrawBox(HWND child) { InvalidateRect(GetDlgItem(child, IDC_PREVIEW_BOX), nullptr, FALSE); }

void StopTimer(HWND child, ActorFileDialog& state) {
    KillTimer(child, kPreviewTimer);
    state.animating = false;
}

// No picture, and the two lines hidden and emptied.
void ClearPreview(HWND child, ActorFileDialog& state) {
    StopTimer(child, state);
    FreeList(state.frames);
    state.shown = 0;
    state.tooLarge = false;
    for (int id : {IDC_IMPORT_NAME, IDC_IMPORT_SIZE}) {
        SetDlgItemTextA(child, id, "");
        ShowWindow(GetDlgItem(child, id), SW_HIDE);
    }
    EnableWindow(GetDlgItem(GetParent(child), IDOK), TRUE);
    RedrawBox(child);
}

// The lines under the picture; a file too large to be an actor shows its size in
// red and cannot be opened.
void ShowPreviewLines(HWND child, ActorFileDialog& state) {
    char size[64];
    std::snprintf(size, sizeof size, "%ldx%ld\n", static_cast<long>(state.width), static_cast<long>(state.height));
    std::size_t slash = state.path.find_last_of("\\/");
    SetDlgItemTextA(child, IDC_IMPORT_NAME, state.path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    SetDlgItemTextA(child, IDC_IMPORT_SIZE, size);
    for (int id : {IDC_IMPORT_NAME, IDC_IMPORT_SIZE}) ShowWindow(GetDlgItem(child, id), SW_SHOW);
    state.tooLarge = state.width > kMaxImportSide || state.height > kMaxImportSide;
    EnableWindow(GetDlgItem(GetParent(child), IDOK), !state.tooLarge);
    InvalidateRect(GetDlgItem(child, IDC_IMPORT_SIZE), nullptr, TRUE);
    RedrawBox(child);
}

// Takes the first frame's size and shows the preview; false when nothing was read.
bool ShowFrames(HWND child, ActorFileDialog& state) {
    if (state.frames.empty() || state.frames.front()->Width() <= 0 || state.frames.front()->Height() <= 0)
        return false;
    NullReportSink quiet;
    state.depth = state.frames.front()->Depth();
    for (auto& frame : state.frames) frame->ConvertTo24(Program::Authoring, quiet);
    state.width = state.frames.front()->Width();
    state.height = state.frames.front()->Height();
    state.shown = 0;
    ShowPreviewLines(child, state);
    return true;
}

bool AppendPreviewFrame(ActorFileDialog& state, const PackedImage& image) {
    auto frame = std::make_unique<GXDrawingSurface>();
    if (!frame->FromPackedDib(image.bytes, state.path)) return false;
    state.frames.push_back(std::move(frame));
    return true;
}

// A picture, shown on white where it is transparent; a GIF with every frame of its
// animation.
bool ReadStillImage(ActorFileDialog& state) {
    if (Upper(PathExtension(state.path)) == "GIF") {
        std::vector<PackedImage> images;
        if (!ReadImageFrames(state.path, images)) return false;
        for (PackedImage& image : images) {
            FlattenOverWhite(image);
            if (!AppendPreviewFrame(state, image)) return false;
        }
        return true;
    }
    std::optional<PackedImage> image;
    if (ReadPicture(state.path, ExtensionCase::Any, image) != 0 || !image) return false;
    return AppendPreviewFrame(state, *image);
}

bool ReadActorFrames(ActorFileDialog& state) {
    NullReportSink quiet;
    return static_cast<bool>(LoadActor(state.path, state.frames, Program::Authoring, quiet));
}

// The frame at min(length / 2, 8), as the clip's own picture of itself.
bool ReadClipFrame(HWND child, ActorFileDialog& state) {
    AviClip clip;
    if (!ReadAviClip(clip, state.path, 0, nullptr, AviRead::Information, child)) return false;
    return ReadAviClip(clip, state.path, std::min(clip.length / 2, 8), &state.frames, AviRead::Preview, child);
}

void OnSelectionChange(HWND child, ActorFileDialog& state) {
    RedrawBox(child);
    std::string path = SelectedPath(GetParent(child));
    if (state.folderChanged || path.empty()) {
        StopTimer(child, state);
        FreeList(state.frames);
        state.folderChanged = false;
        return;
    }
    StopTimer(child, state);
    FreeList(state.frames);
    state.path = path;
    DWORD attributes = GetFileAttributesA(path.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    std::string extension = Upper(PathExtension(path));
    bool still = IsPictureType(extension);
    bool animated = extension == "ACT" || extension == "AVI";
    if (!still && !animated) return ClearPreview(child, state);
    state.kind = still ? SelectedKind::StillImage : SelectedKind::ActorOrClip;
    // Without a preview nothing is shown, so nothing is too large to open either.
    if (!state.preview) return ClearPreview(child, state);
    bool read = exists && (still ? ReadStillImage(state)
                           : extension == "ACT" ? ReadActorFrames(state)
                                                : ReadClipFrame(child, state));
    if (!read || !ShowFrames(child, state)) return ClearPreview(child, state);
    if (animated || state.frames.size() > 1) {
        SetTimer(child, kPreviewTimer, 100, nullptr);
        state.animating = true;
    }
}

void DrawPreview(const ActorFileDialog& state, const DRAWITEMSTRUCT& item) {
    RECT area = item.rcItem;
    FillSolid(item.hDC, area, GetSysColor(COLOR_BTNFACE));
    InflateRect(&area, -kBorder, -kBorder);
    FillSolid(item.hDC, area, kPreviewGrey);
    if (state.frames.empty()) return;
    GXDrawingSurface shown = *state.frames[std::min(state.shown, state.frames.size() - 1)];
    int width = 0, height = 0;
    FitInside(shown.Width(), shown.Height(), area.right - area.left, area.bottom - area.top, width, height);
    if (width <= 0 || height <= 0) return;
    NullReportSink quiet;
    shown.Scale(width, height, quiet);
    DrawSurface(item.hDC, shown, area.left + (area.right - area.left - width) / 2,
                area.top + (area.bottom - area.top - height) / 2);
}

void OnOption(HWND child, ActorFileDialog& state, int id) {
    bool checked = IsDlgButtonChecked(child, id) == BST_CHECKED;
    switch (id) {
    case IDC_IMPORT_PREVIEW:
        state.preview = checked;
        OnSelectionChange(child, state);
        break;
    case IDC_LOAD_AS_ACTOR:
        state.loadAsActor = checked;
        if (!checked) {
            CheckDlgButton(child, IDC_BUILD_ACTOR, BST_UNCHECKED);
            state.buildActor = false;
        }
        EnableWindow(GetDlgItem(child, IDC_BUILD_ACTOR), checked);
        break;
    case IDC_BUILD_ACTOR: state.buildActor = checked; break;
    default: break;
    }
}

}  // namespace

UINT_PTR CALLBACK ActorFileDialogHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<ActorFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        CheckDlgButton(child, IDC_IMPORT_PREVIEW, state->preview ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(child, IDC_LOAD_AS_ACTOR, state->loadAsActor ? BST_CHECKED : BST_UNCHECKED);
        if (!state->loadAsActor) state->buildActor = false;
        CheckDlgButton(child, IDC_BUILD_ACTOR, state->buildActor ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(child, IDC_BUILD_ACTOR), state->loadAsActor);
        SetDlgItemTextA(child, IDC_IMPORT_NAME, "");
        SetDlgItemTextA(child, IDC_IMPORT_SIZE, "");
        return TRUE;
    }
    ActorFileDialog* state = StateOf(child);
    if (!state) return FALSE;
    switch (message) {
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (notice->hdr.code == CDN_SELCHANGE) {
            OnSelectionChange(child, *state);
        } else if (notice->hdr.code == CDN_FOLDERCHANGE) {
            // The selection notices of the change itself arrive before this post;
            // the user's next choice in the new folder is previewed again.
            state->folderChanged = true;
            SendMessageA(GetParent(child), CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(""));
            SendMessageA(GetParent(child), CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(""));
            PostMessageA(child, kFolderSettled, 0, 0);
        }
        return FALSE;
    }
    case kFolderSettled: state->folderChanged = false; return TRUE;
    case WM_TIMER:
        if (wParam != kPreviewTimer || state->frames.empty()) return FALSE;
        state->shown = (state->shown + 1) % state->frames.size();
        RedrawBox(child);
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != IDC_PREVIEW_BOX) return FALSE;
        DrawPreview(*state, *item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_IMPORT_SIZE) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wParam), state->tooLarge ? RGB(255, 0, 0) : RGB(0, 0, 0));
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<UINT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnOption(child, *state, LOWORD(wParam));
        return FALSE;
    case WM_DESTROY: StopTimer(child, *state); return FALSE;
    default: return FALSE;
    }
}

}  // namespace orb
