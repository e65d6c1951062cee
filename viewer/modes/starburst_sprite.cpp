#include "viewer/modes/starburst_sprite.h"

#include "viewer/modes/mode_support.h"
#include "viewer/modes/perspective.h"

namespace orb {

namespace {
constexpr double kStartSpeed = 800.0;
}  // namespace

void StarburstSprite::Init(ViewerState& state) {
    BaseSetUp(state);
    baseSpeed *= 2;
    Place();
}

void StarburstSprite::Place() {
    const Rect& area = viewer->playArea;
    motion.x = area.left + area.Width() / 2;
    motion.y = area.top + area.Height() / 2;
    motion.speed = kStartSpeed;
    width = 4;
    height = 4;
    InitDirection();
    AlignDisplayAngle(*this);
}

void StarburstSprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    MoveStep(AlignsWithStep(*this), 800);
    SwirlTurn();
    CountDownLife();
    CountDownSceneTimer();
    TurnDisplayAngle();
    // Not limited to 1: a sprite just past a corner is drawn a little larger.
    const double ratio = CentreDistanceRatio();
    motion.speed = (baseSpeed - minimumSpeed) * ratio + minimumSpeed;
    if (!(motion.speed >= kStartSpeed)) motion.speed = kStartSpeed;
    width = PerspectiveSize(ratio, baseWidth, 1.2);
    height = PerspectiveSize(ratio, baseHeight, 1.2);
    // The draw is at most 32767, so the whole burst reverses with chance
    // Factor X in 32768.
    if (v.random.Below(100000) < v.settings.factorX) {
        ForEachSprite<StarburstSprite>(v, [](StarburstSprite& sprite) {
            sprite.motion.direction += 180;
            if (sprite.motion.direction > 360) sprite.motion.direction -= 360;
        });
    }
    if (ShouldRecreate(ratio)) {
        RecreateSprite(*this);
        return;
    }
    if (v.sceneTimer == 0) ResetScene();
}

// Gone out of the play area; or out of life (a long-lived sprite only near the edge).
bool StarburstSprite::ShouldRecreate(double ratio) const {
    if (IsOutsidePlayArea()) return true;
    if (viewer->settings.spriteLifetime <= 25) return motion.life == 0;
    return motion.life == 0 && ratio > 0.9;
}

// No backdrop refresh in this mode.
void StarburstSprite::ResetScene() {
    RestartSprites(*viewer, &StarburstSprite::Place);
    ResetSceneTimer();
}

}  // namespace orb
