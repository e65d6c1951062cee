// The block every image decoder hands back: a 40-byte bitmap information header,
// its colour table and the pixel rows (bottom-up, each padded to 4 bytes), in one
// piece, exactly as a packed device-independent bitmap lies in memory; beside it,
// for pictures that are not opaque everywhere, the opacity of every pixel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orb {

inline constexpr std::size_t kInfoHeaderSize = 40;

// Decoders refuse pictures beyond this side so sizes taken from files stay sane.
inline constexpr std::int32_t kMaxImageSide = 16384;
// An animation read from one file gives one actor at most this many frames, and
// holds at most this many pixels in all frames together (256 MB as it is decoded):
// 100 frames of 800 x 800, say.
inline constexpr std::size_t kMaxAnimationFrames = 1000;
inline constexpr std::uint64_t kMaxAnimationPixels = std::uint64_t(1) << 26;

struct PackedImage {
    std::vector<std::uint8_t> bytes;
    // 24-bit pictures only: one opacity byte per pixel (0 transparent .. 255 opaque),
    // rows from the top; empty when every pixel is opaque. The colours in `bytes`
    // are then the pixels' own, not mixed with anything behind them.
    std::vector<std::uint8_t> alpha;

    std::int32_t Width() const { return Field32(4); }
    std::int32_t Height() const { return Field32(8); }
    std::uint16_t BitCount() const { return static_cast<std::uint16_t>(bytes[14] | bytes[15] << 8); }
    std::uint32_t ColoursUsed() const { return static_cast<std::uint32_t>(Field32(32)); }
    // Colour-table entries: colours used, or 2^bits when that is 0, none above 8 bits.
    std::size_t TableEntries() const;
    std::size_t Stride() const;

    std::span<const std::uint8_t> Header() const { return {bytes.data(), kInfoHeaderSize}; }
    std::span<const std::uint8_t> Table() const {
        return {bytes.data() + kInfoHeaderSize, TableEntries() * 4};
    }
    std::span<std::uint8_t> Pixels() {
        std::size_t at = kInfoHeaderSize + TableEntries() * 4;
        return {bytes.data() + at, bytes.size() - at};
    }
    std::span<const std::uint8_t> Pixels() const {
        std::size_t at = kInfoHeaderSize + TableEntries() * 4;
        return {bytes.data() + at, bytes.size() - at};
    }

    // 24-bit images only: the blue, green, red bytes of pixel (x, y), y counted from the top.
    std::uint8_t* Pixel24(std::int32_t x, std::int32_t yFromTop) {
        return Pixels().data() + std::size_t(Height() - 1 - yFromTop) * Stride() + std::size_t(x) * 3;
    }
    const std::uint8_t* Pixel24(std::int32_t x, std::int32_t yFromTop) const {
        return Pixels().data() + std::size_t(Height() - 1 - yFromTop) * Stride() + std::size_t(x) * 3;
    }

    std::uint8_t Alpha(std::int32_t x, std::int32_t yFromTop) const {
        return alpha.empty() ? 255 : alpha[std::size_t(yFromTop) * std::size_t(Width()) + std::size_t(x)];
    }

private:
    std::int32_t Field32(std::size_t at) const {
        return static_cast<std::int32_t>(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                         std::uint32_t(bytes[at + 2]) << 16 |
                                         std::uint32_t(bytes[at + 3]) << 24);
    }
};

// Bytes per stored row for a width and bit count: (width x bits + 31) / 32 x 4.
std::size_t PackedRowStride(std::int32_t width, std::uint16_t bitCount);

// A 24-bit image of the given size, every pixel set to (red, green, blue); none when
// a side is not within 1..kMaxImageSide.
std::optional<PackedImage> MakePackedImage24(std::int32_t width, std::int32_t height,
                                             std::uint8_t red = 0, std::uint8_t green = 0,
                                             std::uint8_t blue = 0);

}  // namespace orb
