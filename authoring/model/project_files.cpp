#include "project_files.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "authoring/import/image_codes.h"
#include "authoring/model/picture_reader.h"
#include "common/archive/archive.h"
#include "common/formats/project_file.h"
#include "common/formats/project_reader.h"
#include "common/io/file_io.h"

namespace orb {

namespace fs = std::filesystem;

ProjectContent ContentOf(const ProjectModel& model) {
    ProjectContent c;
    c.eraser = model.eraser;
    c.soundPaths = model.soundPaths;
    c.loopMusic = model.loopMusic;
    c.backdropPath = model.backdropPath;
    c.useBackdropImage = model.useBackdropImage;
    c.bannerPath = model.bannerPath;
    c.settings = model.settings;
    for (GXDrawingSurface* first : model.Actors()) c.actors.push_back(first);
    return c;
}

ImageReadStatus ReadPictureForProject(const std::string& path, std::vector<std::uint8_t>& bitmap) {
    std::optional<PackedImage> image;
    std::uint32_t code = ReadPicture(path, ExtensionCase::Any, image);
    if (code == kImageOk) {
        bitmap = BmpFileBytes(*image);
        return ImageReadStatus::Ok;
    }
    return IsUnrecognizedImage(code) ? ImageReadStatus::UnknownFormat : ImageReadStatus::Corrupt;
}

std::string ForceProjectExtension(const std::string& path) {
    std::size_t dot = path.rfind('.');
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ".apj";
}

bool SaveProject(const ProjectModel& model, const fs::path& path, ReportSink& sink) {
    if (!AcceptablePath(path.string(), sink)) return false;
    return WriteProject(path, ContentOf(model), sink, ReadPictureForProject);
}

bool LoadProject(const fs::path& path, ProjectModel& model, ReportSink& sink, const ALProgress& progress) {
    if (!AcceptablePath(path.string(), sink)) return false;
    AuthoringProject read = LoadAuthoringProject(path, sink, FreeKilobytes, progress);
    if (!read) return false;
    const ProjectFile& f = read.file;
    ProjectModel loaded;
    loaded.eraser = f.eraser;
    loaded.soundPaths = f.soundPaths;
    loaded.loopMusic = f.loopMusic;
    loaded.backdropPath = f.backdropPath;
    loaded.useBackdropImage = f.useBackdropImage != 0;
    loaded.bannerPath = f.bannerPath;
    loaded.settings = f.settings;
    loaded.frames = std::move(read.actors);
    RelinkFrames(loaded.frames);
    loaded.projectPath = path.string();
    loaded.compressed = read.compressed;
    model = std::move(loaded);
    return true;
}

namespace {

bool EnoughSpace(const FreeSpaceProbe& probe, const fs::path& folder, std::uintmax_t needed, ReportSink& sink) {
    std::optional<std::int64_t> available = probe ? probe(folder) : std::nullopt;
    std::uintmax_t neededKilobytes = (needed + 1023) / 1024;
    if (!available || *available < 0 || std::uintmax_t(*available) >= neededKilobytes)
        return true;  // unknown space: let the write decide
    sink.Error("There is not enough free disc space in the target folder: required " +
                   std::to_string(neededKilobytes) + "k, available " + std::to_string(*available) + "k",
               folder.string());
    return false;
}

bool AppendSize(const fs::path& archive, std::uint32_t size) {
    std::ofstream out(archive, std::ios::binary | std::ios::app);
    const char bytes[4] = {char(size), char(size >> 8), char(size >> 16), char(size >> 24)};
    out.write(bytes, 4);
    return bool(out.flush());
}

}  // namespace

bool BuildSaver(const ProjectModel& model, const BuildRequest& request, ReportSink& sink) {
    const fs::path& archive = request.archivePath;
    if (!AcceptablePath(archive.string(), sink)) return false;
    fs::path folder = archive.parent_path().empty() ? fs::path(".") : archive.parent_path();
    fs::path plain = folder / "ORBxxx.apj";
    fs::path partial = archive;
    partial += ".part";
    std::error_code ignored;
    auto cleanUp = [&] {
        fs::remove(plain, ignored);
        fs::remove(partial, ignored);
    };

    const std::vector<std::uint8_t> bytes = SerializeProject(BuildProject(ContentOf(model), sink, ReadPictureForProject));
    const std::uintmax_t size = bytes.size();
    // room for the temporary plain project and an archive no larger than it
    if (!EnoughSpace(request.freeSpace, folder, 2 * size + 100000, sink)) return false;
    if (!WriteFileAtomically(plain, bytes)) {
        sink.Error("Unable to open output project file", plain.string());
        return cleanUp(), false;
    }
    if (CompressFileToArchive(partial.string(), plain.string(), true, request.progress) < 0 ||
        !AppendSize(partial, std::uint32_t(size))) {
        sink.Error("Unable to write the compressed project", archive.string());
        return cleanUp(), false;
    }
    fs::remove(plain, ignored);
    std::error_code error;
    fs::rename(partial, archive, error);
    if (error) {
        sink.Error("Unable to write the compressed project", archive.string());
        return cleanUp(), false;
    }
    if (request.viewerSource.empty()) return true;
    fs::path saver = archive;
    saver.replace_extension(".scr");
    if (fs::equivalent(saver, request.viewerSource, ignored)) return true;
    if (!ReplaceFileWithCopy(request.viewerSource, saver, error)) {
        sink.Error("Unable to copy file " + saver.string() +
                   " : file may be in use, flagged as read-only, or source file (Orbellan.exe, Viewer.scr) may "
                   "have been deleted. From Control Panel deselect any screen savers that may be running\n");
        return false;
    }
    return true;
}

fs::path InstallFolder() {
#ifdef _WIN32
    const char* root = std::getenv("SystemRoot");
    return fs::path(root && *root ? root : "C:\\Windows") / "System32";
#else
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return fs::path(data) / "orbellan" / "savers";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "orbellan" / "savers";
#endif
}

bool ReplaceFileWithCopy(const fs::path& source, const fs::path& target, std::error_code& error) {
    fs::path partial = target;
    partial += ".part";
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(partial, target, error);
    if (!error) return true;
    std::error_code ignored;
    fs::remove(partial, ignored);
    return false;
}

bool WriteLauncher(const fs::path& launcher, const fs::path& viewer, const fs::path& project, ReportSink& sink) {
    auto quote = [](const fs::path& p) {
        std::string text = "'";
        for (char c : p.string()) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return text + "'";
    };
    std::string script = "#!/bin/sh\n# Plays an Orbellan screen saver; xscreensaver passes -root or --window-id.\nexec " +
                         quote(viewer) + " " + quote(project) + " \"$@\"\n";
    std::string why;
    if (!WriteFileAtomically(launcher, {reinterpret_cast<const std::uint8_t*>(script.data()), script.size()}, &why)) {
        sink.Error("Unable to write the launcher: " + why, launcher.string());
        return false;
    }
    std::error_code error;
    fs::permissions(launcher, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec, error);
    return !error;
}

}  // namespace orb
