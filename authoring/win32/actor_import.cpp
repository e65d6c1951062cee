// "&Add": runs the actor import file dialog and turns the chosen files into
// actors at the end of the list.
#include <windows.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "authoring/model/actor_import.h"
#include "authoring/win32/actor_file_dialog.h"
#include "authoring/win32/avi_clip.h"
#include "authoring/win32/profile_settings.h"
#include "authoring/win32/progress_dialog.h"
#include "authoring/win32/project_dialog.h"
#include "authoring/win32/report_box.h"
#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "resources/orbellan/orbellan_resources.h"
#include "win32/shared/file_dialog.h"

namespace orb {
namespace {

constexpr char kImportFilter[] =
    "Actor Files (*.act)\0*.act\0AVI Files (*.avi)\0*.avi\0BMP Files (*.bmp)\0*.bmp\0"
    "JPG - JPEG - JFIF Compliant (*.jpg)\0*.jpg\0PCX - Zsoft Paintbrush (*.pcx)\0*.pcx\0"
    "PNG - Portable Network Graphics (*.png)\0*.png\0Truevision Targa (*.tga)\0*.tga\0"
    "GIF - Graphics Interchange Format, still or animated (*.gif)\0*.gif\0All Files (*.*)\0*.*\0";
constexpr char kActorFilter[] = "Orbellan Actors (*.act)\0*.act\0All Files (*.*)\0*.*\0";
constexpr std::size_t kSelectionBytes = 16384;

std::string UpperExtension(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t slash = path.find_last_of('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

// One string: one path; several: a folder, then names in it.
std::vector<std::string> SplitSelection(const char* buffer) {
    std::vector<std::string> parts;
    for (const char* p = buffer; *p; p += std::strlen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::vector<std::string> paths;
    std::string folder = parts[0];
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + "\\" + parts[i]);
    return paths;
}

// Where Build Actor writes an actor whose own NAME.ACT cannot be made.
std::optional<std::string> ChooseActorFilePath(HWND owner, const std::string& target) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, target.c_str(), sizeof path);
    FileDialogRequest request;
    request.owner = owner;
    request.filter = kActorFilter;
    request.flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    if (!RunFileDialog(FileDialogKind::Save, request, path)) return std::nullopt;
    return std::string(path);
}

}  // namespace

ActorPathChooser ProjectDialog::ActorFileChooser() const {
    HWND owner = dialog_;
    return [owner](const std::string& target) { return ChooseActorFilePath(owner, target); };
}

void ProjectDialog::ImportAviClips(const std::vector<std::string>& paths) {
    ReportBoxSink sink;
    for (const std::string& path : paths) {
        if (FindByName(actors_, path)) {
            ReportInformation("This object has already been loaded", path);
            return;
        }
        AviClip clip;
        int frames = 0, width = 0, height = 0;
        if (!ReadAviClip(clip, path, 0, nullptr, AviRead::Information, dialog_)) return;
        if (!RunAviImportDialog(dialog_, clip, frames, width, height)) return;
        FrameList read;
        if (!ReadAviClip(clip, path, frames, &read, AviRead::Import, dialog_)) return;  // this clip is discarded
        std::size_t first = actors_.size();
        for (auto& frame : read) actors_.push_back(std::move(frame));
        RelinkFrames(actors_);
        if (loadAsActor_) {
            NumberAsOneActor(actors_, first, actors_.size());
            actors_[first]->name = path;
        } else {
            for (std::size_t i = first; i < actors_.size(); ++i) NumberAsOneActor(actors_, i, i + 1);
        }
        for (std::size_t i = first; i < actors_.size(); ++i) {
            GXDrawingSurface& frame = *actors_[i];
            frame.ConvertTo24(Program::Authoring, sink);
            frame.PaintTransparent(0xFFFFFF, 0xA0A0A0);
            frame.Scale(width, height, sink);
        }
        for (std::size_t i = first; i < actors_.size(); ++i) GiveDefaultTransparency(*actors_[i]);
        if (loadAsActor_ && buildActor_) BuildActorFile(*actors_[first], sink, ActorFileChooser());
    }
    project_.DropActorsBeyondLimit(sink);
}

void ProjectDialog::AddActors() {
    std::vector<char> selection(kSelectionBytes, '\0');
    ActorFileDialog options;
    options.preview = previewImport_;
    options.loadAsActor = loadAsActor_;
    options.buildActor = buildActor_;
    std::string folder = importPath_;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::size_t slash = folder.find_last_of('\\');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    }
    int type = FileTypeNumber(importPath_);
    FileDialogRequest request;
    request.owner = dialog_;
    request.title = "Import ScreenSaver Actors";
    request.filter = kImportFilter;
    request.filterIndex = type ? type : 3;
    request.initialFolder = folder.empty() ? nullptr : folder.c_str();
    request.flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
    request.childTemplate = ORB_DLG_IMPORT_CHILD;
    request.hook = ActorFileDialogHook;
    request.hookData = reinterpret_cast<LPARAM>(&options);
    bool chosen = RunFileDialog(FileDialogKind::Open, request, selection) && selection[0] != '\0';
    previewImport_ = options.preview;
    loadAsActor_ = options.loadAsActor;
    buildActor_ = options.buildActor;
    // A name typed by hand, never selected in the dialog, imports nothing.
    if (!chosen || options.kind == SelectedKind::None) return;

    importPath_ = selection.data();
    WriteSetting(kDirectoriesSection, kOpenPathKey, importPath_);
    std::vector<std::string> paths = SplitSelection(selection.data());
    std::string extension = UpperExtension(paths.front());
    bool sameType = extension.size() == 3;
    for (const std::string& path : paths) sameType = sameType && UpperExtension(path) == extension;
    if (!sameType) {
        ShowBox(dialog_, "Mixed file type selections are not allowed", "Info", MB_OK | MB_ICONINFORMATION);
        return;
    }
    ReportBoxSink sink;
    if (IsPictureType(extension) || extension == "ACT") {
        ProgressDialog progress(dialog_, "Loading", static_cast<int>(paths.size()));
        ImportOptions options{loadAsActor_, buildActor_};
        options.beforeFile = [&progress](const std::string& path) { progress.Step(path); };
        options.chooseActorPath = ActorFileChooser();
        ImportActors(paths, options, project_, sink);
    } else if (extension == "AVI") {
        ImportAviClips(paths);
    } else {
        ReportError("Orbellan does not support this file format", paths.front());
        return;
    }
    RebuildThumbnails();
}

}  // namespace orb
