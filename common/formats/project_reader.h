// Reading project files, plain or compressed, the way each program does.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/archive/progress.h"
#include "common/formats/project_file.h"
#include "common/imaging/drawing_surface.h"
#include "common/report.h"

namespace orb {

// Free space in kilobytes on the volume holding `folder`; nothing when unknown.
using FreeSpaceProbe = std::function<std::optional<std::int64_t>(const std::filesystem::path& folder)>;
std::optional<std::int64_t> FreeKilobytes(const std::filesystem::path& folder);

// No real project comes near this; a larger appended size is a damaged file.
inline constexpr std::int32_t kMaxProjectBytes = 512 * 1024 * 1024;

struct ProjectFileRead {
    ProjectCheck check = ProjectCheck::Ok;
    ProjectFile project;
    bool compressed = false;
};

// Reads the file at `path`. A compressed project (it starts with "PK") is unpacked
// first: into the project's folder, or into the user's temporary folder when that
// folder is not writable, after checking the receiving folder has room for the
// appended size plus 100000 bytes; the unpacked "ORBxxx.apj" is removed again in
// every case. A failed check is reported in the program's words, with `path`,
// except BadBackgroundKind, which LoadAuthoringProject reports after naming the
// resources that were not embedded.
ProjectFileRead ReadProjectFile(const std::filesystem::path& path, const ProjectParseOptions& options,
                                Program program, ReportSink& sink, const FreeSpaceProbe& freeSpace = FreeKilobytes,
                                const ALProgress& progress = {});

// The viewer's project: settings, sounds, the backdrop (1024 x 768, 24 bits),
// the banner (preview only) and the actors.
struct ViewerProject {
    ProjectCheck check = ProjectCheck::Ok;
    bool compressed = false;
    ProjectFile file;  // fields as read; sounds[i].bytes hold the sound files
    FrameList pictures;  // owns the backdrop and the banner
    GXDrawingSurface* backdrop = nullptr;
    GXDrawingSurface* banner = nullptr;
    FrameList actors;
    bool actorFailed = false;  // an actor could not be read: the viewer ends with code 1
    explicit operator bool() const { return check == ProjectCheck::Ok; }
};

// Preview mode reads only up to the banner.
ViewerProject LoadViewerProject(const std::filesystem::path& path, bool preview, ReportSink& sink,
                                const FreeSpaceProbe& freeSpace = FreeKilobytes);

// The authoring program's project: paths, flags and settings (embedded sound and
// picture data discarded) and the actors.
struct AuthoringProject {
    ProjectCheck check = ProjectCheck::Ok;
    bool compressed = false;
    ProjectFile file;
    FrameList actors;
    explicit operator bool() const { return check == ProjectCheck::Ok; }
};

AuthoringProject LoadAuthoringProject(const std::filesystem::path& path, ReportSink& sink,
                                      const FreeSpaceProbe& freeSpace = FreeKilobytes,
                                      const ALProgress& progress = {});

}  // namespace orb
