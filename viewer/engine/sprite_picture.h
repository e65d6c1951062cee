// A sprite's picture with what the draw list keeps knowing about it, found once
// when the picture is made: its opaque bounds, which moving sprites ask for every
// frame, and each row's span of colour, so keyed blits read no white margin.
#pragma once
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/keyed_copy.h"

namespace orb {

struct SpritePicture {
    GXDrawingSurface picture;
    OpaqueBounds opaque;              // picture.FindOpaqueBounds()
    std::vector<RowSpan> colourRows;  // FindColourRows(picture)
};

// Brings `sprite`'s bounds and spans up to date with its picture.
inline void Survey(SpritePicture& sprite) {
    sprite.opaque = sprite.picture.FindOpaqueBounds();
    sprite.colourRows = FindColourRows(sprite.picture);
}

}  // namespace orb
