#include "viewer/win32/dib_drawing.h"

#include <cstddef>
#include <cstring>

#include "common/imaging/fixed_palette.h"

namespace orb {

DibInfo DibInfoFor(const GXDrawingSurface& picture) {
    DibInfo info{};
    const BitmapInfoHeader& h = picture.infoHeader;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = h.width;
    info.header.biHeight = h.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = h.bitCount;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = picture.ImageBytes();
    std::size_t colours = picture.palette.size() < 256 ? picture.palette.size() : 256;
    info.header.biClrUsed = static_cast<DWORD>(colours);
    static_assert(sizeof(PaletteEntry) == sizeof(RGBQUAD));
    if (colours) std::memcpy(info.colours, picture.palette.data(), colours * sizeof(RGBQUAD));
    return info;
}

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

HPALETTE CreateFixedPalette() {
    // LOGPALETTE declares one entry; the other 255 follow it in the same block.
    alignas(LOGPALETTE) BYTE block[sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY)] = {};
    auto* table = reinterpret_cast<LOGPALETTE*>(block);
    auto* entries = reinterpret_cast<PALETTEENTRY*>(block + offsetof(LOGPALETTE, palPalEntry));
    table->palVersion = 0x300;
    table->palNumEntries = 256;
    const auto& rgb = FixedPaletteRgb();
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2], PC_NOCOLLAPSE};
    return CreatePalette(table);
}

}  // namespace orb
