// Scaling a decoded picture down to a size a sprite can sensibly have.
#pragma once
#include <cstdint>

#include "authoring/import/packed_image.h"

namespace orb {

// Scales a 24-bit picture down to SizeWithin(largestSide). Each new pixel is the
// average of the block of old pixels it covers, weighted by their opacity (so
// transparent pixels lend it no colour); its opacity is the block's mean. False,
// and the picture unchanged, when it fits already.
bool ShrinkToFit(PackedImage& image, std::int32_t largestSide);

}  // namespace orb
