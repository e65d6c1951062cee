#include "common/formats/project_file.h"

#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"

namespace orb {

namespace {

void WriteString(ByteWriter& w, const std::string& text) {
    w.I32(static_cast<std::int32_t>(text.size()));
    w.Text(text);
}

void WriteImage(ByteWriter& w, const ImageRecord& image, bool embedded) {
    w.I32(image.missing);
    if (image.missing != 0 || !embedded) return;
    w.I32(image.unusable);
    if (image.unusable == 0) w.Bytes(image.bitmap);
}

// Every read below goes through these, so a short file is a clean failure.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : r_(bytes) {}

    ProjectCheck I32(std::int32_t& v) { return r_.ReadI32(v) ? ProjectCheck::Ok : ProjectCheck::Truncated; }
    ProjectCheck String(std::string& text) {
        std::int32_t count = 0;
        if (!r_.ReadI32(count)) return ProjectCheck::Truncated;
        if (count < 0 || count > kMaxProjectString) return ProjectCheck::StringTooLong;
        std::span<const std::uint8_t> bytes;
        if (!r_.ReadSpan(static_cast<std::size_t>(count), bytes)) return ProjectCheck::Truncated;
        text.assign(bytes.begin(), bytes.end());
        return ProjectCheck::Ok;
    }
    // A byte count and that many bytes.
    ProjectCheck Block(std::vector<std::uint8_t>& out, std::size_t limit = SIZE_MAX) {
        std::int32_t count = 0;
        if (!r_.ReadI32(count)) return ProjectCheck::Truncated;
        if (count < 0 || static_cast<std::size_t>(count) > r_.Remaining()) return ProjectCheck::BadSize;
        if (static_cast<std::size_t>(count) > limit) return ProjectCheck::StringTooLong;
        std::span<const std::uint8_t> bytes;
        r_.ReadSpan(static_cast<std::size_t>(count), bytes);
        out.assign(bytes.begin(), bytes.end());
        return ProjectCheck::Ok;
    }
    // One complete BMP, measured by its own headers: it ends where the bitmap
    // reader stops, image size bytes after its pixel offset (which may leave a gap
    // after the palette).
    bool Bitmap(std::span<const std::uint8_t>& out) {
        const std::size_t start = r_.Position();
        std::uint16_t type = 0, bitCount = 0;
        std::uint32_t pixelOffset = 0, infoSize = 0, coloursUsed = 0, imageSize = 0;
        if (!r_.ReadU16(type) || type != kBitmapType || !r_.Skip(8) || !r_.ReadU32(pixelOffset) ||
            !r_.ReadU32(infoSize) || infoSize != kInfoHeaderBytes || !r_.Skip(10) ||
            !r_.ReadU16(bitCount) || !r_.Skip(4) || !r_.ReadU32(imageSize) || !r_.Skip(8) ||
            !r_.ReadU32(coloursUsed) || !r_.Skip(4))
            return false;
        std::uint64_t entries = 0;
        if (bitCount <= 8) entries = coloursUsed ? coloursUsed : (1u << bitCount);
        if (entries > 256) return false;
        // Pixels inside the headers or the palette are no bitmap.
        if (pixelOffset < kFileHeaderBytes + kInfoHeaderBytes + 4 * entries) return false;
        const std::uint64_t end = std::uint64_t(start) + pixelOffset + imageSize;
        if (end > r_.Size() || !r_.Seek(static_cast<std::size_t>(end))) return false;
        out = r_.Bytes().subspan(start, r_.Position() - start);
        return true;
    }
    // One actor record, measured by its own counts; its checks are the actor reader's.
    bool Actor(std::span<const std::uint8_t>& out) {
        const std::size_t start = r_.Position();
        std::int32_t frameCount = 0, nameCount = 0;
        if (!r_.Skip(6) || !r_.ReadI32(frameCount) || !r_.Skip(24) || !r_.ReadI32(nameCount) || nameCount < 0 ||
            !r_.Skip(static_cast<std::size_t>(nameCount)))
            return false;
        // A frame needs at least its name count and the two bitmap headers.
        if (frameCount < 0 || static_cast<std::size_t>(frameCount) > r_.Remaining() / (4 + 54)) return false;
        for (std::int32_t i = 0; i < frameCount; ++i) {
            std::span<const std::uint8_t> bitmap;
            if (!r_.ReadI32(nameCount) || nameCount < 0 || !r_.Skip(static_cast<std::size_t>(nameCount)) ||
                !Bitmap(bitmap))
                return false;
        }
        out = r_.Bytes().subspan(start, r_.Position() - start);
        return true;
    }
    ProjectCheck Image(ImageRecord& image, bool embedded) {
        image = ImageRecord{};
        if (ProjectCheck c = I32(image.missing); c != ProjectCheck::Ok) return c;
        if (image.missing != 0 || !embedded) return ProjectCheck::Ok;
        if (ProjectCheck c = I32(image.unusable); c != ProjectCheck::Ok) return c;
        if (image.unusable != 0) return ProjectCheck::Ok;
        std::span<const std::uint8_t> bitmap;
        if (!Bitmap(bitmap)) return ProjectCheck::BadImage;
        image.bitmap.assign(bitmap.begin(), bitmap.end());
        return ProjectCheck::Ok;
    }
    std::size_t Remaining() const { return r_.Remaining(); }
    ByteReader& Raw() { return r_; }

private:
    ByteReader r_;
};

#define ORB_READ(expr)                                  \
    do {                                                \
        if (ProjectCheck c_ = (expr); c_ != ProjectCheck::Ok) return c_; \
    } while (0)

}  // namespace

std::vector<std::uint8_t> SerializeProject(const ProjectFile& p) {
    ByteWriter w;
    w.U16(p.magic);
    w.U16(p.formatVersion);
    w.U16(p.fileKind);
    w.I32(p.resourcesEmbedded);
    w.I32(p.eraser);
    for (const std::string& path : p.soundPaths) WriteString(w, path);
    w.I32(p.loopMusic);
    w.I32(p.soundBlockPresent);
    const bool embedded = p.resourcesEmbedded == 1;
    if (p.soundBlockPresent != 0) {
        for (const SoundRecord& sound : p.sounds) {
            w.I32(sound.missing);
            if (sound.missing != 0 || !embedded) continue;
            w.I32(static_cast<std::int32_t>(sound.bytes.size()));
            w.Bytes(sound.bytes);
        }
    }
    WriteString(w, p.backdropPath);
    w.I32(p.useBackdropImage);
    if (p.useBackdropImage != 0) WriteImage(w, p.backdrop, embedded);
    WriteString(w, p.bannerPath);
    WriteImage(w, p.banner, embedded);
    for (const SettingEntry& setting : kSettingTable) w.I32(p.settings.*setting.field);
    w.I32(static_cast<std::int32_t>(p.actors.size()));
    for (const std::vector<std::uint8_t>& actor : p.actors) {
        if (!embedded) w.I32(static_cast<std::int32_t>(actor.size()));
        w.Bytes(actor);
    }
    return std::move(w.bytes);
}

ProjectCheck ParseProject(std::span<const std::uint8_t> bytes, ProjectFile& p, const ProjectParseOptions& options) {
    p = ProjectFile{};
    FieldReader f(bytes);
    ByteReader& r = f.Raw();
    if (!r.ReadU16(p.magic) || p.magic != kProjectMagic) return ProjectCheck::NotOrbellan;
    if (!r.ReadU16(p.formatVersion)) return ProjectCheck::Truncated;
    if (static_cast<std::int16_t>(p.formatVersion) > kProjectFormatVersion) return ProjectCheck::LaterVersion;
    if (!r.ReadU16(p.fileKind)) return ProjectCheck::Truncated;
    if (p.fileKind != kProjectFileKind) return ProjectCheck::NotProject;

    ORB_READ(f.I32(p.resourcesEmbedded));
    ORB_READ(f.I32(p.eraser));
    for (std::string& path : p.soundPaths) ORB_READ(f.String(path));
    ORB_READ(f.I32(p.loopMusic));
    ORB_READ(f.I32(p.soundBlockPresent));
    const bool embedded = p.resourcesEmbedded == 1;
    if (p.soundBlockPresent != 0) {
        for (SoundRecord& sound : p.sounds) {
            ORB_READ(f.I32(sound.missing));
            if (sound.missing == 0 && embedded) ORB_READ(f.Block(sound.bytes));
        }
    }
    ORB_READ(f.String(p.backdropPath));
    ORB_READ(f.I32(p.useBackdropImage));
    if (p.useBackdropImage != 0) ORB_READ(f.Image(p.backdrop, embedded));
    ORB_READ(f.String(p.bannerPath));
    ORB_READ(f.Image(p.banner, embedded));
    if (options.previewOnly) return ProjectCheck::Ok;

    for (const SettingEntry& setting : kSettingTable) ORB_READ(f.I32(p.settings.*setting.field));
    if (options.checkBackgroundKind && !SettingInRange(kBackgroundKind, p.settings.backgroundKind))
        return ProjectCheck::BadBackgroundKind;

    std::int32_t actorCount = 0;
    ORB_READ(f.I32(actorCount));
    if (actorCount < 1) return ProjectCheck::Ok;
    // The smallest entry: an actor header with an empty name, or a path count.
    const std::size_t smallest = embedded ? 6 + 28 + 4 : 4;
    if (static_cast<std::size_t>(actorCount) > f.Remaining() / smallest) return ProjectCheck::BadActorCount;
    p.actors.resize(static_cast<std::size_t>(actorCount));
    for (std::vector<std::uint8_t>& actor : p.actors) {
        if (embedded) {
            std::span<const std::uint8_t> record;
            if (!f.Actor(record)) return ProjectCheck::BadActor;
            actor.assign(record.begin(), record.end());
        } else {
            ORB_READ(f.Block(actor, kMaxProjectString + 1));
        }
    }
    return ProjectCheck::Ok;
}

std::string ProjectCheckMessage(ProjectCheck check, Program program) {
    const bool viewer = program == Program::Viewer;
    switch (check) {
    case ProjectCheck::Ok: return "";
    case ProjectCheck::CannotOpen: return viewer ? "" : "Unable to open input project file: file may be in use";
    case ProjectCheck::NotOrbellan: return viewer ? "File is not valid Orbellan file" : "File is not a valid Orbellan Project";
    case ProjectCheck::LaterVersion:
        return viewer ? "This project was created by a later edition of Orbellan,\nand contains features unsupported by "
                        "this release"
                      : "This project was created by a later version of Orbellan, and contains features unsupported "
                        "by this release.";
    case ProjectCheck::NotProject:
        return viewer ? "File is not valid Orbellan Project file" : "File is not a valid Orbellan project file";
    case ProjectCheck::BadBackgroundKind: return viewer ? "" : "Corrupt Project file: aborting";
    case ProjectCheck::Truncated: return "Project file ends too soon: it is incomplete or damaged";
    case ProjectCheck::StringTooLong: return "Project file holds a name or path longer than 255 characters";
    case ProjectCheck::BadSize: return "Project file holds a data size that does not fit the file";
    case ProjectCheck::BadImage: return "Project file holds a damaged picture";
    case ProjectCheck::BadActorCount: return "Project file claims more actors than it can hold";
    case ProjectCheck::BadActor: return "Project file holds a damaged actor";
    case ProjectCheck::BadArchive: return "Compressed project file cannot be unpacked";
    case ProjectCheck::BadAppendedSize: return "Compressed project file states an impossible project size";
    case ProjectCheck::NotEnoughSpace: return "";
    }
    return "";
}

void ReportProjectCheck(ProjectCheck check, Program program, const std::string& path, ReportSink& sink) {
    const std::string message = ProjectCheckMessage(check, program);
    if (message.empty()) return;
    if (program == Program::Authoring) {
        if (check == ProjectCheck::CannotOpen) return sink.Information(message, path);
        if (check == ProjectCheck::BadBackgroundKind) return sink.Information(message);
        if (check == ProjectCheck::LaterVersion) return sink.Error(message);
    }
    sink.Error(message, path);
}

}  // namespace orb
