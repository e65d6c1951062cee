// GRAVIBOUNCE: sprites drop in from above the top edge, fall under gravity and
// bounce off the floor and walls, losing energy and spin with every hit.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class GraviBounceSprite final : public Sprite {
public:
    void Update() override;
    // A random point above the top edge with a random throw.
    void Place() override;

    double gravityFactor = 1.0;
    double horizontalVelocity = 0;
    double verticalVelocity = 0;
    double spinRate = 0;       // degrees per frame times 3
    std::int32_t entered = 0;  // wholly inside once: the ceiling counts after that

private:
    void HitWalls(int c, int d);
    void Recreate();
    void ResetScene();
};

}  // namespace orb
