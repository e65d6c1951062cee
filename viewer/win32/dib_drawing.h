// Drawing GXDrawingSurface pictures through GDI: their header and palette as a
// BITMAPINFO, and 1:1 copies of a part of them into a device context.
#pragma once
#include <windows.h>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/rect.h"

namespace orb {

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

DibInfo DibInfoFor(const GXDrawingSurface& picture);

// Copies `source` (picture pixels, counted from the top) to (x, y) of dc.
void DrawPictureRect(HDC dc, int x, int y, const GXDrawingSurface& picture, const DibInfo& info, const Rect& source);

// Stretches `source` of the picture over `target` of dc.
void StretchPictureRect(HDC dc, const Rect& target, const GXDrawingSurface& picture, const DibInfo& info,
                        const Rect& source);

// The fixed palette as a GDI palette (caller deletes it). Its entries keep their
// own colours (PC_NOCOLLAPSE), so the saver's pictures match them exactly.
HPALETTE CreateFixedPalette();

}  // namespace orb
