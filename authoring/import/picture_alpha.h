// What a picture's opacity becomes in Orbellan, whose pictures are either opaque or
// keyed by a colour: on its own, a picture is shown over white (backdrops, banners,
// previews); as an actor, its transparent pixels take the key colour and its opaque
// ones are kept clear of the key.
#pragma once
#include <cstdint>

#include "authoring/import/packed_image.h"
#include "common/imaging/drawing_surface.h"

namespace orb {

// The key of actors keyed by their pictures' opacity: pure white, which every part
// of both programs already treats as transparent, with the least tolerance the
// Modify Actor dialog keeps (it raises 0 to 1).
inline constexpr ColourKey kOpacityKey{255, 255, 255, 1};

// Below half opacity a pixel counts as transparent.
inline bool IsTransparentAlpha(std::uint8_t alpha) { return alpha < 128; }

bool HasTransparentPixels(const PackedImage& image);

// Mixes every pixel with white by its opacity (rounded) and drops the opacity plane.
void FlattenOverWhite(PackedImage& image);

// Transparent pixels become the key colour of kOpacityKey; opaque pixels the key
// would remove move to the nearest colour it keeps (one channel stepped just out
// of the key's range, the channel that needs the smallest step, blue first on a
// tie). Drops the opacity plane; a picture without one only has its pixels kept
// clear of the key.
void KeyByOpacity(PackedImage& image);

}  // namespace orb
