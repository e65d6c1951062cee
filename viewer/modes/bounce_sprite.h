// BOUNCE: sprites fly in from outside along their direction and, once wholly
// inside, reflect off the edges of the play area.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class BounceSprite final : public Sprite {
public:
    void Update() override;
    // Starts 8000 world units back along the line of travel from a random point.
    void Place() override;

    std::int32_t entered = 0;  // wholly inside once: edges reflect only after that

private:
    void ReflectAtEdges(int c, int d);
    void ResetScene();
};

}  // namespace orb
