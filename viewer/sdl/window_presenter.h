// Presents the show through the window's own surface: only the rectangles that
// changed are converted into it and handed to the window system, once for each
// view of the monitor layout (scaled where a view's size differs from the
// show's). Nothing changed, nothing sent. The rest of the window stays black.
#pragma once
#include <SDL.h>

#include <span>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/monitor_layout.h"

namespace orb::sdl {

class WindowPresenter {
public:
    WindowPresenter(SDL_Window* window, const MonitorLayout& layout);

    // Fetches the window surface afresh (after a resize or an expose), paints it
    // black and presents the whole show.
    bool PresentAll(const GXDrawingSurface& show);
    // Presents the changed rectangles (show coordinates) of a 24-bit bottom-up show.
    bool Present(const GXDrawingSurface& show, std::span<const Rect> changed);

private:
    // Converts the part of `view` that shows `changed` into the surface; returns
    // the surface rectangle written (empty when nothing was).
    Rect CopyToView(const GXDrawingSurface& show, const Rect& changed, const Rect& view);

    SDL_Window* window_;
    MonitorLayout layout_;
    SDL_Surface* surface_ = nullptr;  // owned by the window
    std::vector<std::uint8_t> row_;   // one scaled row, 24 bits
    std::vector<SDL_Rect> updates_;
};

}  // namespace orb::sdl
