// RANDOMDRIFT: sprites enter from an edge aimed at a random point, wander with
// slowly changing turn rates, and at random start chasing one another.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class RandomDriftSprite final : public Sprite {
public:
    void Init(ViewerState& viewer) override;
    void Update() override;
    // Plays the pending sounds, then adds or removes a chase link and steers every
    // chasing sprite toward its target.
    void EndFrame() override;
    // Used by Init, on re-creation and by scene resets.
    void PlaceDrift();

    std::int32_t turnRate = 0;       // degrees added to the direction each frame, -7..7
    std::int32_t turnCountdown = 0;  // frames until the turn rate is drawn again

private:
    void DrawTurn();
    void ReAim();
    void Chase();
    void ResetScene();
};

}  // namespace orb
