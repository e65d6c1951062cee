// Pictures described to GDI: a GXDrawingSurface's header and palette as a
// BITMAPINFO, and the fixed 256-colour palette as a GDI palette.
#pragma once
#include <windows.h>

#include "common/imaging/drawing_surface.h"

namespace orb {

// BITMAPINFO with room for a full palette.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// Fills `info` for an 8- or 24-bit picture. False, leaving `info` alone, for an
// empty picture, any other depth, or fewer pixels than the header promises
// (GDI would read past them).
bool DescribeDib(const GXDrawingSurface& picture, DibInfo& info);

// A bottom-up 24-bit header of the size, for pictures read back from the screen.
BITMAPINFOHEADER Dib24Header(int width, int height);

// The fixed palette as a GDI palette (caller deletes it), `entryFlags` on every
// entry (PC_NOCOLLAPSE keeps each colour in a system entry of its own).
HPALETTE CreateFixedPalette(BYTE entryFlags);

}  // namespace orb
