#include "viewer/modes/rain_sprite.h"

#include <cmath>

#include "viewer/modes/mode_support.h"

namespace orb {

namespace {

// 6000 world units back along the direction of travel.
void StepBack(SpriteMotion& motion) {
    const double heading = motion.direction * kDegreesToRadians;
    motion.x -= std::cos(heading) * 6000;
    motion.y -= std::sin(heading) * 6000;
}

}  // namespace

void RainSprite::Init(ViewerState& state) {
    BaseSetUp(state);
    PlaceRain();
}

void RainSprite::PlaceRain() {
    InitDirection();
    StepBack(motion);
    displayAngle = motion.direction;
    entered = 0;
    AlignDisplayAngle(*this);
}

// Every sprite's direction turns by the same amount (wrapped once).
void RainSprite::TurnAll(double degrees) {
    ForEachSprite<RainSprite>(*viewer, [degrees](RainSprite& sprite) {
        sprite.motion.direction = WrapInRange(sprite.motion.direction + degrees, 0, 360);
    });
}

void RainSprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    ModeScene& scene = v.modeScene;
    const ViewerSettings& settings = v.settings;
    const bool allOnScreen = v.spriteCount > 0 && scene.rainOnScreen >= v.spriteCount;
    if (settings.swirl != 0 && allOnScreen) TurnAll(settings.swirl * 0.01);
    MoveStep(AlignsWithStep(*this), 1000);
    TurnDisplayAngle();
    CountDownLife();
    CountDownSceneTimer();
    if (v.random.Below(10000) < settings.factorX && scene.rainOnScreen >= v.spriteCount) {
        // A sudden change of wind: the same turn for all.
        const int gust = v.random.Next() % 360;
        ForEachSprite<RainSprite>(v, [gust](RainSprite& sprite) {
            sprite.motion.direction += gust;
            if (sprite.motion.direction > 360) sprite.motion.direction -= 360;
        });
    }
    const double ratio = CentreDistanceRatio();

    const double e = v.PixelToWorldXInt(width);
    const double f = v.PixelToWorldYInt(height);
    const Rect& area = v.playArea;
    if (!entered && -e < motion.x && motion.x < area.right + e && -f < motion.y &&
        motion.y < area.bottom + f) {
        entered = 1;
        ++scene.rainOnScreen;
    }
    if (entered) WrapAround(e, f);

    if (motion.life == 0 && (settings.spriteLifetime <= 25 || ratio > 0.9)) {
        RandomPosition();
        ScheduleBirth();
        InitLifetime();
        entered = 0;
        --scene.rainOnScreen;
        StepBack(motion);
        Hide();
        v.destroySoundPending = true;
        return;
    }
    if (v.sceneTimer == 0) ResetScene();
}

// Leaving on one side comes back one sprite size outside the opposite side.
void RainSprite::WrapAround(double e, double f) {
    const Rect& area = viewer->playArea;
    if (motion.x < -e) motion.x = area.right + e;
    if (motion.x > area.right + e) motion.x = -e;
    if (motion.y < -f) motion.y = area.bottom + f;
    if (motion.y > area.bottom + f) motion.y = -f;
}

// The on-screen count is left as it is.
void RainSprite::ResetScene() {
    RestartScene(*this, &RainSprite::PlaceRain);
}

}  // namespace orb
