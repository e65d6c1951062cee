// JPEG, PNG and Targa through stb_image. stb guesses the format from the bytes; each
// entry point first checks that the bytes are of its own format so a PNG renamed .jpg
// is refused as the original library would.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "image_codes.h"
#include "image_decoders.h"
#include "stb_image_config.h"

namespace orb {

namespace {

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// The picture in its own colours; the opacity plane only when some pixel is not
// fully opaque.
std::uint32_t DecodeWithStb(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (bytes.size() > 0x7FFFFFFF) return kImageUnsupported;
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
        bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (!rgba) return kImageCorrupt;
    std::optional<PackedImage> image = MakePackedImage24(width, height);
    if (!image) return kImageUnsupported;
    image->alpha.resize(std::size_t(width) * std::size_t(height));
    const stbi_uc* source = rgba.get();
    std::uint8_t* alpha = image->alpha.data();
    bool opaque = true;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = image->Pixel24(0, y);
        for (int x = 0; x < width; ++x, source += 4, p += 3, ++alpha) {
            p[0] = source[2];
            p[1] = source[1];
            p[2] = source[0];
            *alpha = source[3];
            opaque = opaque && source[3] == 255;
        }
    }
    if (opaque) image->alpha.clear();
    out = std::move(image);
    return kImageOk;
}

bool LooksLikeTarga(std::span<const std::uint8_t> b) {
    if (b.size() < 18) return false;
    std::uint8_t mapType = b[1], type = b[2], depth = b[16];
    if (mapType > 1) return false;
    bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    bool width = (b[12] | b[13]) != 0, height = (b[14] | b[15]) != 0;
    return known && width && height && (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

// Whether the scan header `scan` (after its length) names only tables defined so
// far: baseline scans use both of each component's tables, progressive ones the
// DC table in a first DC scan and the AC table in an AC scan.
bool ScanTablesDefined(std::span<const std::uint8_t> scan, const bool (&defined)[2][4], bool progressive) {
    if (scan.empty()) return true;  // stb refuses the short header itself
    const std::size_t components = scan[0];
    if (scan.size() < 1 + 2 * components + 3) return true;
    const std::uint8_t start = scan[1 + 2 * components], approximation = scan[3 + 2 * components];
    const bool usesDc = !progressive || (start == 0 && (approximation >> 4) == 0);
    const bool usesAc = !progressive || start != 0;
    for (std::size_t c = 0; c < components; ++c) {
        const std::uint8_t tables = scan[2 + 2 * c];
        if ((tables >> 4) > 3 || (tables & 15) > 3) continue;  // stb refuses these itself
        if (usesDc && !defined[0][tables >> 4]) return false;
        if (usesAc && !defined[1][tables & 15]) return false;
    }
    return true;
}

// Frames of a few bytes can state 16384 x 16384 pixels, and stb sets their
// planes aside (gigabytes, for progressive frames) before reading any scan. Every
// block in a frame's first scan takes at least one bit, and a minimum coded unit
// holds at least one block of each component, so a file with fewer bytes of scan
// data than an eighth of the frame's units cannot hold its pixels.
std::uint64_t MinimumCodedUnits(std::span<const std::uint8_t> frame) {
    if (frame.size() < 6) return 0;  // stb refuses the short header itself
    const std::uint64_t height = std::uint64_t(frame[1]) << 8 | frame[2];
    const std::uint64_t width = std::uint64_t(frame[3]) << 8 | frame[4];
    std::uint64_t most[2] = {1, 1};  // horizontal, vertical sampling
    for (std::size_t c = 0; c < frame[5] && 8 + 3 * c < frame.size(); ++c) {
        const std::uint8_t sampling = frame[7 + 3 * c];
        most[0] = std::max<std::uint64_t>(most[0], sampling >> 4);
        most[1] = std::max<std::uint64_t>(most[1], sampling & 15);
    }
    return (width + 8 * most[0] - 1) / (8 * most[0]) * ((height + 8 * most[1] - 1) / (8 * most[1]));
}

struct JpegSurvey {
    bool tablesFit = true;
    std::uint64_t scanBytes = 0, units = 0;
};

// Huffman tables of more than 256 codes overrun the decoder's tables, and a scan
// that uses a table the file never defined reads the decoder's uninitialised
// memory, so every table segment and every scan is checked before stb sees the
// file, and the scan data is measured against the frame. Segments are walked the
// way a decoder meets them: by their lengths, and through entropy-coded data
// (where a 0xFF byte is followed by 0 or a restart marker) to the next marker.
JpegSurvey SurveyJpeg(std::span<const std::uint8_t> b) {
    JpegSurvey survey;
    bool defined[2][4] = {};  // [DC 0, AC 1][table 0..3]
    bool progressive = false;
    std::size_t at = 2;
    while (at + 1 < b.size()) {
        if (b[at] != 0xFF) {  // entropy-coded data
            ++at, ++survey.scanBytes;
            continue;
        }
        const std::uint8_t marker = b[at + 1];
        if (marker == 0x00 || marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7)) {
            survey.scanBytes += marker == 0x00;  // a data byte of 0xFF
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9) {
            at += 2;
            continue;
        }
        if (at + 4 > b.size()) break;
        const std::size_t length = std::size_t(b[at + 2]) << 8 | b[at + 3];
        if (marker == 0xC4) {
            // stb reads tables while the segment's count has bytes left, even
            // when the last table runs past the segment (bytes past the file are 0).
            std::ptrdiff_t left = std::ptrdiff_t(length) - 2;
            for (std::size_t table = at + 4; left > 0;) {
                std::size_t codes = 0;
                for (std::size_t i = 1; i <= 16; ++i) codes += table + i < b.size() ? b[table + i] : 0;
                if (codes > 256) {
                    survey.tablesFit = false;
                    return survey;
                }
                if (table < b.size() && (b[table] >> 4) <= 1) defined[b[table] >> 4][b[table] & 3] = true;
                table += 17 + codes;
                left -= std::ptrdiff_t(17 + codes);
            }
        }
        if (marker == 0xC2) progressive = true;
        if (marker >= 0xC0 && marker <= 0xC2 && survey.units == 0) {
            const std::size_t bodyLength = std::min(std::max<std::size_t>(length, 2) - 2, b.size() - at - 4);
            survey.units = MinimumCodedUnits(b.subspan(at + 4, bodyLength));
        }
        if (marker == 0xDA && !ScanTablesDefined(b.subspan(at + 4), defined, progressive)) {
            survey.tablesFit = false;
            return survey;
        }
        at += 2 + std::max<std::size_t>(length, 2);
    }
    return survey;
}

// stb reads missing Targa pixels as zeros; a file too short to hold its pixels is
// damaged, not a large black picture.
bool TargaHoldsItsPixels(std::span<const std::uint8_t> b) {
    const std::uint8_t type = b[2];
    const bool indexed = type == 1 || type == 9, rle = type >= 9;
    const std::size_t mapLength = std::size_t(b[5]) | std::size_t(b[6]) << 8;
    const std::size_t mapEntryBytes = (std::size_t(b[7]) + 7) / 8;
    const std::size_t width = std::size_t(b[12]) | std::size_t(b[13]) << 8;
    const std::size_t height = std::size_t(b[14]) | std::size_t(b[15]) << 8;
    const std::size_t pixelBytes = (std::size_t(b[16]) + 7) / 8;
    const std::size_t start = 18 + b[0] + (indexed ? mapLength * mapEntryBytes : 0);
    const std::size_t pixels = width * height;
    // Each run-length packet gives at most 128 pixels for a count byte and one value.
    const std::size_t needed = rle ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
    return b.size() >= start && b.size() - start >= needed;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

}  // namespace

std::uint32_t DecodeJpeg(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
        return kImageNotRecognized;
    const JpegSurvey survey = SurveyJpeg(bytes);
    if (!survey.tablesFit || survey.scanBytes * 8 < survey.units) return kImageCorrupt;
    return DecodeWithStb(bytes, out);
}

// stb grows its buffer to a data chunk's stated length before reading it, and
// sizes its first inflate buffer by the header's dimensions: a few damaged bytes
// could ask for gigabytes. So every chunk up to the end marker must lie inside
// the file (the end marker's checksum may be missing: stb never reads it), and
// the data chunks must be long enough to inflate to the pixels the header
// promises. Deflate gives at most 1032 bytes per byte: a 258-byte copy in two bits.
bool PngHoldsItsPixels(std::span<const std::uint8_t> b) {
    if (b.size() < 8) return false;
    constexpr std::uint64_t kMostInflatedPerByte = 1032;
    std::uint64_t width = 0, height = 0, bitsPerPixel = 0, data = 0;
    for (std::size_t at = 8;;) {
        if (b.size() - at < 8) return false;
        const std::uint32_t length = BigEndian32(b, at);
        const std::string_view type(reinterpret_cast<const char*>(&b[at + 4]), 4);
        if (type == "IEND") break;
        if (length > 0x7FFFFFFF || b.size() - at - 8 < std::size_t(length) + 4) return false;
        const std::span<const std::uint8_t> body = b.subspan(at + 8, length);
        if (type == "IHDR" && length >= 13) {
            static constexpr std::uint8_t kSamples[7] = {1, 0, 3, 1, 2, 0, 4};  // by colour type
            width = BigEndian32(body, 0), height = BigEndian32(body, 4);
            bitsPerPixel = body[9] < 7 ? std::uint64_t(body[8]) * kSamples[body[9]] : 0;
        }
        if (type == "IDAT") data += length;
        at += 12 + std::size_t(length);
    }
    if (width > std::uint64_t(kMaxImageSide) || height > std::uint64_t(kMaxImageSide)) return false;
    // Each row starts with a filter byte; interlaced pictures have more rows, none fewer.
    const std::uint64_t leastInflated = height + width * height * bitsPerPixel / 8;
    return data * kMostInflatedPerByte >= leastInflated;
}

std::uint32_t DecodePng(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    out.reset();
    if (bytes.size() < 8 || std::memcmp(bytes.data(), signature, 8) != 0) return kImageNotRecognized;
    if (!PngHoldsItsPixels(bytes)) return kImageCorrupt;
    return DecodeWithStb(bytes, out);
}

std::uint32_t DecodeTarga(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (!LooksLikeTarga(bytes)) return kImageNotRecognized;
    if (!TargaHoldsItsPixels(bytes)) return kImageCorrupt;
    std::uint32_t code = DecodeWithStb(bytes, out);
    // Many Targa writers leave the alpha bytes of 32-bit pictures at zero: a
    // picture with nothing visible in it is taken as an opaque one.
    if (out && std::all_of(out->alpha.begin(), out->alpha.end(), [](std::uint8_t a) { return a == 0; }))
        out->alpha.clear();
    return code;
}

}  // namespace orb
