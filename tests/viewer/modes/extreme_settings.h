// Settings pushed to both ends of what the authoring program offers, and beyond
// where a file could still say so, for the long runs of every mode.
#pragma once

#include "viewer/engine/viewer_state.h"

namespace orb::test {

// Everything but the sprite count, the mode and the background.
inline ViewerSettings ExtremeSettings(bool high) {
    ViewerSettings s;
    s.size = high ? 100 : 0;
    s.sizeRange = high ? 100 : 0;
    s.direction = high ? 360 : 0;
    s.directionRange = high ? 360 : 0;
    s.actorBias = high ? 100 : -100;
    s.spriteLifetime = high ? 100 : 0;
    s.sceneLifetime = high ? 1 : 0;
    s.numberRange = high ? 100 : 0;
    s.speed = high ? 100 : 0;
    s.speedVariation = high ? 100 : -100;
    s.swirl = high ? 90 : -90;
    s.spin = high ? 100 : -100;
    s.stutter = high ? 100 : 0;
    s.factorX = high ? 100 : 0;
    s.shuffle = high ? 1 : 0;
    s.turbo = high ? 1 : 0;
    s.quickRotation = high ? 0 : 1;
    s.alignToPath = 1;
    return s;
}

}  // namespace orb::test
