// The DirectDraw back-end, for 16- and 24-bit screens: ddraw.dll loaded at run
// time, exclusive full screen, every surface a DirectDraw surface in the screen's
// pixel format, copies with BltFast and the white source colour key.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <memory>

#include "viewer/engine/platform.h"

namespace orb {

template <class T>
struct ComRelease {
    void operator()(T* object) const {
        if (object) object->Release();
    }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

class DirectDrawSurface final : public DisplaySurface {
public:
    DirectDrawSurface(ComPtr<IDirectDrawSurface> surface, int width, int height)
        : surface_(std::move(surface)), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    IDirectDrawSurface* Get() const { return surface_.get(); }
    void Reset() { surface_.reset(); }

private:
    ComPtr<IDirectDrawSurface> surface_;
    int width_;
    int height_;
};

class DirectDrawDisplay final : public DisplayBackend {
public:
    // ddraw is the loaded library, kept and freed by the display; quit receives
    // code 95 when the library lacks DirectDrawCreate.
    DirectDrawDisplay(HMODULE ddraw, HWND window, QuitSink& quit);
    ~DirectDrawDisplay() override;
    DirectDrawDisplay(const DirectDrawDisplay&) = delete;
    DirectDrawDisplay& operator=(const DirectDrawDisplay&) = delete;

    bool Open(int width, int height, int bitsPerPixel, ReportSink& reports) override;
    void Close(ReportSink& reports) override;
    int DrawingDepth() const override { return 24; }
    DisplaySurface& Screen() override { return *primary_; }
    std::unique_ptr<DisplaySurface> CreateSurface(int width, int height) override;
    bool DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) override;
    BlitResult Blit(DisplaySurface& target, int x, int y, DisplaySurface& source, const Rect& sourceRect,
                    bool keyed) override;
    void SetColourKey(DisplaySurface& surface) override;
    bool Restore(DisplaySurface& surface) override;
    bool FillOnScreen(std::span<const ScreenFill> fills) override;

    // The surface's pixel value for a GDI colour (red in the low byte), or
    // 0xFFFFFFFF when the surface cannot be locked.
    std::uint32_t DDColorMatch(IDirectDrawSurface* surface, std::uint32_t colour);

private:
    HMODULE library_;
    HWND window_;
    QuitSink& quit_;
    ComPtr<IDirectDraw> directDraw_;
    std::unique_ptr<DirectDrawSurface> primary_;
    bool exclusive_ = false;
};

}  // namespace orb
