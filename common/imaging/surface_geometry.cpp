// Pasting, scaling, flipping, rotating and blitting GXDrawingSurface pictures.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "common/imaging/fixed_palette.h"

namespace orb {

namespace {

// sin and cos of whole degrees in 16.16 fixed point.
struct TrigTables {
    std::array<std::int32_t, 360> sin, cos;
};

const TrigTables& Trig() {
    static const TrigTables tables = [] {
        TrigTables t{};
        for (int i = 0; i < 360; ++i) {
            // Stored through volatile doubles so x87 builds round exactly as SSE ones.
            volatile double sine = std::sin(i * 0.0174532925);
            volatile double cosine = std::cos(i * 0.0174532925);
            volatile double sineScaled = sine * 65536, cosineScaled = cosine * 65536;
            t.sin[i] = static_cast<std::int32_t>(sineScaled);
            t.cos[i] = static_cast<std::int32_t>(cosineScaled);
        }
        return t;
    }();
    return tables;
}

std::int64_t IntegerSqrt(std::int64_t n) {
    std::int64_t r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (r * r > n) --r;
    while ((r + 1) * (r + 1) <= n) ++r;
    return r;
}

// Nearest-neighbour resampling by an integer accumulator: for each of `from`
// inputs add `to`; while the sum reaches `from`, output that input and subtract
// `from`. Entry k is the input that output k shows (`to` entries).
std::vector<int> NearestSources(int from, int to) {
    std::vector<int> sources;
    sources.reserve(static_cast<std::size_t>(to));
    std::int64_t accumulator = 0;
    for (int input = 0; input < from; ++input) {
        accumulator += to;
        while (accumulator >= from) {
            accumulator -= from;
            sources.push_back(input);
        }
    }
    return sources;
}

}  // namespace

std::int32_t FixedSin(int degrees) { return Trig().sin[((degrees % 360) + 360) % 360]; }
std::int32_t FixedCos(int degrees) { return Trig().cos[((degrees % 360) + 360) % 360]; }

bool GXDrawingSurface::Paste(GXDrawingSurface& target, int x, int y) const {
    const int bytes = BytesPerPixel(Depth());
    if (bytes == 0 || target.Depth() != Depth()) return false;
    const int firstColumn = std::max(0, -x), endColumn = std::min(Width(), target.Width() - x);
    const int firstRow = std::max(0, -y), endRow = std::min(Height(), target.Height() - y);
    if (firstColumn >= endColumn || firstRow >= endRow) return false;
    const std::size_t count = static_cast<std::size_t>(endColumn - firstColumn) * bytes;
    for (int row = firstRow; row < endRow; ++row)
        std::memcpy(target.Row(y + row).data() + static_cast<std::size_t>(x + firstColumn) * bytes,
                    Row(row).data() + static_cast<std::size_t>(firstColumn) * bytes, count);
    return true;
}

namespace {

// `source`'s rows resized by the accumulator rule, each padded with zeros.
std::vector<std::uint8_t> ScaledRows(const GXDrawingSurface& source, int newWidth, int newHeight,
                                     int bytes) {
    const int width = source.Width(), height = source.Height();
    const std::uint32_t newStride = StrideFor(source.Depth(), newWidth);
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(newStride) * newHeight, 0);
    const std::vector<int> rows = NearestSources(height, newHeight);
    const std::size_t rowBytes = static_cast<std::size_t>(newWidth) * bytes;
    // Where in its input row each output pixel comes from; the offsets rise along the row.
    std::vector<int> offsets = NearestSources(width, newWidth);
    for (int& offset : offsets) offset *= bytes;
    // 24-bit pixels are copied as whole words, the fourth byte overwritten by the
    // next pixel: all but the last, and none whose word would run past the input row.
    const std::int64_t inputRowBytes = source.Stride();
    const auto wordFits = [&](int offset) { return offset + 4 <= inputRowBytes; };
    const std::ptrdiff_t wordPixels = std::min<std::ptrdiff_t>(
        newWidth - 1, std::partition_point(offsets.begin(), offsets.end(), wordFits) - offsets.begin());
    for (int outRow = 0; outRow < newHeight; ++outRow) {
        std::uint8_t* out = scaled.data() + static_cast<std::size_t>(outRow) * newStride;
        // An input row shown twice (enlarging) is the output row before it again.
        if (outRow > 0 && rows[outRow] == rows[outRow - 1]) {
            std::memcpy(out, out - newStride, rowBytes);
            continue;
        }
        const std::uint8_t* in = source.Row(rows[outRow]).data();
        if (bytes == 1) {
            for (int x = 0; x < newWidth; ++x) out[x] = in[offsets[x]];
            continue;
        }
        std::ptrdiff_t x = 0;
        for (; x + 4 <= wordPixels; x += 4, out += 12) {  // four at a time: fewer steps a pixel
            std::memcpy(out, in + offsets[x], 4);
            std::memcpy(out + 3, in + offsets[x + 1], 4);
            std::memcpy(out + 6, in + offsets[x + 2], 4);
            std::memcpy(out + 9, in + offsets[x + 3], 4);
        }
        for (; x < wordPixels; ++x, out += 3) std::memcpy(out, in + offsets[x], 4);
        for (; x < newWidth; ++x, out += 3) std::memcpy(out, in + offsets[x], 3);
    }
    return scaled;
}

}  // namespace

bool GXDrawingSurface::Scale(int newWidth, int newHeight, ReportSink& sink) {
    return ScaleFrom(*this, newWidth, newHeight, sink);
}

bool GXDrawingSurface::ScaleFrom(const GXDrawingSurface& source, int newWidth, int newHeight,
                                 ReportSink& sink) {
    if (&source == this && newWidth == Width() && newHeight == Height()) return true;
    const int bytes = BytesPerPixel(source.Depth());
    if (bytes == 0) {
        sink.Error("Can only scale 8/24bit resources", name);
        return false;
    }
    const int width = source.Width(), height = source.Height();
    if (newWidth <= 0 || newHeight <= 0 || width <= 0 || height <= 0) return false;
    pixels = newWidth == width && newHeight == height ? source.pixels
                                                      : ScaledRows(source, newWidth, newHeight, bytes);
    infoHeader.width = newWidth;
    infoHeader.height = newHeight;
    infoHeader.imageSize = ImageBytes();
    fileHeader.size = static_cast<std::uint32_t>(infoHeader.imageSize + 4 * PaletteLength() +
                                                 kFileHeaderBytes + kInfoHeaderBytes);
    fileHeader.pixelOffset = fileHeader.size - infoHeader.imageSize;
    return true;
}

GXDrawingSurface GXDrawingSurface::ScaledCopy(int width, int height, ReportSink& sink) const {
    GXDrawingSurface copy;
    static_cast<SurfaceDescription&>(copy) = *this;
    copy.KeepSelfLink(firstFrame == this);
    if (!copy.ScaleFrom(*this, std::max(width, 1), std::max(height, 1), sink)) copy.pixels = pixels;
    return copy;
}

bool GXDrawingSurface::FlipHorizontal(Program program, ReportSink& sink) {
    const int bytes = BytesPerPixel(Depth());
    if (bytes == 0) {
        if (program == Program::Authoring) sink.Error("Can't flip in non-24bit mode", name);
        return false;
    }
    for (int row = 0; row < Height(); ++row) {
        std::uint8_t* p = Row(row).data();
        for (int i = 0, j = Width() - 1; i < j; ++i, --j)
            std::swap_ranges(p + i * bytes, p + (i + 1) * bytes, p + j * bytes);
    }
    return true;
}

bool GXDrawingSurface::FlipVertical(Program program, ReportSink& sink) {
    if (BytesPerPixel(Depth()) == 0) {
        if (program == Program::Authoring) sink.Error("Can't flip in non-24bit mode", name);
        return false;
    }
    for (int i = 0, j = Height() - 1; i < j; ++i, --j) {
        const auto a = Row(i), b = Row(j);
        std::swap_ranges(a.begin(), a.end(), b.begin());
    }
    return true;
}

void GXDrawingSurface::Rotate(int angle, Program program) {
    const int bytes = BytesPerPixel(Depth());
    if (bytes == 0 || Width() <= 0 || Height() <= 0) return;
    const int depth = Depth();
    const std::int64_t halfDiagonal =
        IntegerSqrt((std::int64_t(Width()) * Width() + std::int64_t(Height()) * Height()) / 4);
    const int side = squareCanvas ? Width()
                     : program == Program::Viewer ? static_cast<int>(2 * halfDiagonal)
                                                  : static_cast<int>(2 * (halfDiagonal + 1));

    GXDrawingSurface canvas;
    canvas.Create(depth, side, side);
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), 0xFF);
    Paste(canvas, (side - Width()) / 2, (side - Height()) / 2);  // clipped when taller than wide

    GXDrawingSurface turned;
    turned.Create(depth, side, side);
    std::fill(turned.pixels.begin(), turned.pixels.end(), 0xFF);
    TakePicture(std::move(turned));
    rotationSet.clear();
    if (depth == 8) {
        const auto& fixed = FixedPalette(program);
        palette.assign(fixed.begin(), fixed.end());
    }

    const std::int64_t c = FixedCos(angle), s = FixedSin(angle), h = side / 2;
    for (int j = 0; j < side; ++j) {
        std::uint8_t* out = Row(j).data();
        // Source position of pixel 0 of this row, stepped by (c, s) per pixel.
        std::int64_t xNumerator = (0 - h) * c - (j - h) * s + 0x8000;
        std::int64_t yNumerator = (0 - h) * s + (j - h) * c + 0x8000;
        for (int i = 0; i < side; ++i, xNumerator += c, yNumerator += s, out += bytes) {
            const std::int64_t x = h + (xNumerator >> 16), y = h + (yNumerator >> 16);
            if (x >= 0 && x < side && y >= 0 && y < side)
                std::memcpy(out, canvas.Row(static_cast<int>(y)).data() + x * bytes, bytes);
        }
    }
}

bool GXDrawingSurface::Blt(GXDrawingSurface& source, int left, int top, int right, int bottom,
                           int sourceX, int sourceY, int code, ReportSink& sink) {
    const int bytes = BytesPerPixel(Depth());
    if (bytes == 0 || source.Depth() != Depth()) return false;
    if (code != kBltCopy && code != kBltTransparent && code != kBltEraseCapture) {
        if (Depth() == 8) sink.Error("Unsupported Blt code passed to GXDrawingSurface8Bit", name);
        return false;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width() - 1);
    bottom = std::min(bottom, Height() - 1);
    const int columns = right - left, rows = bottom - top;
    if (columns <= 0 || rows <= 0) return false;
    if (sourceX < 0 || sourceY < 0 || std::int64_t(sourceX) + columns > source.Width() ||
        std::int64_t(sourceY) + rows > source.Height())
        return false;

    // Rows are counted from the top of the picture; storage keeps them bottom-up.
    auto destinationPixel = [&](int r, int col) {
        return Row(Height() - 1 - (top + r)).data() + static_cast<std::size_t>(left + col) * bytes;
    };
    auto sourcePixel = [&](int r, int col) {
        return source.Row(source.Height() - 1 - (sourceY + r)).data() +
               static_cast<std::size_t>(sourceX + col) * bytes;
    };
    if (code == kBltEraseCapture) {
        const std::vector<std::uint8_t> kept = source.pixels;
        for (int r = 0; r < rows; ++r)
            for (int col = 0; col < columns; ++col) {
                std::uint8_t* p = sourcePixel(r, col);
                if (!IsWhitePixel(p, bytes)) std::memcpy(p, destinationPixel(r, col), bytes);
            }
        const std::size_t stride = source.Stride();
        for (int row = 0; row < source.Height(); ++row)
            for (int x = 0; x < source.Width(); ++x) {
                const std::size_t at = row * stride + static_cast<std::size_t>(x) * bytes;
                if (std::memcmp(&source.pixels[at], &kept[at], bytes) == 0)
                    std::memset(&source.pixels[at], 0xFF, bytes);
            }
        return true;
    }
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < columns; ++col) {
            const std::uint8_t* p = sourcePixel(r, col);
            if (code == kBltCopy || !IsWhitePixel(p, bytes))
                std::memcpy(destinationPixel(r, col), p, bytes);
        }
    return true;
}

}  // namespace orb
