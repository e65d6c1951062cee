// Saving, loading, building and installing projects, and previewing them.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "authoring/model/project_model.h"
#include "common/archive/progress.h"
#include "common/formats/project_reader.h"
#include "common/formats/project_writer.h"

namespace orb {

// What WriteProject stores for the model.
ProjectContent ContentOf(const ProjectModel& model);

// Any supported picture as the stored bitmap, for the backdrop and the banner.
ImageReadStatus ReadPictureForProject(const std::string& path, std::vector<std::uint8_t>& bitmap);

// The project path with its extension forced to ".apj": cut at the last "." and
// ".apj" appended, or ".apj" appended when the path has no "." at all.
std::string ForceProjectExtension(const std::string& path);

// Writes the plain project. The old file is replaced only by a complete new one.
bool SaveProject(const ProjectModel& model, const std::filesystem::path& path, ReportSink& sink);

// Reads a plain or compressed project into `model` (replacing what it held). On
// failure `model` is unchanged.
bool LoadProject(const std::filesystem::path& path, ProjectModel& model, ReportSink& sink,
                 const ALProgress& progress = {});

struct BuildRequest {
    std::filesystem::path archivePath;  // FOLDER/NAME.apj
    std::filesystem::path viewerSource; // the viewer copied beside it as NAME.scr; empty: none
    ALProgress progress;
    FreeSpaceProbe freeSpace = FreeKilobytes;  // asked about the archive's folder
};

// Builds the saver: the compressed project (archive holding "ORBxxx.apj", then the
// plain size as four bytes) and the viewer copy. The temporary plain project never
// survives; an old saver of the same name is replaced only when the new one is
// complete. Checks the target folder's free space first.
bool BuildSaver(const ProjectModel& model, const BuildRequest& request, ReportSink& sink);

// Where Install puts savers: on Linux $XDG_DATA_HOME/orbellan/savers (or
// ~/.local/share/orbellan/savers); on Windows the system folder.
std::filesystem::path InstallFolder();

// Copies `source` to `target` through a temporary file beside it, so a copy that is
// running (xscreensaver may be playing it) is replaced whole. On failure `target`
// is as it was.
bool ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                         std::error_code& error);

// A launcher beside an installed project, so xscreensaver (which passes -root or
// --window-id) and the user can start it by name. Linux only; false on failure.
bool WriteLauncher(const std::filesystem::path& launcher, const std::filesystem::path& viewer,
                   const std::filesystem::path& project, ReportSink& sink);

}  // namespace orb
