// The monitors of an X server as Xinerama lists them. A server without RandR
// monitors (Xorg's dummy driver, for one) shows SDL a single display over every
// head, while Xinerama still knows where each head is.
#pragma once
#include <vector>

#include "viewer/engine/rect.h"

namespace orb::sdl {

// The heads in Xinerama's order (the first is the main one), or none when there
// is no X server, no Xinerama, or it is switched off.
std::vector<Rect> XineramaHeads();

}  // namespace orb::sdl
