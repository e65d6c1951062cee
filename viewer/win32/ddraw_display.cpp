#include "viewer/win32/ddraw_display.h"

#include <algorithm>

#include "viewer/win32/dib_drawing.h"

namespace orb {
namespace {

using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);

IDirectDrawSurface* SurfaceOf(DisplaySurface& surface) { return static_cast<DirectDrawSurface&>(surface).Get(); }

BlitResult ResultOf(HRESULT result) {
    switch (result) {
        case DD_OK: return BlitResult::Ok;
        case DDERR_WASSTILLDRAWING: return BlitResult::StillDrawing;
        case DDERR_SURFACELOST: return BlitResult::SurfaceLost;
        default: return BlitResult::Failed;
    }
}

}  // namespace

DirectDrawDisplay::DirectDrawDisplay(HMODULE ddraw, HWND window, QuitSink& quit)
    : library_(ddraw), window_(window), quit_(quit) {}

DirectDrawDisplay::~DirectDrawDisplay() {
    // Its device has closed it in any run that got going; this is the last resort.
    NullReportSink quiet;
    Close(quiet);
    // Even a display that could not be given back is released before the library
    // that holds its code goes.
    primary_.reset();
    directDraw_.reset();
    if (library_) FreeLibrary(library_);
}

bool DirectDrawDisplay::Open(int, int, int, ReportSink& reports) {
    auto create = reinterpret_cast<DirectDrawCreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library_, "DirectDrawCreate")));
    if (!create) {
        quit_.QuitWithCode(95);
        return false;
    }
    IDirectDraw* object = nullptr;
    HRESULT result = create(nullptr, &object, nullptr);
    if (result == DDERR_DIRECTDRAWALREADYCREATED) {
        reports.Error("DirectDraw is already running: close down any other applications that may be using DirectDraw");
        return false;
    }
    if (result != DD_OK || !object) {
        reports.Error("Failed to initialise DirectDraw");
        return false;
    }
    directDraw_.reset(object);
    if (directDraw_->SetCooperativeLevel(window_, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK) {
        reports.Error("Failed to set DD Cooperative level");
        return false;
    }
    exclusive_ = true;
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* surface = nullptr;
    if (directDraw_->CreateSurface(&description, &surface, nullptr) != DD_OK || !surface) {
        reports.Error("Failed to create DD Surface");
        return false;
    }
    DDSURFACEDESC filled{};
    filled.dwSize = sizeof filled;
    surface->GetSurfaceDesc(&filled);
    primary_ = std::make_unique<DirectDrawSurface>(ComPtr<IDirectDrawSurface>(surface),
                                                   static_cast<int>(filled.dwWidth),
                                                   static_cast<int>(filled.dwHeight));
    return true;
}

void DirectDrawDisplay::Close(ReportSink& reports) {
    if (!directDraw_) return;
    if (exclusive_) {
        // The saver's own window when no window is active any more (the show is ending).
        if (directDraw_->SetCooperativeLevel(GetActiveWindow(), DDSCL_NORMAL) != DD_OK &&
            directDraw_->SetCooperativeLevel(window_, DDSCL_NORMAL) != DD_OK) {
            reports.Error("Failed to reset DD Cooperative level");
            return;
        }
        if (directDraw_->RestoreDisplayMode() != DD_OK) {
            reports.Error("Failed to restore DD DisplayMode");
            return;
        }
        exclusive_ = false;
    }
    if (primary_) primary_->Reset();
    directDraw_.reset();
}

std::unique_ptr<DisplaySurface> DirectDrawDisplay::CreateSurface(int width, int height) {
    if (!directDraw_ || width <= 0 || height <= 0) return nullptr;
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.dwWidth = static_cast<DWORD>(width);
    description.dwHeight = static_cast<DWORD>(height);
    IDirectDrawSurface* surface = nullptr;
    if (directDraw_->CreateSurface(&description, &surface, nullptr) != DD_OK || !surface) return nullptr;
    return std::make_unique<DirectDrawSurface>(ComPtr<IDirectDrawSurface>(surface), width, height);
}

bool DirectDrawDisplay::DrawPicture(DisplaySurface& target, const GXDrawingSurface& picture, int x, int y) {
    IDirectDrawSurface* surface = SurfaceOf(target);
    // A picture GDI cannot be given safely is left undrawn; the surface is fine.
    DibInfo info;
    if (!DescribeDib(picture, info)) return surface != nullptr;
    HDC dc = nullptr;
    if (!surface || surface->GetDC(&dc) != DD_OK) return false;
    DrawPictureRect(dc, x, y, picture, info, Rect{0, 0, picture.Width(), picture.Height()});
    surface->ReleaseDC(dc);
    return true;
}

BlitResult DirectDrawDisplay::Blit(DisplaySurface& target, int x, int y, DisplaySurface& source,
                                   const Rect& sourceRect, bool keyed) {
    IDirectDrawSurface* to = SurfaceOf(target);
    IDirectDrawSurface* from = SurfaceOf(source);
    if (!to || !from) return BlitResult::Failed;
    // BltFast refuses rectangles that stick out, so clip to both surfaces here.
    Rect part = Intersect(sourceRect, Rect{0, 0, source.Width(), source.Height()});
    int dx = x + (part.left - sourceRect.left), dy = y + (part.top - sourceRect.top);
    if (dx < 0) { part.left -= dx; dx = 0; }
    if (dy < 0) { part.top -= dy; dy = 0; }
    part.right = std::min(part.right, part.left + (target.Width() - dx));
    part.bottom = std::min(part.bottom, part.top + (target.Height() - dy));
    if (part.IsEmpty()) return BlitResult::Ok;
    RECT rect{part.left, part.top, part.right, part.bottom};
    DWORD flags = keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY;
    return ResultOf(to->BltFast(static_cast<DWORD>(dx), static_cast<DWORD>(dy), from, &rect, flags));
}

std::uint32_t DirectDrawDisplay::DDColorMatch(IDirectDrawSurface* surface, std::uint32_t colour) {
    COLORREF kept = 0;
    HDC dc = nullptr;
    bool set = colour != 0xFFFFFFFF && surface->GetDC(&dc) == DD_OK;
    if (set) {
        kept = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    HRESULT result;
    while ((result = surface->Lock(nullptr, &description, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    std::uint32_t value = 0xFFFFFFFF;
    if (result == DD_OK) {
        value = *static_cast<const std::uint32_t*>(description.lpSurface);
        DWORD bits = description.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32) value &= (1u << bits) - 1;
        surface->Unlock(nullptr);
    }
    if (set && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, kept);
        surface->ReleaseDC(dc);
    }
    return value;
}

void DirectDrawDisplay::SetColourKey(DisplaySurface& surface) {
    IDirectDrawSurface* target = SurfaceOf(surface);
    if (!target) return;
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = DDColorMatch(target, 0xFFFFFF);
    target->SetColorKey(DDCKEY_SRCBLT, &key);
}

bool DirectDrawDisplay::Restore(DisplaySurface& surface) {
    IDirectDrawSurface* target = SurfaceOf(surface);
    return target && target->Restore() == DD_OK;
}

bool DirectDrawDisplay::FillOnScreen(std::span<const ScreenFill> fills) {
    IDirectDrawSurface* screen = primary_ ? primary_->Get() : nullptr;
    HDC dc = nullptr;
    if (!screen || screen->GetDC(&dc) != DD_OK) return false;
    for (const ScreenFill& fill : fills) {
        HBRUSH brush = CreateSolidBrush(fill.colour);
        RECT rect{fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom};
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    screen->ReleaseDC(dc);
    return true;
}

}  // namespace orb
