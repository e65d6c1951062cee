// FLYAWAY: sprites come in from the edges and spiral into the distance toward the
// centre of the play area, shrinking and slowing as they close in.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class FlyAwaySprite final : public Sprite {
public:
    void Update() override;
    // Just outside a random edge, aimed at the (possibly jittered) centre.
    void Place() override;

    std::int32_t aimDirection = 0;  // degrees toward the centre, chosen at placement
    std::int32_t swirlSense = 0;    // set: the spiral turns the other way

private:
    void SpiralStep();
    bool ShouldRecreate(double ratio) const;
    void ResetScene();
};

}  // namespace orb
