// Actor records as files and embedded in projects. Counts and lengths from the
// data are checked against the bytes present, and nothing of an actor enters the
// caller's frame list until every frame of it has been read.
#include "common/formats/actor_file.h"

#include <algorithm>

#include "common/imaging/bmp.h"
#include "common/io/file_io.h"

namespace orb {

namespace {

// The least a frame record can take: an empty name count and the two BMP headers.
constexpr std::size_t kMinFrameBytes = 4 + kFileHeaderBytes + kInfoHeaderBytes;

// Reads a zstring (count including its zero byte); the text stops at the first zero.
bool ReadZString(ByteReader& r, std::string& text) {
    std::int32_t count = 0;
    std::span<const std::uint8_t> bytes;
    if (!r.ReadI32(count) || count < 0 || !r.ReadSpan(static_cast<std::size_t>(count), bytes))
        return false;
    text.assign(bytes.begin(), std::find(bytes.begin(), bytes.end(), std::uint8_t{0}));
    return true;
}

void WriteZString(ByteWriter& w, std::string_view text) {
    w.I32(static_cast<std::int32_t>(text.size() + 1));
    w.Text(text);
    w.U8(0);
}

ActorReadResult Fail(ActorReadResult result, ActorReadStatus status, Program program,
                     ReportSink& sink, std::string_view subject) {
    result.status = status;
    result.firstFrame = nullptr;
    const std::string message = ActorReadMessage(result, program);
    if (!message.empty()) sink.Error(message, std::string(subject));
    return result;
}

}  // namespace

std::string ActorReadMessage(const ActorReadResult& result, Program program) {
    switch (result.status) {
    case ActorReadStatus::Ok:
    case ActorReadStatus::BadFrame:
    case ActorReadStatus::CannotOpen:  // LoadActor reports it in its own words
        return {};
    case ActorReadStatus::NotAnActor:
        return "File is not valid Orbellan Actor";
    case ActorReadStatus::LaterVersion:
        if (program == Program::Viewer)
            return "Version Conflict: This Actor file was created by a later version of "
                   "Orbellan,\nand contains features unsupported by release";
        return "Version Conflict: This Actor file was created by a later version of Orbellan (" +
               std::to_string(result.version) +
               "),\nand contains features unsupported by release " +
               std::to_string(kActorFormatVersion) + "\n";
    case ActorReadStatus::Truncated:
        return "Corrupt Orbellan Actor (the file ends too early)";
    case ActorReadStatus::BadFrameCount:
        return "Corrupt Orbellan Actor (frame count " + std::to_string(result.frameCount) +
               " impossible)";
    case ActorReadStatus::BadName:
        return "Corrupt Orbellan Actor (name length beyond the data)";
    }
    return {};
}

ActorReadResult ReadActor(ByteReader& r, FrameList& list, Program program, ReportSink& sink,
                          std::string_view subject) {
    ActorReadResult result;
    std::uint16_t magic = 0, kind = 0;
    if (!r.ReadU16(magic)) return Fail(result, ActorReadStatus::Truncated, program, sink, subject);
    if (magic != kOrbellanMagic)
        return Fail(result, ActorReadStatus::NotAnActor, program, sink, subject);
    if (!r.ReadI16(result.version))
        return Fail(result, ActorReadStatus::Truncated, program, sink, subject);
    if (result.version > kActorFormatVersion)
        return Fail(result, ActorReadStatus::LaterVersion, program, sink, subject);
    if (!r.ReadU16(kind)) return Fail(result, ActorReadStatus::Truncated, program, sink, subject);
    if (kind != kActorFileKind)
        return Fail(result, ActorReadStatus::NotAnActor, program, sink, subject);

    std::int32_t rotated = 0, rotation = 0;
    ColourKey key;
    if (!r.ReadI32(result.frameCount) || !r.ReadI32(rotated) || !r.ReadI32(rotation) ||
        !r.ReadI32(key.blue) || !r.ReadI32(key.green) || !r.ReadI32(key.red) ||
        !r.ReadI32(key.tolerance))
        return Fail(result, ActorReadStatus::Truncated, program, sink, subject);
    if (!ReadZString(r, result.name))
        return Fail(result, ActorReadStatus::BadName, program, sink, subject);
    if (result.frameCount == 0) return result;
    if (result.frameCount < 0 ||
        static_cast<std::size_t>(result.frameCount) > r.Remaining() / kMinFrameBytes)
        return Fail(result, ActorReadStatus::BadFrameCount, program, sink, subject);

    FrameList frames;
    for (std::int32_t i = 0; i < result.frameCount; ++i) {
        std::string frameName;
        if (!ReadZString(r, frameName))
            return Fail(result, ActorReadStatus::BadName, program, sink, subject);
        GXDrawingSurface* frame = LoadBmp(r, frames, frameName, sink, program);
        if (frame == nullptr) return Fail(result, ActorReadStatus::BadFrame, program, sink, subject);
        frame->key = key;
        frame->squareCanvas = rotated != 0;
        frame->storedAngle = rotation;
    }
    GXDrawingSurface* first = frames.front().get();
    for (std::int32_t i = 0; i < result.frameCount; ++i) {
        frames[i]->firstFrame = first;
        frames[i]->frameIndex = i;
        frames[i]->frameCount = result.frameCount;
    }
    if (!list.empty()) list.back()->nextFrame = first;
    for (auto& frame : frames) list.push_back(std::move(frame));
    result.firstFrame = first;
    return result;
}

void WriteActor(ByteWriter& w, const GXDrawingSurface& first) {
    const auto frames = ActorFrames(first);
    w.U16(kOrbellanMagic);
    w.U16(static_cast<std::uint16_t>(kActorFormatVersion));
    w.U16(kActorFileKind);
    w.I32(static_cast<std::int32_t>(frames.size()));
    w.I32(first.squareCanvas ? 1 : 0);
    w.I32(first.storedAngle);
    w.I32(first.key.blue);
    w.I32(first.key.green);
    w.I32(first.key.red);
    w.I32(first.key.tolerance);
    WriteZString(w, first.name);
    for (const GXDrawingSurface* frame : frames) {
        WriteZString(w, frame->name);
        SaveBmp(*frame, w);
    }
}

ActorReadResult LoadActor(const std::filesystem::path& path, FrameList& list, Program program,
                          ReportSink& sink) {
    const std::string name = path.string();
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        ActorReadResult result;
        result.status = ActorReadStatus::CannotOpen;
        if (program == Program::Viewer)
            sink.Error("Unable to open actor file: file may be corrupt or in use", name);
        else
            sink.Error("Unable to open actor file " + name + " : file may be corrupt or in use\n");
        return result;
    }
    ByteReader reader(*bytes);
    return ReadActor(reader, list, program, sink, name);
}

bool SaveActor(const std::filesystem::path& path, const GXDrawingSurface& first, ReportSink& sink) {
    ByteWriter writer;
    WriteActor(writer, first);
    if (!WriteFileAtomically(path, writer.bytes)) {
        sink.Error("Unable to save actor file " + path.string() +
                   " : disc may be full, or file may be in use\n");
        return false;
    }
    return true;
}

}  // namespace orb
