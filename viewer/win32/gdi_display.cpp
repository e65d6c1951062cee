#include "viewer/win32/gdi_display.h"

#include "viewer/engine/monitor_layout.h"
#include "viewer/win32/dib_drawing.h"

namespace orb {

GdiDisplay::~GdiDisplay() {
    NullReportSink quiet;  // GDI's close reports nothing
    Close(quiet);
}

bool GdiDisplay::Open(int width, int height, int bitsPerPixel, ReportSink& reports) {
    if (!memory_.Open(width, height, bitsPerPixel, reports)) return false;
    if (memory_.DrawingDepth() == 8) {
        // Each colour keeps a system entry of its own, so pictures match it exactly.
        palette_ = GdiObject<HPALETTE>(CreateFixedPalette(PC_NOCOLLAPSE));
        HDC dc = GetDC(window_);
        if (dc && palette_) {
            HPALETTE previous = SelectPalette(dc, palette_.get(), FALSE);
            RealizePalette(dc);
            SelectPalette(dc, previous, FALSE);
        }
        if (dc) ReleaseDC(window_, dc);
    }
    return true;
}

void GdiDisplay::Close(ReportSink& reports) {
    memory_.Close(reports);
    palette_ = GdiObject<HPALETTE>();
    // No ChangeDisplaySettings here: the viewer never changes the display mode, and
    // a reset to the registry's mode makes the system lay out every monitor anew
    // (under Wine with Xinerama heads it even ends the process with code 1).
}

bool GdiDisplay::DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) {
    bool drawn = memory_.DrawPicture(target, picture, x, y);
    if (&target == &memory_.Screen()) PresentChanges();
    return drawn;
}

BlitResult GdiDisplay::Blit(DisplaySurface& target, int x, int y, DisplaySurface& source, const Rect& sourceRect,
                            bool keyed) {
    BlitResult result = memory_.Blit(target, x, y, source, sourceRect, keyed);
    if (&target == &memory_.Screen()) PresentChanges();
    return result;
}

BlitResult GdiDisplay::BlitPicture(DisplaySurface& target, int x, int y, const GXDrawingSurface& picture,
                                   std::span<const RowSpan> colourRows, const Rect& sourceRect, bool keyed) {
    BlitResult result = memory_.BlitPicture(target, x, y, picture, colourRows, sourceRect, keyed);
    if (&target == &memory_.Screen()) PresentChanges();
    return result;
}

bool GdiDisplay::FillOnScreen(std::span<const ScreenFill> fills) {
    bool filled = memory_.FillOnScreen(fills);
    PresentChanges();
    return filled;
}

void GdiDisplay::PresentChanges() {
    const GXDrawingSurface* screen = memory_.ScreenPicture();
    std::vector<Rect> changed = memory_.TakeChangedRects();
    if (!screen || changed.empty()) return;
    DibInfo info;
    if (!DescribeDib(*screen, info)) return;
    HDC dc = GetDC(window_);
    if (!dc) return;
    HPALETTE previous = nullptr;
    if (palette_) {
        previous = SelectPalette(dc, palette_.get(), FALSE);
        RealizePalette(dc);
    }
    const int width = screen->Width(), height = screen->Height();
    const Rect whole{0, 0, width, height};
    const std::vector<Rect> oneToOne{whole};
    for (const Rect& view : views_.empty() ? oneToOne : views_)
        for (const Rect& rect : changed) {
            const Rect part = Intersect(rect, whole);
            if (IsUnscaled(view, width, height))
                DrawPictureRect(dc, view.left + part.left, view.top + part.top, *screen, info, part);
            else
                StretchPictureRect(dc, ScaledToView(part, width, height, view), *screen, info, part);
        }
    if (palette_) SelectPalette(dc, previous, FALSE);
    ReleaseDC(window_, dc);
}

}  // namespace orb
