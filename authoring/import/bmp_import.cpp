#include "bmp_import.h"

#include <array>
#include <bit>
#include <vector>

#include "common/io/byte_reader.h"
#include "image_codes.h"

namespace orb {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

struct Header {
    std::uint32_t pixelOffset = 0, headerSize = 0, compression = kRgb, coloursUsed = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t bitCount = 0;
    bool topDown = false;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
};

BmpImport Fail(std::uint32_t code, std::string problem) { return {code, std::move(problem), false}; }

// One channel taken out through its mask and stretched to 0..255.
std::uint8_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask >> shift);
    std::uint32_t v = (value & mask) >> shift;
    std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    return static_cast<std::uint8_t>((std::uint64_t(v) * 255 + max / 2) / max);
}

// Expands RLE8 or RLE4 data into plain index rows (one byte per pixel), top row last
// as stored. Returns false when the data ends before the end-of-bitmap mark; what
// was decoded is kept.
bool ExpandRle(std::span<const std::uint8_t> data, const Header& h, std::vector<std::uint8_t>& indices) {
    const bool four = h.compression == kRle4;
    indices.assign(std::size_t(h.width) * std::size_t(h.height), 0);
    std::int64_t x = 0, y = 0;
    auto put = [&](std::uint8_t index) {
        if (x < h.width && y < h.height) indices[std::size_t(y) * std::size_t(h.width) + std::size_t(x)] = index;
        ++x;
    };
    std::size_t at = 0;
    while (at + 1 < data.size()) {
        std::uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 1 >= data.size()) return false;
            x += data[at], y += data[at + 1];
            at += 2;
        } else {
            std::size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > data.size()) return false;
            for (int i = 0; i < value; ++i) {
                std::uint8_t b = data[at + (four ? std::size_t(i) / 2 : std::size_t(i))];
                put(four ? (i % 2 ? b & 0x0F : b >> 4) : b);
            }
            at += bytes + (bytes & 1);
        }
        if (y >= h.height) return true;
    }
    return false;
}

BmpImport ReadHeader(ByteReader& in, Header& h) {
    std::uint16_t type = 0;
    if (!in.ReadU16(type)) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    if (type != 0x4D42) return Fail(kImageNotRecognized, "Invalid BMP File (wrong header)");
    if (!in.Skip(8) || !in.ReadU32(h.pixelOffset) || !in.ReadU32(h.headerSize))
        return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    if (h.headerSize == 12) {  // OS/2 1.x core header
        std::uint16_t w = 0, hh = 0, planes = 0;
        if (!in.ReadU16(w) || !in.ReadU16(hh) || !in.ReadU16(planes) || !in.ReadU16(h.bitCount))
            return Fail(kImageCorrupt, "Invalid BMP File (too short)");
        h.width = w, h.height = hh;
        return {};
    }
    if (h.headerSize < 40 || h.headerSize > 4096)
        return Fail(kImageNotRecognized, "Invalid BMP File (neither OS/2 nor Windows)");
    std::uint16_t planes = 0;
    std::uint32_t skip = 0;
    if (!in.ReadI32(h.width) || !in.ReadI32(h.height) || !in.ReadU16(planes) || !in.ReadU16(h.bitCount) ||
        !in.ReadU32(h.compression) || !in.ReadU32(skip) || !in.Skip(8) || !in.ReadU32(h.coloursUsed) ||
        !in.Skip(4))
        return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    // Masks lie inside V2 and later headers, or right after a 40-byte header.
    bool bitFields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    std::size_t maskCount = h.headerSize >= 56 ? 4 : h.headerSize >= 52 ? 3 : 0;
    if (h.headerSize == 40 && bitFields) maskCount = h.compression == kAlphaBitFields ? 4 : 3;
    for (std::size_t i = 0; i < maskCount; ++i)
        if (!in.ReadU32(h.masks[i])) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    if (!bitFields) h.masks = {};
    if (h.headerSize > 40 && !in.Seek(14 + h.headerSize)) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    if (h.height < 0) {
        if (h.height == INT32_MIN) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
        h.topDown = true;
        h.height = -h.height;
    }
    return {};
}

// Many programs write 32-bit pictures with an alpha mask but every alpha zero: those
// are opaque, not invisible.
bool AnyAlpha(std::span<const std::uint8_t> data, const Header& h, std::size_t stride) {
    if (h.bitCount != 32) return true;
    for (std::int32_t y = 0; y < h.height; ++y) {
        std::size_t rowAt = std::size_t(y) * stride;
        if (rowAt + stride > data.size()) break;
        for (std::int32_t x = 0; x < h.width; ++x) {
            const std::uint8_t* p = data.data() + rowAt + std::size_t(x) * 4;
            std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                              std::uint32_t(p[3]) << 24;
            if (v & h.masks[3]) return true;
        }
    }
    return false;
}

}  // namespace

BmpImport DecodeBmpLeniently(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    ByteReader in(bytes);
    Header h;
    if (BmpImport r = ReadHeader(in, h); r.code) return r;

    const std::uint16_t bits = h.bitCount;
    bool known = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!known) return Fail(kImageUnsupported, "Invalid BMP File (wrong bitcount)");
    bool rleOk = (h.compression == kRle8 && bits == 8) || (h.compression == kRle4 && bits == 4);
    bool fieldsOk = (h.compression == kBitFields || h.compression == kAlphaBitFields) && (bits == 16 || bits == 32);
    if (h.compression != kRgb && !rleOk && !fieldsOk)
        return Fail(kImageUnsupported, "Orbellan does not support compressed bitmaps; please decompress this file");
    if (h.topDown && (h.compression == kRle8 || h.compression == kRle4))
        return Fail(kImageCorrupt, "Invalid BMP File (wrong header)");
    std::optional<PackedImage> image = MakePackedImage24(h.width, h.height);
    if (!image) return Fail(kImageUnsupported, "Invalid BMP File (wrong header)");

    if (h.compression == kRgb && bits == 16) h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (h.compression == kRgb && bits == 32) h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};

    std::array<std::array<std::uint8_t, 3>, 256> palette{};  // blue, green, red
    if (bits <= 8) {
        std::size_t entries = h.coloursUsed != 0 ? h.coloursUsed : std::size_t(1) << bits;
        std::size_t entrySize = h.headerSize == 12 ? 3 : 4;
        if (entries > 256) return Fail(kImageCorrupt, "Invalid BMP File (wrong header)");
        for (std::size_t i = 0; i < entries; ++i) {
            std::span<const std::uint8_t> e;
            if (!in.ReadSpan(entrySize, e)) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
            palette[i] = {e[0], e[1], e[2]};
        }
    }
    if (h.pixelOffset > bytes.size()) return Fail(kImageCorrupt, "Invalid BMP File (too short)");
    std::span<const std::uint8_t> data = bytes.subspan(h.pixelOffset);

    BmpImport result;
    auto store = [&](std::int32_t x, std::int32_t storedRow, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
        std::int32_t fromTop = h.topDown ? storedRow : h.height - 1 - storedRow;
        std::uint8_t* p = image->Pixel24(x, fromTop);
        p[0] = b, p[1] = g, p[2] = r;
    };

    if (h.compression == kRle8 || h.compression == kRle4) {
        std::vector<std::uint8_t> indices;
        result.incomplete = !ExpandRle(data, h, indices);
        for (std::int32_t y = 0; y < h.height; ++y)
            for (std::int32_t x = 0; x < h.width; ++x) {
                const auto& c = palette[indices[std::size_t(y) * std::size_t(h.width) + std::size_t(x)]];
                store(x, y, c[0], c[1], c[2]);
            }
        out = std::move(image);
        return result;
    }

    const std::size_t stride = PackedRowStride(h.width, bits);
    bool alpha = h.masks[3] != 0 && AnyAlpha(data, h, stride);
    for (std::int32_t y = 0; y < h.height && !result.incomplete; ++y) {
        std::size_t rowAt = std::size_t(y) * stride;
        if (rowAt + stride > data.size()) {
            result.incomplete = true;
            break;
        }
        const std::uint8_t* row = data.data() + rowAt;
        for (std::int32_t x = 0; x < h.width; ++x) {
            if (bits <= 8) {
                std::size_t bit = std::size_t(x) * bits;
                unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                const auto& c = palette[index];
                store(x, y, c[0], c[1], c[2]);
            } else if (bits == 24) {
                const std::uint8_t* p = row + std::size_t(x) * 3;
                store(x, y, p[0], p[1], p[2]);
            } else {
                std::uint32_t v = bits == 16 ? std::uint32_t(row[x * 2] | row[x * 2 + 1] << 8)
                                             : std::uint32_t(row[x * 4]) | std::uint32_t(row[x * 4 + 1]) << 8 |
                                                   std::uint32_t(row[x * 4 + 2]) << 16 |
                                                   std::uint32_t(row[x * 4 + 3]) << 24;
                std::uint8_t c[3] = {Channel(v, h.masks[2]), Channel(v, h.masks[1]), Channel(v, h.masks[0])};
                if (alpha) {  // over white, as transparency is white here
                    unsigned a = Channel(v, h.masks[3]);
                    for (std::uint8_t& ch : c) ch = static_cast<std::uint8_t>((ch * a + 255 * (255 - a) + 127) / 255);
                }
                store(x, y, c[0], c[1], c[2]);
            }
        }
    }
    out = std::move(image);
    return result;
}

}  // namespace orb
