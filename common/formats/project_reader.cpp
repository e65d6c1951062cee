#include "common/formats/project_reader.h"

#include <cstdio>
#include <system_error>

#include "common/archive/archive.h"
#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_reader.h"
#include "common/io/file_io.h"

namespace orb {

namespace fs = std::filesystem;

namespace {

// Removes the unpacked project when the read is over, however it ended.
class RemoveOnExit {
public:
    explicit RemoveOnExit(fs::path path) : path_(std::move(path)) {}
    ~RemoveOnExit() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;

private:
    fs::path path_;
};

bool FolderIsWritable(const fs::path& folder) {
    const fs::path probe = folder / "ORBxxx.apj.probe~";
    std::FILE* file = std::fopen(probe.string().c_str(), "wb");
    if (!file) return false;
    std::fclose(file);
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

bool StartsWithPk(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == 'K';
}

ProjectCheck Fail(ProjectCheck check, Program program, const fs::path& path, ReportSink& sink) {
    // The authoring loader names what was not embedded before it gives up on the kind.
    if (check != ProjectCheck::BadBackgroundKind) ReportProjectCheck(check, program, path.string(), sink);
    return check;
}

// Unpacks the compressed project at `path` and reads it.
ProjectCheck ReadCompressed(const fs::path& path, std::span<const std::uint8_t> bytes,
                            const ProjectParseOptions& options, Program program, ReportSink& sink,
                            const FreeSpaceProbe& freeSpace, const ALProgress& progress, ProjectFile& project) {
    ByteReader tail(bytes, bytes.size() >= 4 ? bytes.size() - 4 : bytes.size());
    std::int32_t size = 0;
    if (!tail.ReadI32(size) || size < 0 || size > kMaxProjectBytes)
        return Fail(ProjectCheck::BadAppendedSize, program, path, sink);

    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    if (!FolderIsWritable(folder)) {
        std::error_code ec;
        folder = fs::temp_directory_path(ec);
        if (ec) return Fail(ProjectCheck::CannotOpen, program, path, sink);
    }
    const std::int64_t required = (std::int64_t(size) + 100000) / 1024;
    if (std::optional<std::int64_t> available = freeSpace ? freeSpace(folder) : std::nullopt;
        available && *available < required) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "There is not enough free disc space to load/decompress your selected Orbellan Screensaver: "
                      "required: %ldk; available: %ldk\n",
                      static_cast<long>(size / 1024), static_cast<long>(*available));
        sink.Notice(text);
        return ProjectCheck::NotEnoughSpace;
    }

    int count = 0, status = 0;
    std::unique_ptr<ArchiveDirectory> listing = ReadArchiveDirectory(path.string(), count, status);
    // Only what our writer makes: one member, the plain project. Anything else
    // could drop files (say, a new Viewer.scr) beside the saver.
    if (!listing || count != 1 || listing->entries[0].name != kPackedProjectName)
        return Fail(ProjectCheck::BadArchive, program, path, sink);
    const fs::path unpacked = folder / std::string(kPackedProjectName);
    RemoveOnExit cleanup(unpacked);
    if (ExtractAll(*listing, folder, false, progress) != 1) return Fail(ProjectCheck::BadArchive, program, path, sink);
    FreeArchiveDirectory(listing);

    std::optional<std::vector<std::uint8_t>> plain = ReadWholeFile(unpacked);
    if (!plain) return Fail(ProjectCheck::CannotOpen, program, path, sink);
    ProjectCheck check = ParseProject(*plain, project, options);
    return check == ProjectCheck::Ok ? check : Fail(check, program, path, sink);
}

// Reads the actor entries into `actors` with the duplicate-name rule; false when
// an actor could not be read (it is then left out).
bool ReadActors(const ProjectFile& file, Program program, ReportSink& sink, FrameList& actors) {
    bool allRead = true;
    for (const std::vector<std::uint8_t>& entry : file.actors) {
        FrameList scratch;
        ActorReadResult result;
        std::string name;
        const bool embedded = file.resourcesEmbedded == 1;
        if (embedded) {
            ByteReader reader(entry);
            result = ReadActor(reader, scratch, program, sink);
            name = result.name;
        } else {
            name.assign(entry.begin(), entry.end());
            name = name.substr(0, name.find('\0'));
            result = LoadActor(fs::path(name), scratch, program, sink);
        }
        if (!result) {
            allRead = false;
            continue;
        }
        if (FindByName(actors, name)) {
            if (embedded) sink.Information("Actor has already been loaded", name);
            else sink.Information("Actor " + name + " has already been loaded", name);
            continue;
        }
        if (scratch.empty()) continue;
        scratch.front()->name = name;
        if (!actors.empty()) actors.back()->nextFrame = scratch.front().get();
        for (auto& frame : scratch) actors.push_back(std::move(frame));
    }
    return allRead;
}

GXDrawingSurface* DecodePicture(const ImageRecord& image, FrameList& pictures, ReportSink& sink) {
    if (image.missing != 0 || image.unusable != 0 || image.bitmap.empty()) return nullptr;
    ByteReader reader(image.bitmap);
    return LoadBmp(reader, pictures, "EmbeddedBackdropResource", sink, Program::Viewer);
}

}  // namespace

std::optional<std::int64_t> FreeKilobytes(const fs::path& folder) {
    std::error_code ec;
    fs::space_info space = fs::space(folder, ec);
    if (ec) return std::nullopt;
    return static_cast<std::int64_t>(space.available / 1024);
}

ProjectFileRead ReadProjectFile(const fs::path& path, const ProjectParseOptions& options, Program program,
                                ReportSink& sink, const FreeSpaceProbe& freeSpace, const ALProgress& progress) {
    ProjectFileRead read;
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        read.check = Fail(ProjectCheck::CannotOpen, program, path, sink);
        return read;
    }
    if (StartsWithPk(*bytes)) {
        read.compressed = true;
        read.check = ReadCompressed(path, *bytes, options, program, sink, freeSpace, progress, read.project);
        return read;
    }
    read.check = ParseProject(*bytes, read.project, options);
    if (read.check != ProjectCheck::Ok) Fail(read.check, program, path, sink);
    return read;
}

ViewerProject LoadViewerProject(const fs::path& path, bool preview, ReportSink& sink, const FreeSpaceProbe& freeSpace) {
    ViewerProject v;
    ProjectParseOptions options;
    options.previewOnly = preview;
    ProjectFileRead read = ReadProjectFile(path, options, Program::Viewer, sink, freeSpace);
    v.check = read.check;
    v.compressed = read.compressed;
    v.file = std::move(read.project);
    if (!v) return v;
    ProjectFile& f = v.file;
    const bool embedded = f.resourcesEmbedded == 1;
    if (!embedded && f.soundBlockPresent != 0) {
        for (std::size_t i = 0; i < kSoundSlots; ++i) {
            std::error_code ec;
            const fs::path file(f.soundPaths[i]);
            if (f.sounds[i].missing != 0 || f.soundPaths[i].empty() || !fs::exists(file, ec) ||
                fs::is_directory(file, ec))
                continue;
            if (std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file)) f.sounds[i].bytes = *bytes;
        }
    }
    if (embedded && f.useBackdropImage != 0) {
        if ((v.backdrop = DecodePicture(f.backdrop, v.pictures, sink))) {
            v.backdrop->Scale(1024, 768, sink);
            v.backdrop->ConvertTo24(Program::Viewer, sink);
        }
    }
    if (preview) {
        if (embedded) v.banner = DecodePicture(f.banner, v.pictures, sink);
        return v;
    }
    v.actorFailed = !ReadActors(f, Program::Viewer, sink, v.actors);
    return v;
}

AuthoringProject LoadAuthoringProject(const fs::path& path, ReportSink& sink, const FreeSpaceProbe& freeSpace,
                                      const ALProgress& progress) {
    static const char* const kNotEmbedded[kSoundSlots] = {
        "Midi backing music has not been embedded in this project, since the .mid path specified was invalid",
        "Bouncing sound effects have not been embedded in this project, since the .wav path specified was invalid",
        "Create Sprite sound effects have not been embedded in this project, since the .wav path specified was "
        "invalid",
        "Destroy Sprite sound effects have not been embedded in this project, since the .wav path specified was "
        "invalid",
    };
    AuthoringProject a;
    ProjectParseOptions options;
    options.checkBackgroundKind = true;
    ProjectFileRead read = ReadProjectFile(path, options, Program::Authoring, sink, freeSpace, progress);
    a.check = read.check;
    a.compressed = read.compressed;
    a.file = std::move(read.project);
    if (a.check != ProjectCheck::Ok && a.check != ProjectCheck::BadBackgroundKind) return a;

    ProjectFile& f = a.file;
    const bool embedded = f.resourcesEmbedded == 1;
    if (embedded && f.soundBlockPresent != 0) {
        for (std::size_t i = 0; i < kSoundSlots; ++i) {
            const std::string& p = f.soundPaths[i];
            if (f.sounds[i].missing != 0 && !p.empty() && p.front() != ' ') sink.Information(kNotEmbedded[i]);
        }
    }
    if (embedded && f.useBackdropImage != 0 && f.backdrop.missing != 0)
        sink.Information("A backdrop image has not been embedded in this project, since the image path specified was "
                         "invalid");
    for (SoundRecord& sound : f.sounds) sound.bytes.clear();
    f.backdrop.bitmap.clear();
    f.banner.bitmap.clear();
    if (a.check != ProjectCheck::Ok) {
        ReportProjectCheck(a.check, Program::Authoring, path.string(), sink);
        return a;
    }
    ReadActors(f, Program::Authoring, sink, a.actors);
    return a;
}

}  // namespace orb
