// Bringing a picture's size within a longest side, proportions kept: how the
// authoring program scales photos down on import and how the viewer bounds the
// pictures it prepares.
#pragma once
#include <cstdint>

namespace orb {

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// `size` itself when neither side exceeds `largestSide`; otherwise the longer side
// becomes `largestSide` and the shorter one follows (rounded to nearest, at least 1).
constexpr PictureSize SizeWithin(PictureSize size, std::int32_t largestSide) {
    if (size.width <= largestSide && size.height <= largestSide) return size;
    const bool wide = size.width >= size.height;
    const std::int64_t longer = wide ? size.width : size.height, shorter = wide ? size.height : size.width;
    std::int64_t scaled = (shorter * largestSide + longer / 2) / longer;
    if (scaled < 1) scaled = 1;
    return wide ? PictureSize{largestSide, std::int32_t(scaled)} : PictureSize{std::int32_t(scaled), largestSide};
}

}  // namespace orb
