// The colour-keyed row copy of the software display: white source pixels are
// skipped, every other pixel is copied. With SSE2 it takes 16 pixels at once,
// copying, skipping or blending them whole; without, it goes pixel by pixel. Both
// give the same bytes.
#pragma once
#include <cstdint>
#include <vector>

#include "common/imaging/drawing_surface.h"

namespace orb {

// The columns [first, end) of a picture's row outside which the row is white
// (first == end: all of it is).
struct RowSpan {
    int first = 0;
    int end = 0;
    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// Each row's span of colour, the top row first; rows of a depth other than 8 or
// 24 bits count as colour throughout.
std::vector<RowSpan> FindColourRows(const GXDrawingSurface& picture);

// Copies `count` pixels of `bytesPerPixel` bytes (1: index 255 is white; 3: white
// is 255, 255, 255) from `in` to `out`, leaving `out` as it was under white ones.
void CopyKeyedRow(std::uint8_t* out, const std::uint8_t* in, int count, int bytesPerPixel);

}  // namespace orb
