#include "authoring/win32/gdi_drawing.h"

#include <algorithm>

#include "win32/shared/dib_info.h"

namespace orb {

void FitInside(int width, int height, int boxWidth, int boxHeight, int& fitWidth, int& fitHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        fitWidth = fitHeight = 0;
        return;
    }
    if (static_cast<long long>(width) * boxHeight > static_cast<long long>(height) * boxWidth) {
        fitWidth = boxWidth;
        fitHeight = std::max(1, static_cast<int>(static_cast<long long>(height) * boxWidth / width));
    } else {
        fitHeight = boxHeight;
        fitWidth = std::max(1, static_cast<int>(static_cast<long long>(width) * boxHeight / height));
    }
}

void FillSolid(HDC dc, const RECT& area, std::uint32_t colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour & 0xFFFFFF));
    FillRect(dc, &area, brush.get());
}

void DrawBitmap(HDC dc, const RECT& area, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void DrawBitmapResource(HDC dc, const RECT& area, int resourceId) {
    Bitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DrawBitmap(dc, area, bitmap.get());
}

namespace {

// On a palette display the fixed palette is selected and realised into the
// context while a picture is drawn, so 8-bit pictures show their own colours.
class FixedPaletteSelection {
public:
    explicit FixedPaletteSelection(HDC dc) : dc_(dc) {
        if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return;
        palette_ = GdiObject<HPALETTE>(CreateFixedPalette(0));
        if (!palette_) return;
        previous_ = SelectPalette(dc, palette_.get(), FALSE);
        RealizePalette(dc);
    }
    ~FixedPaletteSelection() {
        if (previous_) SelectPalette(dc_, previous_, FALSE);
    }
    FixedPaletteSelection(const FixedPaletteSelection&) = delete;
    FixedPaletteSelection& operator=(const FixedPaletteSelection&) = delete;

private:
    HDC dc_;
    GdiObject<HPALETTE> palette_;
    HPALETTE previous_ = nullptr;
};

}  // namespace

void DrawSurface(HDC dc, const GXDrawingSurface& surface, int x, int y) {
    DibInfo info;
    if (!DescribeDib(surface, info)) return;
    FixedPaletteSelection palette(dc);
    SetDIBitsToDevice(dc, x, y, surface.Width(), surface.Height(), 0, 0, 0, surface.Height(),
                      surface.pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

void DrawSurfaceTransparent(HDC dc, const GXDrawingSurface& surface, int x, int y, std::uint32_t clear) {
    DibInfo info;
    if (!DescribeDib(surface, info)) return;
    FixedPaletteSelection palette(dc);
    HDC memory = CreateCompatibleDC(dc);
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) {
        std::copy(surface.pixels.begin(), surface.pixels.begin() + surface.ImageBytes(),
                  static_cast<std::uint8_t*>(bits));
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        TransparentBlt(dc, x, y, surface.Width(), surface.Height(), memory, 0, 0, surface.Width(),
                       surface.Height(), clear & 0xFFFFFF);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

RECT ClientArea(HWND dialog, int controlId) {
    RECT area{};
    GetClientRect(GetDlgItem(dialog, controlId), &area);
    return area;
}

}  // namespace orb
