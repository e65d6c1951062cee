#include "viewer/engine/software_display.h"

#include <algorithm>
#include <cstring>

#include "common/imaging/fixed_palette.h"
#include "viewer/engine/keyed_copy.h"

namespace orb {
namespace {

void UseFixedPalette(GXDrawingSurface& picture) {
    if (picture.Depth() != 8) return;
    const auto& palette = FixedPalette(Program::Viewer);
    picture.palette.assign(palette.begin(), palette.end());
}

// A top-down row index as the picture stores it (bottom-up).
std::uint8_t* RowStart(GXDrawingSurface& picture, int topDownRow) {
    return picture.pixels.data() +
           std::size_t(picture.Height() - 1 - topDownRow) * picture.Stride();
}
const std::uint8_t* RowStart(const GXDrawingSurface& picture, int topDownRow) {
    return picture.pixels.data() +
           std::size_t(picture.Height() - 1 - topDownRow) * picture.Stride();
}

// Copies a width x height block of rows from (sx, sy) of `source` to (dx, dy) of
// `target`, clipped to both pictures; both have the same depth. With `keyed`,
// white source pixels are skipped, and so is all outside `colourRows` when it has
// a span for each source row. Returns the target rectangle written.
Rect CopyBlock(GXDrawingSurface& target, int dx, int dy, const GXDrawingSurface& source, int sx,
               int sy, int width, int height, bool keyed, std::span<const RowSpan> colourRows = {}) {
    // Clip against the source, then the target, moving both origins together.
    auto clip = [&](int& s, int& d, int& extent, int sourceLimit, int targetLimit) {
        if (s < 0) { d -= s; extent += s; s = 0; }
        if (d < 0) { s -= d; extent += d; d = 0; }
        extent = std::min({extent, sourceLimit - s, targetLimit - d});
    };
    clip(sx, dx, width, source.Width(), target.Width());
    clip(sy, dy, height, source.Height(), target.Height());
    if (width <= 0 || height <= 0) return {};
    const int bytes = target.Depth() / 8;
    const bool spans = keyed && colourRows.size() == std::size_t(source.Height());
    // Rows are stored bottom-up: each next row lies one stride lower.
    const std::size_t outStride = target.Stride(), inStride = source.Stride();
    std::uint8_t* const outFirst = RowStart(target, dy) + std::size_t(dx) * bytes;
    const std::uint8_t* const inFirst = RowStart(source, sy) + std::size_t(sx) * bytes;
    for (int row = 0; row < height; ++row) {
        std::uint8_t* out = outFirst - std::size_t(row) * outStride;
        const std::uint8_t* in = inFirst - std::size_t(row) * inStride;
        if (spans) {
            // The row's colour, as columns of the block.
            const RowSpan colour = colourRows[std::size_t(sy + row)];
            const int first = std::max(colour.first - sx, 0), end = std::min(colour.end - sx, width);
            if (first < end) CopyKeyedRow(out + first * bytes, in + first * bytes, end - first, bytes);
        } else if (keyed) {
            CopyKeyedRow(out, in, width, bytes);
        } else {
            std::memcpy(out, in, std::size_t(width) * bytes);
        }
    }
    return {dx, dy, dx + width, dy + height};
}

// `picture` at `depth`: itself, or a copy converted as the system's blit would
// convert it, kept in `converted`. Null when it cannot be converted.
const GXDrawingSurface* AtDepth(const GXDrawingSurface& picture, int depth, GXDrawingSurface& converted) {
    if (picture.Depth() == depth) return &picture;
    converted = picture;
    NullReportSink quiet;
    if (depth == 8)
        converted.ConvertTo8Keyed(Program::Viewer);
    else
        converted.ConvertTo24(Program::Viewer, quiet);
    return converted.Depth() == depth ? &converted : nullptr;
}

}  // namespace

SoftwareSurface::SoftwareSurface(int depth, int width, int height) {
    picture.Create(depth, std::max(width, 1), std::max(height, 1));
    UseFixedPalette(picture);
}

bool SoftwareDisplay::Open(int width, int height, int bitsPerPixel, ReportSink& reports) {
    if (width <= 0 || height <= 0) {
        reports.Error("Failed to create DD Surface");
        return false;
    }
    depth_ = requestedDepth_ == 8 || requestedDepth_ == 24 ? requestedDepth_
                                                           : (bitsPerPixel <= 8 ? 8 : 24);
    screen_ = std::make_unique<SoftwareSurface>(depth_, width, height);
    changed_.clear();
    return true;
}

void SoftwareDisplay::NoteChanged(const Rect& rect) {
    // A host that never asks must not make the list grow without end.
    if (changed_.size() >= 4096) {
        Rect all = changed_.front();
        for (const Rect& r : changed_) all = BoundingBox(all, r);
        changed_.assign(1, all);
    }
    changed_.push_back(rect);
}

void SoftwareDisplay::Close(ReportSink&) { screen_.reset(); }

std::unique_ptr<DisplaySurface> SoftwareDisplay::CreateSurface(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<SoftwareSurface>(depth_, width, height);
}

bool SoftwareDisplay::DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x,
                                  int y) {
    auto& surface = static_cast<SoftwareSurface&>(target).picture;
    if (picture.Empty()) return false;
    GXDrawingSurface converted;
    const GXDrawingSurface* drawn = AtDepth(picture, surface.Depth(), converted);
    if (!drawn) return false;
    CopyBlock(surface, x, y, *drawn, 0, 0, drawn->Width(), drawn->Height(), false);
    return true;
}

BlitResult SoftwareDisplay::Blit(DisplaySurface& target, int x, int y, DisplaySurface& source,
                                 const Rect& sourceRect, bool keyed) {
    return CopyOnto(target, x, y, static_cast<SoftwareSurface&>(source).picture, {}, sourceRect, keyed);
}

BlitResult SoftwareDisplay::BlitPicture(DisplaySurface& target, int x, int y,
                                        const GXDrawingSurface& picture,
                                        std::span<const RowSpan> colourRows, const Rect& sourceRect,
                                        bool keyed) {
    GXDrawingSurface converted;
    const GXDrawingSurface* from =
        AtDepth(picture, static_cast<SoftwareSurface&>(target).picture.Depth(), converted);
    if (!from) return BlitResult::Failed;
    // The spans describe the picture as it was given, not a converted copy.
    return CopyOnto(target, x, y, *from, from == &picture ? colourRows : std::span<const RowSpan>{},
                    sourceRect, keyed);
}

BlitResult SoftwareDisplay::CopyOnto(DisplaySurface& target, int x, int y, const GXDrawingSurface& from,
                                     std::span<const RowSpan> colourRows, const Rect& sourceRect,
                                     bool keyed) {
    auto& to = static_cast<SoftwareSurface&>(target).picture;
    if (to.Depth() != from.Depth()) return BlitResult::Failed;
    const Rect written = CopyBlock(to, x, y, from, sourceRect.left, sourceRect.top,
                                   sourceRect.Width(), sourceRect.Height(), keyed, colourRows);
    if (screen_ && &target == screen_.get() && !written.IsEmpty()) NoteChanged(written);
    return BlitResult::Ok;
}

bool SoftwareDisplay::FillOnScreen(std::span<const ScreenFill> fills) {
    if (!screen_) return false;
    GXDrawingSurface& screen = screen_->picture;
    const Rect whole{0, 0, screen.Width(), screen.Height()};
    for (const ScreenFill& fill : fills) {
        const Rect r = Intersect(fill.rect, whole);
        if (r.IsEmpty()) continue;
        const std::uint8_t red = fill.colour & 0xFF, green = (fill.colour >> 8) & 0xFF,
                           blue = (fill.colour >> 16) & 0xFF;
        const std::uint8_t index = static_cast<std::uint8_t>(NearestPaletteIndex(fill.colour));
        for (int row = r.top; row < r.bottom; ++row) {
            std::uint8_t* out = RowStart(screen, row);
            for (int column = r.left; column < r.right; ++column) {
                if (depth_ == 8) {
                    out[column] = index;
                } else {
                    out[3 * column] = blue;
                    out[3 * column + 1] = green;
                    out[3 * column + 2] = red;
                }
            }
        }
        NoteChanged(r);
    }
    return true;
}

const GXDrawingSurface* SoftwareDisplay::ScreenPicture() const {
    return screen_ ? &screen_->picture : nullptr;
}

std::vector<Rect> SoftwareDisplay::TakeChangedRects() {
    std::vector<Rect> rects;
    rects.swap(changed_);
    return rects;
}

}  // namespace orb
