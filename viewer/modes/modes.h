// The motion modes: one Sprite subclass per mode. Hosts hand CreateModeSprite to
// the ViewerState as its sprite factory, so the engine never depends on the modes.
#pragma once
#include <memory>

#include "viewer/engine/sprite.h"

namespace orb {

// The sprite for motion mode 0..6 (BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN,
// RANDOMDRIFT, STARBURST, SPLAT), or null for any other number. RANDOM (7) is
// resolved to one of these by the scene before any sprite is made.
std::unique_ptr<Sprite> CreateModeSprite(int mode);

}  // namespace orb
