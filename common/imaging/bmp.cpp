// BMP reading and writing. Every count taken from the data is checked against the
// bytes present before it is used.
#include "common/imaging/bmp.h"

#include <algorithm>
#include <optional>

#include "common/io/file_io.h"

namespace orb {

namespace {

constexpr const char* kTooShort = "Invalid BMP File (too short)";
// Largest picture accepted from a file: keeps a bogus header from asking for
// gigabytes (a 32-bit process has 2).
constexpr std::int32_t kMaxSide = 32768;
constexpr std::uint64_t kMaxImageBytes = 256u << 20;

bool ReadFileHeader(ByteReader& r, BitmapFileHeader& h) {
    return r.ReadU16(h.type) && r.ReadU32(h.size) && r.ReadU16(h.reserved1) &&
           r.ReadU16(h.reserved2) && r.ReadU32(h.pixelOffset);
}

bool ReadInfoHeader(ByteReader& r, BitmapInfoHeader& h) {
    return r.ReadU32(h.size) && r.ReadI32(h.width) && r.ReadI32(h.height) && r.ReadU16(h.planes) &&
           r.ReadU16(h.bitCount) && r.ReadU32(h.compression) && r.ReadU32(h.imageSize) &&
           r.ReadI32(h.xPelsPerMeter) && r.ReadI32(h.yPelsPerMeter) && r.ReadU32(h.coloursUsed) &&
           r.ReadU32(h.coloursImportant);
}

// Reads one BMP at the reader's position into a new surface (not yet converted).
std::unique_ptr<GXDrawingSurface> ReadBmp(ByteReader& r, std::string_view name, ReportSink& sink) {
    const std::string subject(name);
    const std::size_t p0 = r.Position();
    std::uint16_t type = 0;
    if (!r.ReadU16(type)) return sink.Error(kTooShort, subject), nullptr;
    if (type != kBitmapType) return sink.Error("Invalid BMP File (wrong header)", subject), nullptr;
    std::uint32_t headerSize = 0;
    if (!r.Seek(p0 + kFileHeaderBytes) || !r.ReadU32(headerSize) || !r.Seek(p0))
        return sink.Error(kTooShort, subject), nullptr;
    if (headerSize == 12) {
        sink.Information(
            "Orbellan does not support OS/2-style bitmaps; please convert this file to Windows "
            "Bitmap format",
            subject);
        return nullptr;
    }
    if (headerSize != kInfoHeaderBytes)
        return sink.Error("Invalid BMP File (neither OS/2 nor Windows)", subject), nullptr;

    BitmapFileHeader file;
    BitmapInfoHeader info;
    if (!ReadFileHeader(r, file) || !ReadInfoHeader(r, info))
        return sink.Error(kTooShort, subject), nullptr;
    if (info.compression != 0) {
        sink.Information("Orbellan does not support compressed bitmaps; please decompress this file",
                         subject);
        return nullptr;
    }
    const int depth = info.bitCount;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return sink.Error("Invalid BMP File (wrong bitcount)", subject), nullptr;
    if (info.width <= 0 || info.height <= 0)
        return sink.Error("Invalid BMP File (width or height not positive)", subject), nullptr;
    const std::uint64_t stride = StrideFor(depth, std::min(info.width, kMaxSide));
    const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(info.height);
    // Every picture is held in 24 bits once read; a small file must not claim more.
    const std::uint64_t heldBytes = StrideFor(24, std::min(info.width, kMaxSide)) * std::uint64_t(info.height);
    if (info.width > kMaxSide || info.height > kMaxSide || imageBytes > kMaxImageBytes ||
        heldBytes > kMaxImageBytes)
        return sink.Error("Invalid BMP File (picture too large)", subject), nullptr;

    const std::uint32_t entries =
        info.coloursUsed != 0 ? info.coloursUsed : (depth < 16 ? 1u << depth : 0);
    if (entries > 256)
        return sink.Error("Invalid BMP File (too many palette entries)", subject), nullptr;
    std::span<const std::uint8_t> paletteBytes;
    if (!r.ReadSpan(std::size_t(entries) * 4, paletteBytes))
        return sink.Error(kTooShort, subject), nullptr;
    if (file.pixelOffset > r.Size() - p0 || !r.Seek(p0 + file.pixelOffset))
        return sink.Error("Invalid BMP File (pixel offset outside the file)", subject), nullptr;

    auto surface = std::make_unique<GXDrawingSurface>();
    surface->Create(depth, info.width, info.height);
    // An image size of 0 is allowed for uncompressed pictures: the rows are all there.
    const std::uint64_t declared = info.imageSize != 0 ? info.imageSize : imageBytes;
    const std::size_t wanted = static_cast<std::size_t>(std::min(declared, imageBytes));
    const std::size_t present = std::min(wanted, r.Remaining());
    r.ReadInto(std::span(surface->pixels).first(present));
    const bool excessSkipped = declared > imageBytes && r.Skip(declared - imageBytes);
    if (present < wanted || (declared > imageBytes && !excessSkipped)) {
        r.Seek(r.Size());
        sink.Information("BMP file may be incomplete (loaded it anyway)", subject);
    }

    // Headers as read, made consistent with what is held (unchanged for well-formed files).
    const std::uint32_t kept = depth <= 8 ? entries : 0;
    surface->infoHeader = info;
    surface->infoHeader.imageSize = static_cast<std::uint32_t>(imageBytes);
    if (depth > 8) surface->infoHeader.coloursUsed = 0;
    surface->palette.resize(kept);
    for (std::uint32_t i = 0; i < kept; ++i)
        surface->palette[i] = {paletteBytes[4 * i], paletteBytes[4 * i + 1], paletteBytes[4 * i + 2],
                               paletteBytes[4 * i + 3]};
    surface->fileHeader = file;
    surface->fileHeader.size =
        static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + 4 * kept + imageBytes);
    surface->fileHeader.pixelOffset = surface->fileHeader.size - surface->infoHeader.imageSize;
    surface->name = subject;
    return surface;
}

// Reads a length-prefixed name; false (reported) when the length does not fit the data.
std::optional<std::string> ReadEmbeddedName(ByteReader& r, ReportSink& sink) {
    std::int32_t length = 0;
    std::span<const std::uint8_t> bytes;
    if (!r.ReadI32(length) || length < 0 || !r.ReadSpan(static_cast<std::size_t>(length), bytes)) {
        sink.Error("Invalid embedded picture (name length beyond the data)");
        return std::nullopt;
    }
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

}  // namespace

GXDrawingSurface* LoadBmp(ByteReader& reader, FrameList& list, std::string_view name,
                          ReportSink& sink, Program program) {
    auto surface = ReadBmp(reader, name, sink);
    if (!surface) return nullptr;
    surface->ConvertTo24(program, sink);
    if (!list.empty()) list.back()->nextFrame = surface.get();
    list.push_back(std::move(surface));
    return list.back().get();
}

bool SkipBmp(ByteReader& reader, std::string_view name, ReportSink& sink) {
    return ReadBmp(reader, name, sink) != nullptr;
}

GXDrawingSurface* LoadEmbeddedBmp(ByteReader& reader, FrameList& list, ReportSink& sink,
                                  Program program) {
    const auto name = ReadEmbeddedName(reader, sink);
    return name ? LoadBmp(reader, list, *name, sink, program) : nullptr;
}

GXDrawingSurface* LoadBmpFile(const std::filesystem::path& path, FrameList& list, ReportSink& sink,
                              Program program) {
    const std::string name = path.string();
    if (GXDrawingSurface* known = FindByName(list, name)) {
        sink.Information("This object has already been loaded", name);
        return known;
    }
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        sink.Error("Unable to open file: file may be corrupt or in use by another application", name);
        return nullptr;
    }
    ByteReader reader(*bytes);
    return LoadBmp(reader, list, name, sink, program);
}

void SaveBmp(const GXDrawingSurface& surface, ByteWriter& w) {
    const BitmapFileHeader& f = surface.fileHeader;
    const BitmapInfoHeader& i = surface.infoHeader;
    w.U16(f.type);
    w.U32(f.size);
    w.U16(f.reserved1);
    w.U16(f.reserved2);
    w.U32(f.pixelOffset);
    w.U32(i.size);
    w.I32(i.width);
    w.I32(i.height);
    w.U16(i.planes);
    w.U16(i.bitCount);
    w.U32(i.compression);
    w.U32(i.imageSize);
    w.I32(i.xPelsPerMeter);
    w.I32(i.yPelsPerMeter);
    w.U32(i.coloursUsed);
    w.U32(i.coloursImportant);
    for (std::uint32_t n = 0; n < surface.PaletteLength(); ++n) {
        const PaletteEntry e = n < surface.palette.size() ? surface.palette[n] : PaletteEntry{};
        w.U8(e.blue);
        w.U8(e.green);
        w.U8(e.red);
        w.U8(e.reserved);
    }
    const std::size_t held = std::min<std::size_t>(i.imageSize, surface.pixels.size());
    w.Bytes(std::span(surface.pixels).first(held));
    for (std::size_t n = held; n < i.imageSize; ++n) w.U8(0);
}

void SaveEmbeddedBmp(const GXDrawingSurface& surface, ByteWriter& writer, std::string_view name) {
    writer.I32(static_cast<std::int32_t>(name.size() + 1));
    writer.Text(name);
    writer.U8(0);
    SaveBmp(surface, writer);
}

bool SaveBmpFile(const GXDrawingSurface& surface, const std::filesystem::path& path,
                 ReportSink& sink) {
    ByteWriter writer;
    SaveBmp(surface, writer);
    if (!WriteFileAtomically(path, writer.bytes)) {
        sink.Error("Unable to open output file", path.string());
        return false;
    }
    return true;
}

}  // namespace orb
