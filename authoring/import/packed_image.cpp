#include "packed_image.h"

#include <algorithm>

namespace orb {

namespace {
void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
}  // namespace

std::size_t PackedImage::TableEntries() const {
    std::uint16_t bits = BitCount();
    if (bits > 8) return 0;
    std::uint32_t used = ColoursUsed();
    return used != 0 ? used : std::size_t(1) << bits;
}

std::size_t PackedImage::Stride() const { return PackedRowStride(Width(), BitCount()); }

std::size_t PackedRowStride(std::int32_t width, std::uint16_t bitCount) {
    return (std::size_t(width) * bitCount + 31) / 32 * 4;
}

std::optional<PackedImage> MakePackedImage24(std::int32_t width, std::int32_t height,
                                             std::uint8_t red, std::uint8_t green,
                                             std::uint8_t blue) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide)
        return std::nullopt;
    std::size_t stride = PackedRowStride(width, 24);
    std::size_t imageBytes = stride * std::size_t(height);
    PackedImage image;
    image.bytes.assign(kInfoHeaderSize + imageBytes, 0);
    Put32(image.bytes, 0, kInfoHeaderSize);
    Put32(image.bytes, 4, std::uint32_t(width));
    Put32(image.bytes, 8, std::uint32_t(height));
    image.bytes[12] = 1;   // planes
    image.bytes[14] = 24;  // bit count
    Put32(image.bytes, 20, std::uint32_t(imageBytes));
    // Fill the first row, then copy it: large pictures from small files must stay cheap.
    std::span<std::uint8_t> pixels = image.Pixels();
    for (std::int32_t x = 0; x < width; ++x) {
        pixels[std::size_t(x) * 3] = blue;
        pixels[std::size_t(x) * 3 + 1] = green;
        pixels[std::size_t(x) * 3 + 2] = red;
    }
    for (std::int32_t y = 1; y < height; ++y)
        std::copy_n(pixels.begin(), stride, pixels.begin() + std::ptrdiff_t(std::size_t(y) * stride));
    return image;
}

}  // namespace orb
