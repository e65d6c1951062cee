#include "picture_alpha.h"

#include <algorithm>
#include <array>

namespace orb {

namespace {

struct KeyRange {
    int low, high;
};

KeyRange RangeOf(int component, int tolerance) {
    return {std::max(0, component - tolerance), std::min(255, component + tolerance)};
}

// Steps the channel that needs the smallest step out of its range; a pixel outside
// the range in any channel is left alone.
void MoveOutOfKey(std::uint8_t* bgr, const ColourKey& key) {
    const std::array<KeyRange, 3> ranges = {RangeOf(key.blue, key.tolerance), RangeOf(key.green, key.tolerance),
                                            RangeOf(key.red, key.tolerance)};
    for (int c = 0; c < 3; ++c)
        if (bgr[c] < ranges[c].low || bgr[c] > ranges[c].high) return;
    int bestChannel = -1, bestStep = 256, bestValue = 0;
    for (int c = 0; c < 3; ++c) {
        const KeyRange r = ranges[c];
        if (r.low > 0 && bgr[c] - r.low + 1 < bestStep)
            bestChannel = c, bestStep = bgr[c] - r.low + 1, bestValue = r.low - 1;
        if (r.high < 255 && r.high + 1 - bgr[c] < bestStep)
            bestChannel = c, bestStep = r.high + 1 - bgr[c], bestValue = r.high + 1;
    }
    if (bestChannel >= 0) bgr[bestChannel] = static_cast<std::uint8_t>(bestValue);
}

}  // namespace

bool HasTransparentPixels(const PackedImage& image) {
    return std::any_of(image.alpha.begin(), image.alpha.end(), IsTransparentAlpha);
}

void FlattenOverWhite(PackedImage& image) {
    if (image.alpha.empty()) return;
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        std::uint8_t* p = image.Pixel24(0, y);
        for (std::int32_t x = 0; x < image.Width(); ++x, p += 3) {
            const unsigned alpha = image.Alpha(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>((p[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    image.alpha.clear();
}

void KeyByOpacity(PackedImage& image) {
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        std::uint8_t* p = image.Pixel24(0, y);
        for (std::int32_t x = 0; x < image.Width(); ++x, p += 3) {
            if (IsTransparentAlpha(image.Alpha(x, y))) {
                p[0] = std::uint8_t(kOpacityKey.blue);
                p[1] = std::uint8_t(kOpacityKey.green);
                p[2] = std::uint8_t(kOpacityKey.red);
            } else {
                MoveOutOfKey(p, kOpacityKey);
            }
        }
    }
    image.alpha.clear();
}

}  // namespace orb
