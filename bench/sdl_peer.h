// The benchmark's peer: SDL2's own blitter doing the compositing of the same
// frames. For every frame of a show it takes the sprite pictures that changed
// (copied into SDL surfaces with a white colour key and RLE acceleration, so SDL
// re-encodes them), restores the backdrop under last frame's working rectangles,
// blits every visible sprite at our position and clipping, imprints for SPLAT and
// presents this frame's working rectangles onto a view-sized screen surface.
// What it leaves out is ours alone: motion and the pictures' scaling and rotation.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/rect.h"
#include "viewer/engine/software_display.h"
#include "viewer/engine/viewer_state.h"

struct SDL_Surface;

namespace orb::bench {

struct SdlSurfaceFree {
    void operator()(SDL_Surface* surface) const;
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;

class SdlPeer {
public:
    // Starts from the show as it stands: its backdrop picture and its screen (which
    // the back buffer equals after a full refresh), and its current working list.
    SdlPeer(const ViewerState& state, const SoftwareDisplay& backend);
    // Composites the frame the show has just drawn; returns the seconds it took.
    double Frame(const ViewerState& state, bool imprint);
    // The peer's screen has the same pixels as `screen` (24 bits, bottom-up rows).
    bool ScreenEquals(const GXDrawingSurface& screen) const;
    bool Ready() const { return screen_ != nullptr; }

private:
    struct Sprite {
        SdlSurfacePtr surface;
        std::uint32_t version = 0;
    };
    void TakePicture(const DrawItem& item, Sprite& sprite);

    SdlSurfacePtr backdrop_, back_, screen_;
    std::vector<Sprite> sprites_;  // by position in the draw list
    std::vector<Rect> previousWorking_;
    int width_ = 0, height_ = 0;
};

}  // namespace orb::bench
