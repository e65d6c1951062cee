#include "picture_shrink.h"

#include <algorithm>

#include "common/imaging/picture_size.h"

namespace orb {

bool ShrinkToFit(PackedImage& image, std::int32_t largestSide) {
    const std::int32_t width = image.Width(), height = image.Height();
    const PictureSize size = SizeWithin({width, height}, largestSide);
    if (size == PictureSize{width, height}) return false;
    std::optional<PackedImage> smaller = MakePackedImage24(size.width, size.height);
    if (!smaller) return false;
    const bool keepAlpha = !image.alpha.empty();
    if (keepAlpha) smaller->alpha.resize(std::size_t(size.width) * std::size_t(size.height));
    for (std::int32_t y = 0; y < size.height; ++y) {
        // the block of rows [top, bottom) and columns [left, right) this pixel covers
        const std::int32_t top = std::int32_t(std::int64_t(y) * height / size.height);
        const std::int32_t bottom = std::max(top + 1, std::int32_t(std::int64_t(y + 1) * height / size.height));
        for (std::int32_t x = 0; x < size.width; ++x) {
            const std::int32_t left = std::int32_t(std::int64_t(x) * width / size.width);
            const std::int32_t right = std::max(left + 1, std::int32_t(std::int64_t(x + 1) * width / size.width));
            std::uint64_t weighted[3] = {}, opacity = 0;
            for (std::int32_t sy = top; sy < bottom; ++sy) {
                const std::uint8_t* p = image.Pixel24(left, sy);
                for (std::int32_t sx = left; sx < right; ++sx, p += 3) {
                    const unsigned alpha = image.Alpha(sx, sy);
                    for (int c = 0; c < 3; ++c) weighted[c] += std::uint64_t(p[c]) * alpha;
                    opacity += alpha;
                }
            }
            const std::uint64_t count = std::uint64_t(bottom - top) * std::uint64_t(right - left);
            std::uint8_t* out = smaller->Pixel24(x, y);
            for (int c = 0; c < 3; ++c)
                out[c] = opacity == 0 ? 0 : std::uint8_t((weighted[c] + opacity / 2) / opacity);
            if (keepAlpha)
                smaller->alpha[std::size_t(y) * std::size_t(size.width) + std::size_t(x)] =
                    std::uint8_t((opacity + count / 2) / count);
        }
    }
    image = std::move(*smaller);
    return true;
}

}  // namespace orb
