#include "win32/shared/file_dialog.h"

namespace orb {

OPENFILENAMEA FileDialogFields(const FileDialogRequest& request, std::span<char> name) {
    OPENFILENAMEA fields{};
    fields.lStructSize = sizeof fields;
    fields.hwndOwner = request.owner;
    fields.lpstrFilter = request.filter;
    fields.nFilterIndex = request.filterIndex;
    fields.lpstrFile = name.data();
    fields.nMaxFile = static_cast<DWORD>(name.size());
    fields.lpstrInitialDir = request.initialFolder;
    fields.lpstrTitle = request.title;
    fields.lpstrDefExt = request.defaultExtension;
    fields.Flags = request.flags | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (request.childTemplate) {
        fields.hInstance = GetModuleHandleA(nullptr);
        fields.lpTemplateName = MAKEINTRESOURCEA(request.childTemplate);
        fields.Flags |= OFN_ENABLETEMPLATE;
    }
    if (request.hook) {
        fields.lpfnHook = request.hook;
        fields.lCustData = request.hookData;
        fields.Flags |= OFN_ENABLEHOOK;
    }
    return fields;
}

bool RunFileDialog(FileDialogKind kind, const FileDialogRequest& request, std::span<char> name) {
    if (name.empty()) return false;
    OPENFILENAMEA fields = FileDialogFields(request, name);
    return (kind == FileDialogKind::Open ? GetOpenFileNameA(&fields) : GetSaveFileNameA(&fields)) != 0;
}

}  // namespace orb
