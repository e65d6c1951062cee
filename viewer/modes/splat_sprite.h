// SPLAT: sprites jump every frame to a random bright place of the backdrop; the
// compositor stamps them into it, so they leave marks until the backdrop is
// refreshed.
#pragma once
#include <cstdint>

#include "viewer/engine/sprite.h"

namespace orb {

class GXDrawingSurface;

// Squared brightness (red² + green² + blue²) of the backdrop pixel at (x, y), row
// y counted from the top, through the palette at 8 bits; none outside the picture.
std::int32_t SquaredBrightness(const GXDrawingSurface& picture, int x, int y, bool& inside);

class SplatSprite final : public Sprite {
public:
    // The base set-up, then the mark-clearing countdown from Scene Lifetime.
    void Init(ViewerState& viewer) override;
    void Update() override;

    static constexpr int kPlaceTries = 5000;

private:
    void FindBrightPlace();
    double ChooseAngle();
    void CountDownMarks();
    void ResetClearCountdown();
};

}  // namespace orb
