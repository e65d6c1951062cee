// Drawing parts of GXDrawingSurface pictures through GDI, 1:1 or stretched;
// `info` comes from DescribeDib.
#pragma once
#include <windows.h>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/rect.h"
#include "win32/shared/dib_info.h"

namespace orb {

// Copies `source` (picture pixels, counted from the top) to (x, y) of dc.
void DrawPictureRect(HDC dc, int x, int y, const GXDrawingSurface& picture, const DibInfo& info, const Rect& source);

// Stretches `source` of the picture over `target` of dc.
void StretchPictureRect(HDC dc, const Rect& target, const GXDrawingSurface& picture, const DibInfo& info,
                        const Rect& source);

}  // namespace orb
