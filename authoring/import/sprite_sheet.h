// Cutting a sprite sheet (the frames of an animation drawn side by side in a grid)
// into its frames.
#pragma once
#include <cstdint>
#include <vector>

#include "authoring/import/packed_image.h"

namespace orb {

// The first `count` cells of a 24-bit sheet of `columns` x `rows` equal cells,
// left to right along each row, rows from the top, each with its opacity. A cell
// is width / columns by height / rows pixels; what is left over at the right and
// the bottom belongs to no cell. Empty when a cell would have no pixels or
// `count` is not within 1..columns x rows.
std::vector<PackedImage> CutIntoCells(const PackedImage& sheet, std::int32_t columns, std::int32_t rows,
                                      std::int32_t count);

}  // namespace orb
