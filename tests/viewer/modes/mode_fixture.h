// A viewer with a 800 x 600 view on the whole 8000 x 6000 world (10 world units
// per pixel), no display and no platform, into which tests put hand-made sprites.
#pragma once
#include <memory>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/viewer_state.h"
#include "viewer/modes/modes.h"

namespace orb::test {

class ModeFixture {
public:
    ModeFixture() : viewer(Platform{}, CreateModeSprite) {
        viewer.playArea = {0, 0, 8000, 6000};
        viewer.pixelReference = {0, 0, 800, 600};
        viewer.viewRect = {0, 0, 800, 600};
        ViewerSettings& s = viewer.settings;
        s.stutter = 0;
        s.numberRange = 0;
        s.directionRange = 0;
        s.spriteLifetime = 100;
        s.sceneLifetime = 100;
        viewer.sceneTimer = 10000;
        frame.frameCount = 1;
    }

    // An alive 40 x 40 sprite of mode class T at (x, y), heading `direction` at
    // `speed`, appended to the table. Its half extents are 190 world units.
    template <class T>
    T& Add(double x, double y, double direction = 0, double speed = 800) {
        auto sprite = std::make_unique<T>();
        T& result = *sprite;
        result.viewer = &viewer;
        result.lifeState = kAlive;
        result.actor = &frame;
        result.width = result.height = 40;
        result.baseWidth = result.baseHeight = 40;
        result.baseSpeed = 200;
        result.motion = {x, y, direction, speed, 1000};
        viewer.sprites[viewer.spriteCount++] = std::move(sprite);
        return result;
    }

    ViewerState viewer;
    GXDrawingSurface frame;
};

}  // namespace orb::test
