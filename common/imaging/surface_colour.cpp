// Depth conversions, filling and the transparency operations of GXDrawingSurface.
#include <algorithm>
#include <array>
#include <string>

#include "common/imaging/drawing_surface.h"
#include "common/imaging/fixed_palette.h"

namespace orb {

namespace {

bool InKeyRange(std::uint8_t blue, std::uint8_t green, std::uint8_t red, const ColourKey& key) {
    auto within = [&](int value, int component) {
        const int low = std::max(0, component - key.tolerance);
        const int high = std::min(255, component + key.tolerance);
        return value >= low && value <= high;
    };
    return within(blue, key.blue) && within(green, key.green) && within(red, key.red);
}

// Every index's palette entry, black where the palette is too short for it.
std::array<PaletteEntry, 256> EveryEntry(const std::vector<PaletteEntry>& palette) {
    std::array<PaletteEntry, 256> entries{};
    std::copy_n(palette.begin(), std::min(palette.size(), entries.size()), entries.begin());
    return entries;
}

// The 8-bit dither of a 24-bit surface; entry 255 of the palette may be replaced
// during the dither.
GXDrawingSurface DitheredCopy(const GXDrawingSurface& source, Program program,
                              const PaletteEntry* entry255DuringDither) {
    GXDrawingSurface target;
    target.Create(8, source.Width(), source.Height());
    const auto& fixed = FixedPalette(program);
    target.palette.assign(fixed.begin(), fixed.end());
    if (entry255DuringDither != nullptr) target.palette[255] = *entry255DuringDither;
    DitherTo8(source, target);
    target.palette[255] = fixed[255];
    return target;
}

}  // namespace

bool GXDrawingSurface::ConvertTo24(Program program, ReportSink& sink) {
    const int depth = Depth();
    if (depth == 24) return true;
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) {
        if (program == Program::Viewer)
            sink.Information(std::to_string(depth) + " bit bitmaps unsupported", name);
        return false;
    }
    const int width = Width(), height = Height();
    GXDrawingSurface converted;
    converted.Create(24, width, height);
    const std::array<PaletteEntry, 256> entries = EveryEntry(palette);
    const unsigned indexMask = (1u << std::min(depth, 8)) - 1;
    for (int row = 0; row < height; ++row) {
        const auto in = Row(row);
        std::uint8_t* out = converted.Row(row).data();
        for (int x = 0; x < width; ++x, out += 3) {
            if (depth == 16) {
                const unsigned word = in[2 * x] | in[2 * x + 1] << 8;
                out[0] = static_cast<std::uint8_t>((word & 0x1F) << 3);
                out[1] = static_cast<std::uint8_t>(((word >> 5) & 0x1F) << 3);
                out[2] = static_cast<std::uint8_t>(((word >> 10) & 0x1F) << 3);
                continue;
            }
            // Pixel x starts at bit x * depth of the row, most significant bits first.
            const std::size_t bit = std::size_t(x) * depth;
            const int shift = 8 - depth - static_cast<int>(bit & 7);
            const PaletteEntry e = entries[(in[bit >> 3] >> shift) & indexMask];
            out[0] = e.blue;
            out[1] = e.green;
            out[2] = e.red;
        }
    }
    converted.infoHeader.xPelsPerMeter = infoHeader.xPelsPerMeter;
    converted.infoHeader.yPelsPerMeter = infoHeader.yPelsPerMeter;
    converted.infoHeader.coloursImportant = infoHeader.coloursImportant;
    TakePicture(std::move(converted));
    return true;
}

void GXDrawingSurface::ConvertTo8(Program program) {
    if (Depth() != 24) return;
    GXDrawingSurface result = DitheredCopy(*this, program, nullptr);
    *this = std::move(result);
}

void GXDrawingSurface::ConvertTo8Keyed(Program program) {
    if (Depth() != 24) return;
    // Keeps opaque colours off the transparent index while dithering.
    const PaletteEntry outOfTheWay{0x12, 0x34, 0x56, 0};
    GXDrawingSurface result = DitheredCopy(*this, program, &outOfTheWay);
    for (int row = 0; row < Height(); ++row) {
        const std::uint8_t* in = Row(row).data();
        const auto out = result.Row(row);
        for (int x = 0; x < Width(); ++x, in += 3)
            if (IsWhitePixel(in, 3) || (key.tolerance >= 1 && InKeyRange(in[0], in[1], in[2], key)))
                out[x] = 255;
    }
    TakePicture(std::move(result));
}

void GXDrawingSurface::ApplyColourKey(int mode, Program program) {
    if (Depth() != 24) return;
    const std::uint8_t keyBytes[3] = {static_cast<std::uint8_t>(std::clamp(key.blue, 0, 255)),
                                      static_cast<std::uint8_t>(std::clamp(key.green, 0, 255)),
                                      static_cast<std::uint8_t>(std::clamp(key.red, 0, 255))};
    const int nearWhite = program == Program::Viewer ? 254 : 247;  // lowest byte value replaced
    const std::uint8_t replacement = program == Program::Viewer ? 253 : 247;
    for (int row = 0; row < Height(); ++row) {
        std::uint8_t* p = Row(row).data();
        for (int x = 0; x < Width(); ++x, p += 3) {
            if (mode == 0 && program == Program::Viewer) {
                if (InKeyRange(p[0], p[1], p[2], key)) p[0] = p[1] = p[2] = 255;
            } else if (mode == 0) {
                if (IsWhitePixel(p, 3)) std::copy_n(keyBytes, 3, p);
            } else if (mode == 1) {
                if (p[0] >= nearWhite && p[1] >= nearWhite && p[2] >= nearWhite)
                    p[0] = p[1] = p[2] = replacement;
            }
        }
    }
}

void GXDrawingSurface::Fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (Depth() != 8 && Depth() != 24) return;
    const auto index = static_cast<std::uint8_t>(NearestPaletteIndex(MakeColour(red, green, blue)));
    for (int row = 0; row < Height(); ++row) {
        const auto r = Row(row);
        std::fill(r.begin(), r.end(), 0);
        for (int x = 0; x < Width(); ++x) {
            if (Depth() == 8) {
                r[x] = index;
            } else {
                r[3 * x] = blue;
                r[3 * x + 1] = green;
                r[3 * x + 2] = red;
            }
        }
    }
}

void GXDrawingSurface::PaintTransparent(std::uint32_t match, std::uint32_t background) {
    const std::uint8_t matchBytes[3] = {std::uint8_t(match), std::uint8_t(match >> 8),
                                        std::uint8_t(match >> 16)};
    const std::uint8_t backBytes[3] = {std::uint8_t(background), std::uint8_t(background >> 8),
                                       std::uint8_t(background >> 16)};
    auto transparent = [&](const std::uint8_t* p) {
        return std::equal(p, p + 3, matchBytes) || IsWhitePixel(p, 3) ||
               (key.tolerance >= 1 && InKeyRange(p[0], p[1], p[2], key));
    };
    if (Depth() == 24) {
        for (int row = 0; row < Height(); ++row) {
            std::uint8_t* p = Row(row).data();
            for (int x = 0; x < Width(); ++x, p += 3)
                if (transparent(p)) std::copy_n(backBytes, 3, p);
        }
    } else if (Depth() == 8) {
        bool clear[256];
        const std::array<PaletteEntry, 256> entries = EveryEntry(palette);
        for (unsigned i = 0; i < 256; ++i) {
            const PaletteEntry& e = entries[i];
            const std::uint8_t bytes[3] = {e.blue, e.green, e.red};
            clear[i] = transparent(bytes);
        }
        const auto index = static_cast<std::uint8_t>(NearestPaletteIndexAllEntries(
            MakeColour(backBytes[2], backBytes[1], backBytes[0]), palette));
        for (int row = 0; row < Height(); ++row) {
            const auto r = Row(row);
            for (int x = 0; x < Width(); ++x)
                if (clear[r[x]]) r[x] = index;
        }
    }
}

OpaqueBounds GXDrawingSurface::FindOpaqueBounds() const {
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0 || (Depth() != 8 && Depth() != 24)) return {};
    auto white = [&](int x, int row) {
        const std::uint8_t* p = Row(row).data();
        return Depth() == 8 ? IsWhitePixel(p + x, 1) : IsWhitePixel(p + 3 * x, 3);
    };
    const int midRow = height / 2, midColumn = width / 2;
    OpaqueBounds b;
    b.left = 0;
    while (b.left < width - 1 && white(b.left, midRow)) ++b.left;
    b.right = 0;
    for (int x = width - 1; x >= 1; --x)
        if (!white(x, midRow)) {
            b.right = x;
            break;
        }
    b.top = 0;
    while (b.top < height - 1 && white(midColumn, b.top)) ++b.top;
    b.bottom = 0;
    for (int row = height - 1; row >= 1; --row)
        if (!white(midColumn, row)) {
            b.bottom = row;
            break;
        }
    if (b.left >= b.right) b.left = 0, b.right = width - 1;
    if (b.top >= b.bottom) b.top = 0, b.bottom = height - 1;
    return b;
}

}  // namespace orb
