// Actor records: one still picture or animation as a run of frames sharing a
// name, a transparency key and the rotation values. The same layout is an actor
// file (.act) of its own and every actor embedded in a project file.
//
// Layout (little-endian): u16 magic 0x1234, u16 version 1, u16 kind 2, i32 frame
// count, i32 rotated, i32 rotation, i32 key blue, green, red, i32 tolerance,
// zstring name, then per frame a zstring frame name and a complete BMP. A zstring
// is an i32 count including the terminating zero byte, then the bytes.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/imaging/drawing_surface.h"
#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"
#include "common/report.h"

namespace orb {

inline constexpr std::uint16_t kOrbellanMagic = 0x1234;
inline constexpr std::int16_t kActorFormatVersion = 1;
inline constexpr std::uint16_t kActorFileKind = 2;

enum class ActorReadStatus {
    Ok,
    CannotOpen,    // LoadActor: the file could not be read
    NotAnActor,    // magic is not 0x1234, or the kind is not 2
    LaterVersion,  // version above 1
    Truncated,     // the header or name ends early
    BadFrameCount, // negative, or more frames than the remaining bytes can hold
    BadName,       // a name count that is negative or runs past the data
    BadFrame,      // a frame's bitmap was refused (the BMP reader reported why)
};

struct ActorReadResult {
    ActorReadStatus status = ActorReadStatus::Ok;
    std::int16_t version = 0;        // as read (for the version message)
    std::string name;                // the actor's name field, without its zero byte
    std::int32_t frameCount = 0;
    GXDrawingSurface* firstFrame = nullptr;  // in the list; none without frames or on failure
    explicit operator bool() const { return status == ActorReadStatus::Ok; }
};

// The words each program shows for a failed check ("" for Ok and BadFrame, whose
// reason the BMP reader has already reported).
std::string ActorReadMessage(const ActorReadResult& result, Program program);

// Reads an actor record at the reader's position. On success the frames are
// appended to the end of `list` (the old tail linked to the first of them),
// numbered as one run (first frame, index, count), each given the key, tolerance,
// rotated flag and rotation of the header, and carry their own frame names. On
// any failure the failed check is reported through `sink` in the program's words
// (with `subject`, e.g. the file, in parentheses) and nothing enters the list.
ActorReadResult ReadActor(ByteReader& reader, FrameList& list, Program program, ReportSink& sink,
                          std::string_view subject = {});

// Writes the actor whose first frame is `first` (ActorFrames(first) in order):
// header values from the first frame, its name as the actor name.
void WriteActor(ByteWriter& writer, const GXDrawingSurface& first);

// Reads the actor file at `path` with ReadActor. When it cannot be read: the
// authoring program reports the error "Unable to open actor file <path> : file
// may be corrupt or in use\n"; the viewer "Unable to open actor file: file may be
// corrupt or in use" with the path as subject.
ActorReadResult LoadActor(const std::filesystem::path& path, FrameList& list, Program program,
                          ReportSink& sink);

// Writes the actor file atomically (a failed write leaves any old file intact).
// On failure reports "Unable to save actor file <path> : disc may be full, or file
// may be in use\n" and returns false.
bool SaveActor(const std::filesystem::path& path, const GXDrawingSurface& first, ReportSink& sink);

}  // namespace orb
