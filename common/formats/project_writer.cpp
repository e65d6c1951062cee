#include "common/formats/project_writer.h"

#include <climits>
#include <system_error>

#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_writer.h"
#include "common/io/file_io.h"

namespace orb {

namespace fs = std::filesystem;

namespace {

const char* const kMissingSoundMessages[kSoundSlots] = {
    "The Midi backing track you have selected does not exist, so cannot be embedded in the project",
    "The Sprite-Bounce .wav you have selected does not exist, so cannot be embedded in the project",
    "The Create-Sprite .wav you have selected does not exist, so cannot be embedded in the project",
    "The Destroy-Sprite .wav you have selected does not exist, so cannot be embedded in the project",
};

// Every path the readers take is at most 255 characters.
std::string Clamp(const std::string& text) { return text.substr(0, kMaxProjectString); }

bool Exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(fs::path(path), ec);
}

bool IsRegularFileOrOther(const std::string& path) {
    std::error_code ec;
    return Exists(path) && !fs::is_directory(fs::path(path), ec);
}

SoundRecord ReadSound(const std::string& path, std::size_t which, ReportSink& sink) {
    SoundRecord sound;
    std::optional<std::vector<std::uint8_t>> bytes;
    if (IsRegularFileOrOther(path)) bytes = ReadWholeFile(fs::path(path));
    if (bytes && bytes->size() <= static_cast<std::size_t>(INT32_MAX)) {
        sound.missing = 0;
        sound.bytes = std::move(*bytes);
    } else if (!path.empty() && path.front() != ' ') {
        sink.Information(kMissingSoundMessages[which]);
    }
    return sound;
}

}  // namespace

ImageReadStatus ReadBmpForProject(const std::string& path, std::vector<std::uint8_t>& bitmap) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fs::path(path));
    if (!bytes) return ImageReadStatus::Corrupt;
    if (bytes->size() < 2 || (*bytes)[0] != 'B' || (*bytes)[1] != 'M') return ImageReadStatus::UnknownFormat;
    FrameList scratch;
    NullReportSink quiet;
    ByteReader reader(*bytes);
    const GXDrawingSurface* picture = LoadBmp(reader, scratch, path, quiet, Program::Authoring);
    if (!picture) return ImageReadStatus::Corrupt;
    ByteWriter out;
    SaveBmp(*picture, out);
    bitmap = std::move(out.bytes);
    return ImageReadStatus::Ok;
}

ProjectFile BuildProject(const ProjectContent& content, ReportSink& sink, const ProjectImageReader& readImage) {
    ProjectFile p;
    p.resourcesEmbedded = 1;
    p.eraser = content.eraser;
    for (std::size_t i = 0; i < kSoundSlots; ++i) p.soundPaths[i] = Clamp(content.soundPaths[i]);
    p.loopMusic = content.loopMusic;
    p.soundBlockPresent = 1;
    for (std::size_t i = 0; i < kSoundSlots; ++i) p.sounds[i] = ReadSound(p.soundPaths[i], i, sink);

    p.backdropPath = Clamp(content.backdropPath);
    p.useBackdropImage = content.useBackdropImage ? 1 : 0;
    if (content.useBackdropImage) {
        if (!Exists(p.backdropPath)) {
            sink.Information("The backdrop image you have selected cannot be found, so a coloured backdrop will be "
                             "used instead");
        } else {
            p.backdrop.missing = 0;
            switch (readImage(p.backdropPath, p.backdrop.bitmap)) {
            case ImageReadStatus::Ok: break;
            case ImageReadStatus::UnknownFormat:
                sink.Information("The backdrop image you have selected is not a recognized graphics format, so a "
                                 "coloured backdrop will be used instead");
                p.backdrop.unusable = 1;
                break;
            case ImageReadStatus::Corrupt:
                sink.Information("The backdrop image you have selected is corrupt, and cannot be embedded in your "
                                 "project",
                                 p.backdropPath);
                p.backdrop.unusable = 1;
                break;
            }
            if (p.backdrop.unusable) p.backdrop.bitmap.clear();
        }
    }

    p.bannerPath = Clamp(content.bannerPath);
    if (!Exists(p.bannerPath)) {
        if (p.bannerPath.size() > 1)
            sink.Information("The Control Panel Banner image you have selected does not exist, so cannot be embedded "
                             "in the project");
    } else {
        p.banner.missing = 0;
        switch (readImage(p.bannerPath, p.banner.bitmap)) {
        case ImageReadStatus::Ok: break;
        case ImageReadStatus::UnknownFormat:
            sink.Information("The Control Panel banner you have selected is not a recognized graphics format, and "
                             "cannot be embedded in your project");
            p.banner.unusable = 1;
            break;
        case ImageReadStatus::Corrupt:
            sink.Information("The Control Panel banner image you have selected is corrupt, and cannot be embedded in "
                             "your project");
            p.banner.unusable = 1;
            break;
        }
        if (p.banner.unusable) p.banner.bitmap.clear();
    }

    p.settings = content.settings;
    for (const GXDrawingSurface* first : content.actors) {
        ByteWriter actor;
        WriteActor(actor, *first);
        p.actors.push_back(std::move(actor.bytes));
    }
    return p;
}

bool WriteProject(const fs::path& path, const ProjectContent& content, ReportSink& sink,
                  const ProjectImageReader& readImage) {
    const std::vector<std::uint8_t> bytes = SerializeProject(BuildProject(content, sink, readImage));
    if (!WriteFileAtomically(path, bytes)) {
        sink.Information("Unable to open output project file", path.string());
        return false;
    }
    return true;
}

}  // namespace orb
