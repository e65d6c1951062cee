// The GDI back-end: every surface is a picture in memory (the engine's software
// display does the copies), and whatever reaches the screen surface is pushed
// to the saver window with one StretchDIBits per changed rectangle and view (a
// view of another size than the show's gets it scaled). On 8-bit screens the
// fixed palette is realised on the window first.
#pragma once
#include <windows.h>

#include <vector>

#include "viewer/engine/software_display.h"
#include "win32/shared/gdi_object.h"

namespace orb {

class GdiDisplay final : public DisplayBackend {
public:
    // `views`: where in the window the show goes (empty: once, 1:1 at the top left).
    GdiDisplay(HWND window, std::vector<Rect> views) : window_(window), views_(std::move(views)) {}
    ~GdiDisplay() override;
    GdiDisplay(const GdiDisplay&) = delete;
    GdiDisplay& operator=(const GdiDisplay&) = delete;

    bool Open(int width, int height, int bitsPerPixel, ReportSink& reports) override;
    void Close(ReportSink& reports) override;
    int DrawingDepth() const override { return memory_.DrawingDepth(); }
    DisplaySurface& Screen() override { return memory_.Screen(); }
    std::unique_ptr<DisplaySurface> CreateSurface(int width, int height) override {
        return memory_.CreateSurface(width, height);
    }
    bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) override;
    BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source, const Rect& sourceRect,
                    bool keyed) override;
    bool BlitsPictures() const override { return memory_.BlitsPictures(); }
    BlitResult BlitPicture(DisplaySurface& target, int x, int y, const GXDrawingSurface& picture,
                           std::span<const RowSpan> colourRows, const Rect& sourceRect, bool keyed) override;
    void SetColourKey(DisplaySurface& surface) override { memory_.SetColourKey(surface); }
    bool Restore(DisplaySurface& surface) override { return memory_.Restore(surface); }
    bool FillOnScreen(std::span<const ScreenFill> fills) override;

private:
    void PresentChanges();

    HWND window_;
    std::vector<Rect> views_;
    SoftwareDisplay memory_;
    GdiObject<HPALETTE> palette_;
};

}  // namespace orb
