// RAIN: sprites fall in along their direction from 6000 world units back, wrap
// around the edges once inside, and turn together with Swirl and sudden gusts.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class RainSprite final : public Sprite {
public:
    void Init(ViewerState& viewer) override;
    void Update() override;
    // Used by Init and by scene resets: a fresh direction, then 6000 units back.
    void PlaceRain();

    std::int32_t entered = 0;  // inside (with a margin of one sprite size) once

private:
    void TurnAll(double degrees);
    void WrapAround(double e, double f);
    void ResetScene();
};

}  // namespace orb
