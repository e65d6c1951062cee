// Project files (.apj): one screen-saver project as a flat run of little-endian
// fields, read strictly in order: header, sound paths and data, backdrop and
// banner pictures, 22 settings, actors. ProjectFile holds every field as stored;
// the programs' loaders (project_reader.h) and WriteProject (project_writer.h)
// turn it into and out of what each program keeps.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/formats/project_settings.h"
#include "common/imaging/drawing_surface.h"
#include "common/report.h"

namespace orb {

inline constexpr std::uint16_t kProjectMagic = 0x1234;
inline constexpr std::int16_t kProjectFormatVersion = 1;
inline constexpr std::uint16_t kProjectFileKind = 1;
// Readers keep strings in 256-byte buffers: at most 255 bytes of text.
inline constexpr std::int32_t kMaxProjectString = 255;
// The name of the plain project inside a compressed one.
inline constexpr std::string_view kPackedProjectName = "ORBxxx.apj";

// One of the four sounds: music, bounce, creation, destruction.
struct SoundRecord {
    std::int32_t missing = 1;         // 0: the file existed when the project was written
    std::vector<std::uint8_t> bytes;  // the whole sound file (embedded projects)
    friend bool operator==(const SoundRecord&, const SoundRecord&) = default;
};

// The backdrop or the banner picture.
struct ImageRecord {
    std::int32_t missing = 1;          // 0: the file existed
    std::int32_t unusable = 0;         // 1: it could not be read (embedded projects)
    std::vector<std::uint8_t> bitmap;  // one complete BMP file when missing and unusable are 0
    friend bool operator==(const ImageRecord&, const ImageRecord&) = default;
};

struct ProjectFile {
    std::uint16_t magic = kProjectMagic;
    std::uint16_t formatVersion = kProjectFormatVersion;
    std::uint16_t fileKind = kProjectFileKind;
    std::int32_t resourcesEmbedded = 1;
    std::int32_t eraser = 0;
    std::array<std::string, kSoundSlots> soundPaths;  // in SoundSlot order
    std::int32_t loopMusic = 0;
    std::int32_t soundBlockPresent = 1;
    std::array<SoundRecord, kSoundSlots> sounds;  // only when soundBlockPresent is nonzero
    std::string backdropPath;
    std::int32_t useBackdropImage = 0;
    ImageRecord backdrop;                   // only when useBackdropImage is nonzero
    std::string bannerPath;
    ImageRecord banner;
    ProjectSettings settings;
    // Embedded: each a complete actor record. Otherwise: each an actor file path's
    // bytes including the terminating zero.
    std::vector<std::vector<std::uint8_t>> actors;
    friend bool operator==(const ProjectFile&, const ProjectFile&) = default;
};

// The exact bytes of the plain form.
std::vector<std::uint8_t> SerializeProject(const ProjectFile& project);

// Which check a read failed.
enum class ProjectCheck {
    Ok,
    CannotOpen,         // the file (or the project extracted from it) cannot be read
    NotOrbellan,        // magic is not 0x1234
    LaterVersion,       // version above 1
    NotProject,         // kind is not 1
    BadBackgroundKind,  // authoring program only: background kind outside 0..3
    Truncated,          // the file ends inside a field
    StringTooLong,      // a string count above 255 or negative
    BadSize,            // a byte count that is negative or runs past the file
    BadImage,           // an embedded picture's headers do not describe a bitmap that fits
    BadActorCount,      // more actors than the remaining bytes can hold
    BadActor,           // an actor record that runs past the file
    BadArchive,         // a compressed project whose archive cannot be unpacked
    BadAppendedSize,    // a compressed project's appended size is negative or absurd
    NotEnoughSpace,     // too little free space to unpack a compressed project
};

struct ProjectParseOptions {
    bool previewOnly = false;          // stop after the banner (fields 1 to 17)
    bool checkBackgroundKind = false;  // the authoring program refuses kinds outside 0..3
};

// Reads the plain form. On failure `project` holds what was read before the
// failed check.
ProjectCheck ParseProject(std::span<const std::uint8_t> bytes, ProjectFile& project,
                          const ProjectParseOptions& options = {});

// Each program's words for a failed check ("" where the program shows nothing).
std::string ProjectCheckMessage(ProjectCheck check, Program program);

// Reports a failed check the way the program does: error or information report,
// with the path in parentheses where the program gives it. Nothing for Ok, for the
// viewer's unopenable file, and for NotEnoughSpace (reported by the loader, which
// knows the figures).
void ReportProjectCheck(ProjectCheck check, Program program, const std::string& path, ReportSink& sink);

}  // namespace orb
