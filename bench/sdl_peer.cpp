#include "bench/sdl_peer.h"

#include <SDL.h>

#include <chrono>
#include <cstring>

namespace orb::bench {
namespace {

SdlSurfacePtr NewSurface(int width, int height) {
    return SdlSurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_BGR24));
}

// Our pictures keep their rows bottom-up, SDL top-down.
void CopyPicture(const GXDrawingSurface& picture, SDL_Surface& surface) {
    SDL_LockSurface(&surface);
    const std::size_t bytes = std::size_t(picture.Width()) * 3;
    for (int row = 0; row < picture.Height(); ++row)
        std::memcpy(static_cast<std::uint8_t*>(surface.pixels) + std::size_t(row) * surface.pitch,
                    picture.Row(picture.Height() - 1 - row).data(), bytes);
    SDL_UnlockSurface(&surface);
}

SDL_Rect ToSdl(const Rect& r) { return SDL_Rect{r.left, r.top, r.Width(), r.Height()}; }

}  // namespace

void SdlSurfaceFree::operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }

SdlPeer::SdlPeer(const ViewerState& state, const SoftwareDisplay& backend) {
    const GXDrawingSurface* screen = backend.ScreenPicture();
    const GXDrawingSurface* backdrop = state.display.BackdropPicture();
    if (!screen || !backdrop || screen->Depth() != 24 || backdrop->Depth() != 24) return;
    width_ = state.display.ModeWidth();
    height_ = state.display.ModeHeight();
    backdrop_ = NewSurface(width_, height_);
    back_ = NewSurface(width_, height_);
    screen_ = NewSurface(width_, height_);
    if (!backdrop_ || !back_ || !screen_) {
        screen_.reset();
        return;
    }
    CopyPicture(*backdrop, *backdrop_);
    CopyPicture(*screen, *back_);
    CopyPicture(*screen, *screen_);
    const auto working = state.dirty.Working();
    previousWorking_.assign(working.begin(), working.end());
}

void SdlPeer::TakePicture(const DrawItem& item, Sprite& sprite) {
    const GXDrawingSurface& picture = item.Shown();
    if (!sprite.surface || sprite.surface->w != picture.Width() || sprite.surface->h != picture.Height()) {
        sprite.surface = NewSurface(picture.Width(), picture.Height());
        if (!sprite.surface) return;
        SDL_SetColorKey(sprite.surface.get(), SDL_TRUE, SDL_MapRGB(sprite.surface->format, 255, 255, 255));
        SDL_SetSurfaceRLE(sprite.surface.get(), 1);
    }
    CopyPicture(picture, *sprite.surface);
    sprite.version = item.pictureVersion;
}

double SdlPeer::Frame(const ViewerState& state, bool imprint) {
    if (!screen_) return 0;
    const auto start = std::chrono::steady_clock::now();
    const auto items = state.display.Items();
    if (sprites_.size() < items.size()) sprites_.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!sprites_[i].surface || sprites_[i].version != items[i]->pictureVersion)
            TakePicture(*items[i], sprites_[i]);

    const Rect view{0, 0, width_, height_};
    auto copyRects = [&](std::span<const Rect> rects, SDL_Surface* from, SDL_Surface* to) {
        for (const Rect& rect : rects) {
            const Rect r = Intersect(rect, view);
            if (r.IsEmpty()) continue;
            SDL_Rect source = ToSdl(r), target = ToSdl(r);
            SDL_BlitSurface(from, &source, to, &target);
        }
    };
    copyRects(previousWorking_, backdrop_.get(), back_.get());
    for (std::size_t i = 0; i < items.size(); ++i) {
        Rect target, source;
        if (!state.display.BlitRectangles(*items[i], target, source) || !sprites_[i].surface) continue;
        SDL_Rect from = ToSdl(source), to = ToSdl(target);
        if (items[i]->visible) SDL_BlitSurface(sprites_[i].surface.get(), &from, back_.get(), &to);
        from = ToSdl(source);
        to = ToSdl(target);
        if (imprint) SDL_BlitSurface(sprites_[i].surface.get(), &from, backdrop_.get(), &to);
    }
    const auto working = state.dirty.Working();
    copyRects(working, back_.get(), screen_.get());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    previousWorking_.assign(working.begin(), working.end());
    return seconds;
}

bool SdlPeer::ScreenEquals(const GXDrawingSurface& screen) const {
    if (!screen_ || screen.Width() != width_ || screen.Height() != height_ || screen.Depth() != 24)
        return false;
    const std::size_t bytes = std::size_t(width_) * 3;
    for (int row = 0; row < height_; ++row)
        if (std::memcmp(static_cast<const std::uint8_t*>(screen_->pixels) + std::size_t(row) * screen_->pitch,
                        screen.Row(height_ - 1 - row).data(), bytes) != 0)
            return false;
    return true;
}

}  // namespace orb::bench
