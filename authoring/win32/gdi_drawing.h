// Small GDI helpers shared by the dialogs: bitmap resources drawn into controls,
// solid fills and pictures drawn from drawing surfaces.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/imaging/drawing_surface.h"
#include "win32/shared/gdi_object.h"

namespace orb {

// Colour values as the project keeps them: 0x00BBGGRR, red in the low byte.
void FillSolid(HDC dc, const RECT& area, std::uint32_t colour);
// Draws a bitmap resource stretched over `area`.
void DrawBitmapResource(HDC dc, const RECT& area, int resourceId);
void DrawBitmap(HDC dc, const RECT& area, HBITMAP bitmap);
// Draws an 8- or 24-bit surface with its top-left pixel at (x, y), unscaled.
void DrawSurface(HDC dc, const GXDrawingSurface& surface, int x, int y);
// Draws a 24-bit surface at (x, y) leaving pixels of colour `clear`
// (0x00BBGGRR) untouched, so the control shows through.
void DrawSurfaceTransparent(HDC dc, const GXDrawingSurface& surface, int x, int y, std::uint32_t clear);
// Pixels of the control's client area, for sizing pictures to it.
RECT ClientArea(HWND dialog, int controlId);
// Largest size of the same proportions as (width, height) that fits in the box;
// 0 by 0 for an empty picture.
void FitInside(int width, int height, int boxWidth, int boxHeight, int& fitWidth, int& fitHeight);

}  // namespace orb
