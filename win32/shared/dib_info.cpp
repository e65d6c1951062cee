#include "win32/shared/dib_info.h"

#include <algorithm>
#include <cstddef>

#include "common/imaging/fixed_palette.h"

namespace orb {

bool DescribeDib(const GXDrawingSurface& picture, DibInfo& info) {
    if (picture.Empty() || (picture.Depth() != 8 && picture.Depth() != 24)) return false;
    if (picture.pixels.size() < picture.ImageBytes()) return false;
    info = {};
    info.header = Dib24Header(picture.Width(), picture.Height());
    info.header.biBitCount = static_cast<WORD>(picture.Depth());
    info.header.biSizeImage = picture.ImageBytes();
    if (picture.Depth() == 8) {
        const std::size_t colours = std::min<std::size_t>(picture.palette.size(), 256);
        info.header.biClrUsed = static_cast<DWORD>(colours);
        for (std::size_t i = 0; i < colours; ++i)
            info.colours[i] = {picture.palette[i].blue, picture.palette[i].green, picture.palette[i].red, 0};
    }
    return true;
}

BITMAPINFOHEADER Dib24Header(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

HPALETTE CreateFixedPalette(BYTE entryFlags) {
    // LOGPALETTE declares one entry; the other 255 follow it in the same block.
    alignas(LOGPALETTE) BYTE block[sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY)] = {};
    auto* table = reinterpret_cast<LOGPALETTE*>(block);
    auto* entries = reinterpret_cast<PALETTEENTRY*>(block + offsetof(LOGPALETTE, palPalEntry));
    table->palVersion = 0x300;
    table->palNumEntries = 256;
    const auto& rgb = FixedPaletteRgb();
    for (int i = 0; i < 256; ++i) entries[i] = PALETTEENTRY{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2], entryFlags};
    return CreatePalette(table);
}

}  // namespace orb
