// The system's Open and Save As dialogs, set up in one place. Every dialog uses
// the Explorer look and hides the read-only box; a request names only what
// differs from one dialog to the next.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <span>

namespace orb {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    HWND owner = nullptr;
    const char* title = nullptr;             // nullptr: the system's own ("Open", "Save As")
    const char* filter = nullptr;            // description and pattern pairs, each ending in '\0'
    DWORD filterIndex = 0;                   // 1 for the first pair; 0 for the system's choice
    const char* defaultExtension = nullptr;  // added to a name typed without one
    const char* initialFolder = nullptr;     // nullptr: the system's choice
    DWORD flags = 0;                         // OFN_ flags beyond OFN_EXPLORER and OFN_HIDEREADONLY
    int childTemplate = 0;                   // dialog resource added to the box; 0 for none
    LPOFNHOOKPROC hook = nullptr;            // the child's procedure; lCustData carries hookData
    LPARAM hookData = 0;
};

// The structure the dialog is run with; `name` holds the starting name and
// receives the choice. Apart so that tests can check it without showing a box.
OPENFILENAMEA FileDialogFields(const FileDialogRequest& request, std::span<char> name);

// True when the user confirmed a choice, now in `name`.
bool RunFileDialog(FileDialogKind kind, const FileDialogRequest& request, std::span<char> name);

}  // namespace orb
