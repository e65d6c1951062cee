// The actor import file dialog: the system's explorer-style open dialog extended
// by template 104 with a live preview of the selected file, its name and size,
// and the three import options.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "common/imaging/drawing_surface.h"

namespace orb {

// Files wider or taller than this cannot be opened while their preview is shown.
inline constexpr std::int32_t kMaxImportSide = 480;

enum class SelectedKind { None = 0, StillImage = 1, ActorOrClip = 4 };

struct ActorFileDialog {
    bool preview = true, loadAsActor = true, buildActor = false;
    // The last supported file selected; nothing is imported while it is None.
    SelectedKind kind = SelectedKind::None;
    bool folderChanged = false;
    FrameList frames;  // the preview's frames
    std::size_t shown = 0;
    std::int32_t width = 0, height = 0, depth = 0;
    bool animating = false;
    bool tooLarge = false;
    std::string path;  // the file on preview
};

// The hook procedure; OPENFILENAMEA::lCustData points at an ActorFileDialog.
UINT_PTR CALLBACK ActorFileDialogHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orb
