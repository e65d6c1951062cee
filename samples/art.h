// The demo project's pictures, drawn by code: animated actors on a key colour,
// a backdrop landscape and a Control Panel banner.
#pragma once
#include <string>
#include <vector>

#include "samples/picture.h"

namespace orb::samples {

// The colour behind every actor frame; the viewer makes it transparent.
inline constexpr Colour kActorKey{255, 0, 255};
inline constexpr int kActorKeyTolerance = 24;

struct DemoActor {
    std::string name;
    std::vector<Picture> frames;  // animation order
};

std::vector<DemoActor> DrawDemoActors();
Picture DrawBackdrop();  // 640 x 480 evening landscape
Picture DrawBanner();    // 152 x 112, the preview window's size

}  // namespace orb::samples
