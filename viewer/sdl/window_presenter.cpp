#include "viewer/sdl/window_presenter.h"

#include <cstring>

namespace orb::sdl {
namespace {

// One row of 24-bit pixels (blue, green, red bytes) into the window's format.
// The usual 32-bit formats are done here; SDL's general converter, which sets
// up a conversion on every call, handles the rest.
void ConvertRow(const std::uint8_t* source, int width, const SDL_PixelFormat& format, std::uint8_t* destination) {
    // Local copies: the compiler cannot know that writing the row leaves the format alone.
    const Uint32 alpha = format.Amask;
    const int red = format.Rshift, green = format.Gshift, blue = format.Bshift;
    auto* out = reinterpret_cast<Uint32*>(destination);
    if (format.format == SDL_PIXELFORMAT_RGB888 || format.format == SDL_PIXELFORMAT_ARGB8888) {
        // The X server's usual format: the same bytes, one more per pixel.
        for (int x = 0; x < width; ++x, source += 3)
            out[x] = Uint32(source[0]) | Uint32(source[1]) << 8 | Uint32(source[2]) << 16 | alpha;
    } else if (format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0) {
        for (int x = 0; x < width; ++x, source += 3)
            out[x] = Uint32(source[2]) << red | Uint32(source[1]) << green | Uint32(source[0]) << blue | alpha;
    } else {
        SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_BGR24, source, width * 3, format.format, destination,
                          width * format.BytesPerPixel);
    }
}

}  // namespace

WindowPresenter::WindowPresenter(SDL_Window* window, const MonitorLayout& layout)
    : window_(window), layout_(layout) {}

bool WindowPresenter::PresentAll(const GXDrawingSurface& show) {
    surface_ = SDL_GetWindowSurface(window_);
    if (surface_ == nullptr) return false;
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
    const Rect whole{0, 0, show.Width(), show.Height()};
    for (const Rect& view : layout_.views) CopyToView(show, whole, view);
    return SDL_UpdateWindowSurface(window_) == 0;
}

bool WindowPresenter::Present(const GXDrawingSurface& show, std::span<const Rect> changed) {
    if (surface_ == nullptr) return PresentAll(show);
    updates_.clear();
    for (const Rect& view : layout_.views)
        for (const Rect& rect : changed) {
            const Rect written = CopyToView(show, rect, view);
            if (!written.IsEmpty())
                updates_.push_back({written.left, written.top, written.Width(), written.Height()});
        }
    if (updates_.empty()) return true;
    return SDL_UpdateWindowSurfaceRects(window_, updates_.data(), static_cast<int>(updates_.size())) == 0;
}

Rect WindowPresenter::CopyToView(const GXDrawingSurface& show, const Rect& changed, const Rect& view) {
    if (show.Depth() != 24 || show.Width() != layout_.showWidth || show.Height() != layout_.showHeight)
        return {};
    const int sw = show.Width(), sh = show.Height();
    // The window may have come out smaller than asked for: never write past it.
    const Rect target = Intersect(ScaledToView(changed, sw, sh, view), Rect{0, 0, surface_->w, surface_->h});
    if (target.IsEmpty()) return {};
    const bool unscaled = IsUnscaled(view, sw, sh);
    const int width = target.Width();
    if (!unscaled) row_.resize(std::size_t(width) * 3);
    if (SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) != 0) return {};
    auto* pixels = static_cast<std::uint8_t*>(surface_->pixels);
    const int bytes = surface_->format->BytesPerPixel;
    for (int y = target.top; y < target.bottom; ++y) {
        const int sy = SampledSource(y - view.top, sh, view.Height());
        const std::uint8_t* showRow = show.Row(sh - 1 - sy).data();  // rows are kept bottom-up
        const std::uint8_t* source;
        if (unscaled) {
            source = showRow + std::size_t(target.left - view.left) * 3;
        } else {
            std::uint8_t* out = row_.data();
            for (int x = target.left; x < target.right; ++x, out += 3)
                std::memcpy(out, showRow + std::size_t(SampledSource(x - view.left, sw, view.Width())) * 3, 3);
            source = row_.data();
        }
        std::uint8_t* destination = pixels + std::size_t(y) * surface_->pitch + std::size_t(target.left) * bytes;
        ConvertRow(source, width, *surface_->format, destination);
    }
    if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
    return target;
}

}  // namespace orb::sdl
