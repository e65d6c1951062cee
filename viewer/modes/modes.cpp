#include "viewer/modes/modes.h"

#include "viewer/modes/bounce_sprite.h"
#include "viewer/modes/fly_away_sprite.h"
#include "viewer/modes/gravi_bounce_sprite.h"
#include "viewer/modes/rain_sprite.h"
#include "viewer/modes/random_drift_sprite.h"
#include "viewer/modes/splat_sprite.h"
#include "viewer/modes/starburst_sprite.h"

namespace orb {

std::unique_ptr<Sprite> CreateModeSprite(int mode) {
    switch (mode) {
    case 0: return std::make_unique<BounceSprite>();
    case 1: return std::make_unique<GraviBounceSprite>();
    case 2: return std::make_unique<FlyAwaySprite>();
    case 3: return std::make_unique<RainSprite>();
    case 4: return std::make_unique<RandomDriftSprite>();
    case 5: return std::make_unique<StarburstSprite>();
    case 6: return std::make_unique<SplatSprite>();
    default: return nullptr;
    }
}

}  // namespace orb
