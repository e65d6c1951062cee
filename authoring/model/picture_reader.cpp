#include "picture_reader.h"

#include <algorithm>
#include <cctype>

#include "authoring/import/bmp_import.h"
#include "authoring/import/image_codes.h"
#include "authoring/import/image_decoders.h"
#include "authoring/import/image_file.h"
#include "authoring/import/picture_alpha.h"
#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"
#include "common/io/file_io.h"

namespace orb {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::uint32_t BitmapAt(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    BmpImport result = DecodeBmpLeniently(bytes, out);
    return result.code;
}

// The first frame's bitmap of an actor file: after the header, seven 32-bit values,
// the actor name and the first frame's name.
std::uint32_t FirstActorFrame(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    ByteReader in(bytes);
    std::uint16_t magic = 0, version = 0, kind = 0;
    if (!in.ReadU16(magic) || !in.ReadU16(version) || !in.ReadU16(kind)) return kImageCorrupt;
    if (magic != 0x1234 || std::int16_t(version) >= 2 || kind != 2) return kImageCorrupt;
    if (!in.Skip(7 * 4)) return kImageCorrupt;
    for (int i = 0; i < 2; ++i) {
        std::int32_t length = 0;
        if (!in.ReadI32(length) || length < 0 || !in.Skip(std::size_t(length))) return kImageCorrupt;
    }
    return BitmapAt(bytes.subspan(in.Position()), out);
}

}  // namespace

std::uint32_t ReadPicture(const std::string& path, ExtensionCase rule, std::optional<PackedImage>& out) {
    out.reset();
    std::string ext = PathExtension(path), lower = Lower(ext);
    std::string upper = ext;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (rule == ExtensionCase::WhollyLowerOrUpper && ext != lower && ext != upper) return kImageUnknownExtension;
    using Decoder = std::uint32_t (*)(std::span<const std::uint8_t>, std::optional<PackedImage>&);
    Decoder decode = lower == "bmp"   ? BitmapAt
                     : lower == "act" ? FirstActorFrame
                     : lower == "pcx" ? DecodePcx
                     : lower == "tga" ? DecodeTarga
                     : lower == "jpg" ? DecodeJpeg
                     : lower == "cgm" ? DecodeCgm
                     : lower == "png" ? DecodePng
                     : lower == "gif" ? DecodeGifStill
                                      : nullptr;
    if (!decode) return kImageUnknownExtension;
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) return kImageCannotOpen;
    std::uint32_t code = decode(*bytes, out);
    if (code != kImageOk) out.reset();
    else FlattenOverWhite(*out);
    return code;
}

std::vector<std::uint8_t> BmpFileBytes(const PackedImage& image) {
    std::size_t table = image.TableEntries() * 4;
    ByteWriter w;
    w.U16(0x4D42);
    w.U32(std::uint32_t(14 + image.bytes.size()));
    w.U16(0);
    w.U16(0);
    w.U32(std::uint32_t(14 + kInfoHeaderSize + table));
    w.Bytes(image.bytes);
    return w.bytes;
}

bool EffectSoundsEnabled(const std::string& musicPath) {
    std::string ext = PathExtension(musicPath);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return ext != "WAV";
}

}  // namespace orb
