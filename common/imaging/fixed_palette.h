// The fixed 256-colour palette every 8-bit picture uses, and the two ways of
// matching colours against it.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "common/imaging/drawing_surface.h"

namespace orb {

// The table as red, green, blue triples (768 bytes). Entries 0..9 and 246..255
// are the colours Windows reserves; entry 255 is white.
const std::array<std::uint8_t, 768>& FixedPaletteRgb();

// The table expanded into palette entries. In the authoring program entry 255 is
// red 0x12, green 0x34, blue 0x56 instead of white.
const std::array<PaletteEntry, 256>& FixedPalette(Program program);

// Colours passed between operations: red in the low byte, then green, then blue.
constexpr std::uint32_t MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
}

// The nearest of entries 0..254 by squared distance, lowest index on ties; never
// 255. Viewer rule, used by Fill.
int NearestPaletteIndex(std::uint32_t colour);
// The authoring program's search: all 256 entries of `palette`, bound 195076,
// lowest index on ties.
int NearestPaletteIndexAllEntries(std::uint32_t colour, std::span<const PaletteEntry> palette);

// Floyd-Steinberg error diffusion of a 24-bit `source` onto the palette of the
// 8-bit `target` (same size; the caller sets the target's palette). Fills the
// target's pixels.
void DitherTo8(const GXDrawingSurface& source, GXDrawingSurface& target);

}  // namespace orb
