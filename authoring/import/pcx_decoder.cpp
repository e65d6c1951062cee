// ZSoft PCX: 1-bit (mono or up to 4 planes), 2- and 4-bit packed, 8-bit with the
// 256-colour table at the end, and 8-bit 3 or 4 planes (true colour), RLE or raw.
#include <array>
#include <vector>

#include "common/io/byte_reader.h"
#include "image_codes.h"
#include "image_decoders.h"

namespace orb {

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

struct PcxHeader {
    std::uint8_t encoding = 0, bitsPerPlane = 0, planes = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t bytesPerLine = 0;
    std::array<Rgb, 16> egaPalette{};
};

std::uint32_t ReadHeader(std::span<const std::uint8_t> bytes, PcxHeader& h) {
    ByteReader in(bytes);
    std::uint8_t manufacturer = 0, version = 0;
    std::uint16_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    if (bytes.size() < 128) return bytes.empty() || bytes[0] != 0x0A ? kImageNotRecognized : kImageCorrupt;
    in.ReadU8(manufacturer);
    in.ReadU8(version);
    in.ReadU8(h.encoding);
    in.ReadU8(h.bitsPerPlane);
    in.ReadU16(xmin);
    in.ReadU16(ymin);
    in.ReadU16(xmax);
    in.ReadU16(ymax);
    if (manufacturer != 0x0A || version > 5 || h.encoding > 1) return kImageNotRecognized;
    in.Seek(16);
    for (Rgb& c : h.egaPalette) {
        in.ReadU8(c.r);
        in.ReadU8(c.g);
        in.ReadU8(c.b);
    }
    in.Seek(65);
    in.ReadU8(h.planes);
    in.ReadU16(h.bytesPerLine);
    if (xmax < xmin || ymax < ymin) return kImageCorrupt;
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    if (std::size_t(h.bytesPerLine) * 8 < std::size_t(h.width) * h.bitsPerPlane) return kImageCorrupt;
    return kImageOk;
}

// All scan lines, each `planes x bytesPerLine` bytes. Runs may cross line ends.
bool Unpack(std::span<const std::uint8_t> data, const PcxHeader& h, std::vector<std::uint8_t>& out) {
    std::size_t total = std::size_t(h.planes) * h.bytesPerLine * std::size_t(h.height);
    // A run gives at most 63 bytes for two: a file shorter than that bound is cut
    // short, and is refused before the lines are allocated.
    const std::size_t leastData = h.encoding == 0 ? total : (total + 62) / 63 * 2;
    if (data.size() < leastData) return false;
    out.assign(total, 0);
    if (h.encoding == 0) {
        std::copy(data.begin(), data.begin() + std::ptrdiff_t(total), out.begin());
        return true;
    }
    std::size_t at = 0, filled = 0;
    while (filled < total) {
        if (at >= data.size()) return false;
        std::uint8_t b = data[at++];
        std::size_t count = 1;
        if ((b & 0xC0) == 0xC0) {
            count = b & 0x3F;
            if (at >= data.size()) return false;
            b = data[at++];
        }
        for (; count > 0 && filled < total; --count) out[filled++] = b;
    }
    return true;
}

// The 256-colour table: the byte 12 then 768 bytes, ending the file.
bool VgaPalette(std::span<const std::uint8_t> bytes, std::array<Rgb, 256>& palette) {
    if (bytes.size() < 128 + 769 || bytes[bytes.size() - 769] != 0x0C) return false;
    const std::uint8_t* p = bytes.data() + bytes.size() - 768;
    for (Rgb& c : palette) {
        c = {p[0], p[1], p[2]};
        p += 3;
    }
    return true;
}

}  // namespace

std::uint32_t DecodePcx(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    PcxHeader h;
    if (std::uint32_t code = ReadHeader(bytes, h)) return code;

    const int bits = h.bitsPerPlane, planes = h.planes;
    bool indexed = (bits == 1 && planes >= 1 && planes <= 4) || ((bits == 2 || bits == 4) && planes == 1) ||
                   (bits == 8 && planes == 1);
    bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!indexed && !trueColour) return kImageUnsupported;

    if (h.width > kMaxImageSide || h.height > kMaxImageSide) return kImageUnsupported;
    std::vector<std::uint8_t> lines;
    if (!Unpack(bytes.subspan(128), h, lines)) return kImageCorrupt;
    std::optional<PackedImage> image = MakePackedImage24(h.width, h.height);
    if (!image) return kImageUnsupported;

    std::array<Rgb, 256> palette{};
    if (bits == 8 && planes == 1) {
        if (!VgaPalette(bytes, palette))  // old files without the table are grey scale
            for (int i = 0; i < 256; ++i) palette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    } else if (bits == 1 && planes == 1) {
        palette[0] = {0, 0, 0};  // monochrome files are black and white whatever the header says
        palette[1] = {255, 255, 255};
    } else {
        std::copy(h.egaPalette.begin(), h.egaPalette.end(), palette.begin());
    }

    const std::size_t lineBytes = std::size_t(planes) * h.bytesPerLine;
    for (std::int32_t y = 0; y < h.height; ++y) {
        const std::uint8_t* line = lines.data() + std::size_t(y) * lineBytes;
        for (std::int32_t x = 0; x < h.width; ++x) {
            Rgb c;
            if (trueColour) {
                c = {line[x], line[h.bytesPerLine + x], line[2 * h.bytesPerLine + x]};
            } else {
                unsigned index = 0;
                for (int p = 0; p < planes; ++p) {
                    std::size_t bit = std::size_t(x) * bits;
                    unsigned byte = line[std::size_t(p) * h.bytesPerLine + bit / 8];
                    unsigned shift = 8 - bits - bit % 8;
                    index |= ((byte >> shift) & ((1u << bits) - 1)) << (p * bits);
                }
                c = palette[index];
            }
            std::uint8_t* px = image->Pixel24(x, y);
            px[0] = c.b;
            px[1] = c.g;
            px[2] = c.r;
        }
    }
    out = std::move(image);
    return kImageOk;
}

}  // namespace orb
