// STARBURST: sprites are born small at the centre of the play area and fly
// outward, growing and speeding up, until they leave it.
#pragma once

#include "viewer/engine/sprite.h"

namespace orb {

class StarburstSprite final : public Sprite {
public:
    // The base set-up with the base speed doubled, then Place.
    void Init(ViewerState& viewer) override;
    void Update() override;
    // At the centre, 4 x 4 pixels, speed 800, a fresh direction.
    void Place() override;

private:
    bool ShouldRecreate(double ratio) const;
    void ResetScene();
};

}  // namespace orb
