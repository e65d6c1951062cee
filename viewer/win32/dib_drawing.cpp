#include "viewer/win32/dib_drawing.h"

namespace orb {

void DrawPictureRect(HDC dc, int x, int y, const GXDrawingSurface& picture, const DibInfo& info, const Rect& source) {
    StretchPictureRect(dc, Rect{x, y, x + source.Width(), y + source.Height()}, picture, info, source);
}

void StretchPictureRect(HDC dc, const Rect& target, const GXDrawingSurface& picture, const DibInfo& info,
                        const Rect& source) {
    if (source.IsEmpty() || target.IsEmpty() || picture.pixels.empty()) return;
    // DIB rows run bottom-up: the source's bottom edge counts from the picture's bottom.
    StretchDIBits(dc, target.left, target.top, target.Width(), target.Height(), source.left,
                  picture.Height() - source.bottom, source.Width(), source.Height(), picture.pixels.data(),
                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace orb
