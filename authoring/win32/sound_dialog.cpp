#include "authoring/win32/sound_dialog.h"

#include <commdlg.h>

#include <array>
#include <cctype>

#include "resources/orbellan/orbellan_resources.h"
#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

constexpr char kMusicFilter[] = "Midi Files (*.mid)\0*.mid\0Wave Files (*.wav)\0*.wav\0All Files (*.*)\0*.*\0";
constexpr char kWaveFilter[] = "Wave Files (*.wav)\0*.wav\0All Files (*.*)\0*.*\0";

struct SoundRow {
    int edit, browse;
    const char* title;
    const char* filter;
    const char* extension;
};
constexpr std::array<SoundRow, 4> kRows = {{
    {IDC_MUSIC_PATH, IDC_MUSIC_BROWSE, "Select Midi or Wave Backing Track", kMusicFilter, "mid"},
    {IDC_BOUNCE_PATH, IDC_BOUNCE_BROWSE, "Select Bounce Sound", kWaveFilter, "wav"},
    {IDC_CREATE_PATH, IDC_CREATE_BROWSE, "Select Create Sprite Sound", kWaveFilter, "wav"},
    {IDC_DESTROY_PATH, IDC_DESTROY_BROWSE, "Select Destroy Sprite Sound", kWaveFilter, "wav"},
}};

struct SoundState {
    SoundChoice edited;
    std::string* Path(int row) {
        std::string* paths[] = {&edited.musicPath, &edited.bounceSoundPath, &edited.createSoundPath,
                                &edited.destroySoundPath};
        return paths[row];
    }
};

// The file dialog's "Loop Sound" box: shown for the music, disabled otherwise.
struct LoopState {
    bool loop = false;
    bool allowed = false;
};

UINT_PTR CALLBACK SoundFileHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* loop = reinterpret_cast<LoopState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(loop));
        CheckDlgButton(child, IDC_LOOP_SOUND, loop->allowed && loop->loop ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(child, IDC_LOOP_SOUND), loop->allowed);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_LOOP_SOUND && HIWORD(wParam) == BN_CLICKED) {
        auto* loop = reinterpret_cast<LoopState*>(GetWindowLongPtrA(child, DWLP_USER));
        if (loop) loop->loop = IsDlgButtonChecked(child, IDC_LOOP_SOUND) == BST_CHECKED;
    }
    return FALSE;
}

void UpdateEffectRows(HWND dialog, const std::string& musicPath) {
    BOOL enable = IsWavePath(musicPath) ? FALSE : TRUE;
    for (std::size_t row = 1; row < kRows.size(); ++row) {
        EnableWindow(GetDlgItem(dialog, kRows[row].edit), enable);
        EnableWindow(GetDlgItem(dialog, kRows[row].browse), enable);
    }
}

void Browse(HWND dialog, SoundState& state, int row) {
    char path[256] = {};
    lstrcpynA(path, state.Path(row)->c_str(), sizeof path);
    LoopState loop{state.edited.loopMusic, row == 0};
    FileDialogRequest request;
    request.owner = dialog;
    request.title = kRows[row].title;
    request.filter = kRows[row].filter;
    request.defaultExtension = kRows[row].extension;
    request.flags = OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT;
    request.childTemplate = ORB_DLG_SOUND_FILE_CHILD;
    request.hook = SoundFileHook;
    request.hookData = reinterpret_cast<LPARAM>(&loop);
    if (!RunFileDialog(FileDialogKind::Open, request, path)) return;
    *state.Path(row) = path;
    SetDlgItemTextA(dialog, kRows[row].edit, path);
    if (row == 0) state.edited.loopMusic = loop.loop;
}

INT_PTR CALLBACK SoundProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SoundState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<SoundState*>(lParam);
        for (std::size_t row = 0; row < kRows.size(); ++row) {
            std::string path = *state->Path(static_cast<int>(row));  // setting the text re-enters EN_CHANGE
            SetDlgItemTextA(dialog, kRows[row].edit, path.c_str());
        }
        UpdateEffectRows(dialog, state->edited.musicPath);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            if (code == BN_CLICKED || lParam == 0) EndDialog(dialog, id);
            return TRUE;
        }
        if (!state) return FALSE;
        for (std::size_t row = 0; row < kRows.size(); ++row) {
            if (id == kRows[row].edit && code == EN_CHANGE) {
                char text[256] = {};
                GetDlgItemTextA(dialog, id, text, sizeof text);
                *state->Path(static_cast<int>(row)) = text;
                if (row == 0) UpdateEffectRows(dialog, text);
                return TRUE;
            }
            if (id == kRows[row].browse && code == BN_CLICKED) {
                Browse(dialog, *state, static_cast<int>(row));
                return TRUE;
            }
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

bool IsWavePath(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == "WAV";
}

bool RunSoundDialog(HWND owner, SoundChoice& choice) {
    SoundState state{choice};
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORB_DLG_SOUND), owner, SoundProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return false;
    choice = state.edited;
    return true;
}

}  // namespace orb
