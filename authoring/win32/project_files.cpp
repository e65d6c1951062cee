// "&Preview", "&Save" (save, build, install) and "&Load": the main dialog's file
// work over the project writer, reader and archive container.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "authoring/win32/profile_settings.h"
#include "authoring/win32/progress_dialog.h"
#include "authoring/win32/project_dialog.h"
#include "authoring/win32/report_box.h"
#include "authoring/model/project_files.h"
#include "resources/orbellan/orbellan_resources.h"
#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

constexpr char kProjectFilter[] = "Orbellan Screen Savers (*.apj)\0*.apj\0All Files (*.*)\0*.*\0";

enum class SaveChoice { None, SaveProject, Build, Install };

struct SaveDialogState {
    SaveChoice choice = SaveChoice::None;
    bool noButtonPressed = true;
    char path[MAX_PATH] = {};
};

UINT_PTR CALLBACK SaveHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND box = GetParent(child);
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<SaveDialogState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        ShowWindow(GetDlgItem(box, IDOK), SW_HIDE);
        ShowWindow(GetDlgItem(box, IDCANCEL), SW_HIDE);
        SetFocus(GetDlgItem(child, IDC_SAVE_PROJECT));
        return FALSE;
    }
    auto* state = reinterpret_cast<SaveDialogState*>(GetWindowLongPtrA(child, DWLP_USER));
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED || !state) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_SAVE_PROJECT: state->choice = SaveChoice::SaveProject; break;
    case IDC_BUILD: state->choice = SaveChoice::Build; break;
    case IDC_INSTALL: state->choice = SaveChoice::Install; break;
    case IDCANCEL: PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); return TRUE;
    default: return FALSE;
    }
    state->noButtonPressed = false;
    // The file name as typed or chosen at the moment of the press; a typed full
    // path stands as it is, a bare name lies in the folder on show.
    char typedName[MAX_PATH] = {}, folder[MAX_PATH] = {};
    SendMessageA(box, CDM_GETSPEC, sizeof typedName, reinterpret_cast<LPARAM>(typedName));
    bool full = typedName[0] == '\\' || (typedName[0] != '\0' && typedName[1] == ':');
    if (!full && SendMessageA(box, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0) {
        std::string joined = folder;
        if (!joined.empty() && joined.back() != '\\') joined += '\\';
        lstrcpynA(state->path, typedName[0] ? (joined + typedName).c_str() : "", sizeof state->path);
    } else {
        lstrcpynA(state->path, typedName, sizeof state->path);
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// Where the Control Panel looks for screen savers.
std::filesystem::path SystemFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::filesystem::path(folder) : InstallFolder();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void ProjectDialog::PreviewProject() {
    ReportBoxSink sink;
    settings_.TakeBackgroundButtons();
    SaveProject(project_, programFolder_ + "Viewer.apj", sink);
    std::string viewer = programFolder_ + "Viewer.scr";
    if (!Exists(viewer)) {
        ShowBox(nullptr,
                "Unable to find Orbellan's Screensaver viewer: screensavers cannot be previewed. Make sure the file "
                "Viewer.scr is in the same directory as Orbellan.exe",
                "Information", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Quoted, so a program folder with spaces reaches the viewer intact.
    std::string commandLine = "\"" + viewer + "\" -s";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(viewer.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS, nullptr, programFolder_.c_str(), &startup,
                        &process)) {
        ShowBox(nullptr,
                "Unable to start Orbellan's Screensaver viewer. Orbellan may be flushing intermediate files: please "
                "try again in a moment",
                "Information", MB_OK | MB_ICONINFORMATION);
        return;
    }
    WaitForInputIdle(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void ProjectDialog::SaveOrBuildProject() {
    SaveDialogState state;
    lstrcpynA(state.path, ReadSetting(kDirectoriesSection, kOpenProjectKey, "Untitled.apj").c_str(), sizeof state.path);
    char name[MAX_PATH];
    lstrcpynA(name, state.path, sizeof name);
    FileDialogRequest dialogRequest;
    dialogRequest.owner = dialog_;
    dialogRequest.filter = kProjectFilter;
    dialogRequest.defaultExtension = "apj";
    dialogRequest.flags = OFN_OVERWRITEPROMPT;
    dialogRequest.childTemplate = ORB_DLG_SAVE_CHILD;
    dialogRequest.hook = SaveHook;
    dialogRequest.hookData = reinterpret_cast<LPARAM>(&state);
    bool confirmed = RunFileDialog(FileDialogKind::Save, dialogRequest, name);
    std::string chosen;
    if (confirmed && state.noButtonPressed) {
        state.choice = SaveChoice::SaveProject;
        chosen = name;
    } else if (!state.noButtonPressed) {
        chosen = state.path;
    }
    if (state.choice == SaveChoice::None || chosen.empty()) return RedrawSlots();
    std::string path = ForceProjectExtension(chosen);
    project_.projectPath = path;
    if (state.choice != SaveChoice::Install) WriteSetting(kDirectoriesSection, kOpenProjectKey, path);
    settings_.TakeBackgroundButtons();
    ReportBoxSink sink;
    if (state.choice == SaveChoice::SaveProject) {
        SaveProject(project_, path, sink);
        return RedrawSlots();
    }
    std::string viewer = programFolder_ + "Viewer.scr";
    char message[512];
    std::snprintf(message, sizeof message,
                  "Unable to locate chosen Viewer (%s); please copy this file to your project directory", "Viewer.scr");
    if (!Exists(viewer)) {
        ReportInformation(message, viewer);
        return RedrawSlots();
    }
    std::filesystem::path archive = path;
    if (state.choice == SaveChoice::Install) archive = SystemFolder() / archive.filename();
    std::filesystem::path saver = archive;
    saver.replace_extension(".scr");
    PercentProgress progress(dialog_, "Compressing ...");
    BuildRequest request;
    request.archivePath = archive;
    // Building "Viewer" in the program folder must not copy the viewer onto itself.
    if (lstrcmpiA(saver.string().c_str(), viewer.c_str()) != 0) request.viewerSource = viewer;
    request.progress = [&progress](const std::string&, int percent) { progress(percent); };
    BuildSaver(project_, request, sink);
    progress.Close();
    RedrawSlots();
}

void ProjectDialog::LoadProjectFile() {
    char name[MAX_PATH];
    lstrcpynA(name, ReadSetting(kDirectoriesSection, kOpenProjectKey, "Untitled.apj").c_str(), sizeof name);
    FileDialogRequest request;
    request.owner = dialog_;
    request.filter = kProjectFilter;
    request.defaultExtension = "apj";
    request.flags = OFN_FILEMUSTEXIST;
    if (!RunFileDialog(FileDialogKind::Open, request, name)) return RedrawSlots();
    KillTimer(dialog_, kAnimationTimer);
    WriteSetting(kDirectoriesSection, kOpenProjectKey, name);
    ReportBoxSink sink;
    PercentProgress progress(dialog_, "Decompressing ...");
    // A project that cannot be read leaves the current one as it was.
    bool loaded = LoadProject(name, project_, sink, [&progress](const std::string&, int percent) { progress(percent); });
    progress.Close();
    if (loaded) {
        project_.projectPath = name;
        selected_ = -1;
        thumbnails_.clear();
        settings_.Show();
    }
    RebuildThumbnails();
    InvalidateRect(dialog_, nullptr, TRUE);
}

}  // namespace orb
