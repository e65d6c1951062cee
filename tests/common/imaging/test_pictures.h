// Small helpers for building and probing pictures in tests.
#pragma once
#include <cstdint>
#include <vector>

#include "common/imaging/drawing_surface.h"

namespace orb::test {

struct Bgr {
    std::uint8_t b, g, r;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

inline Bgr PixelAt(const GXDrawingSurface& s, int x, int storageRow) {
    const std::uint8_t* p = s.Row(storageRow).data() + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void SetPixel(GXDrawingSurface& s, int x, int storageRow, Bgr c) {
    std::uint8_t* p = s.Row(storageRow).data() + 3 * x;
    p[0] = c.b, p[1] = c.g, p[2] = c.r;
}

// A 24-bit picture whose pixel (x, row) is a colour unique to that place.
inline GXDrawingSurface Numbered24(int width, int height) {
    GXDrawingSurface s;
    s.Create(24, width, height);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            SetPixel(s, x, row, {std::uint8_t(x), std::uint8_t(row), std::uint8_t(10 * x + row + 1)});
    return s;
}

// An 8-bit picture whose pixel (x, row) is index row * width + x + 1.
inline GXDrawingSurface Numbered8(int width, int height) {
    GXDrawingSurface s;
    s.Create(8, width, height);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) s.Row(row)[x] = std::uint8_t(row * width + x + 1);
    return s;
}

}  // namespace orb::test
