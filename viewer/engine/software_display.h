// A display back-end in memory: every surface, the screen included, is a picture
// at the drawing depth, and blits are plain row copies. It behaves as the GDI
// back-end with memory surfaces; the headless host reads the screen picture, the
// windowed hosts upload the rectangles presented since they last looked.
#pragma once
#include <memory>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/platform.h"

namespace orb {

class SoftwareSurface final : public DisplaySurface {
public:
    SoftwareSurface(int depth, int width, int height);
    int Width() const override { return picture.Width(); }
    int Height() const override { return picture.Height(); }
    GXDrawingSurface picture;
};

class SoftwareDisplay final : public DisplayBackend {
public:
    // `drawingDepth` 0 chooses by the screen (8 for up to 8 bits, else 24).
    explicit SoftwareDisplay(int drawingDepth = 0) : requestedDepth_(drawingDepth) {}

    bool Open(int width, int height, int bitsPerPixel, ReportSink& reports) override;
    void Close(ReportSink& reports) override;
    int DrawingDepth() const override { return depth_; }
    DisplaySurface& Screen() override { return *screen_; }
    std::unique_ptr<DisplaySurface> CreateSurface(int width, int height) override;
    bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x,
                     int y) override;
    BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source,
                    const Rect& sourceRect, bool keyed) override;
    bool BlitsPictures() const override { return true; }
    BlitResult BlitPicture(DisplaySurface& target, int x, int y, const GXDrawingSurface& picture,
                           std::span<const RowSpan> colourRows, const Rect& sourceRect, bool keyed) override;
    void SetColourKey(DisplaySurface&) override {}
    bool Restore(DisplaySurface&) override { return true; }
    bool FillOnScreen(std::span<const ScreenFill> fills) override;

    // The screen picture (bottom-up rows at the drawing depth), or null before Open.
    const GXDrawingSurface* ScreenPicture() const;
    // Screen rectangles written since the last call (presented blits and fills).
    std::vector<Rect> TakeChangedRects();

private:
    BlitResult CopyOnto(DisplaySurface& target, int x, int y, const GXDrawingSurface& from,
                        std::span<const RowSpan> colourRows, const Rect& sourceRect, bool keyed);
    void NoteChanged(const Rect& rect);

    int requestedDepth_;
    int depth_ = 24;
    std::unique_ptr<SoftwareSurface> screen_;
    std::vector<Rect> changed_;
};

}  // namespace orb
