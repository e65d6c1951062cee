// Rectangles of the viewer: (left, top, right, bottom), right and bottom exclusive.
// Screen rectangles are in pixels; the play area is in world units (8000 x 6000
// reference space mapped onto the view).
#pragma once
#include <algorithm>
#include <cstdint>

namespace orb {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // Area as 64 bits: rectangles of a few thousand pixels per side would overflow 32.
    constexpr std::int64_t Area() const { return std::int64_t(Width()) * Height(); }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Smallest rectangle holding both.
constexpr Rect BoundingBox(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The common part; may come out empty (width or height zero or negative).
constexpr Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

}  // namespace orb
