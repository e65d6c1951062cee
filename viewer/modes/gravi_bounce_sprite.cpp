#include "viewer/modes/gravi_bounce_sprite.h"

#include <algorithm>
#include <cmath>

#include "viewer/modes/mode_support.h"

namespace orb {

namespace {

// Into [low, high]; when the view is narrower than the sprite (low > high) the
// upper bound wins, so the sprite stays put instead of the clamp misbehaving.
double ClampInto(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

}  // namespace

void GraviBounceSprite::Place() {
    ViewerState& v = *viewer;
    RandomGenerator& random = v.random;
    const Rect& area = v.playArea;
    motion.x = random.Below(area.Width()) + area.left;
    motion.y = random.Below(area.Height() / 3) + area.top;
    motion.y -= area.Height() / 2;
    std::int32_t throwRange = 2 * baseSpeed;
    if (throwRange <= 0) throwRange = 1;
    motion.speed = random.Below(throwRange);
    const double heading = motion.direction * kDegreesToRadians;
    const int swirl = v.settings.swirl;
    horizontalVelocity = swirl + 2.0 * swirl * std::cos(heading) * random.Below(100);
    verticalVelocity = std::sin(heading) * motion.speed * 0.1;
    gravityFactor = 1.0;
    entered = 0;
    spinRate = v.settings.spin;
    displayAngle = 0;
}

void GraviBounceSprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    const ViewerSettings& settings = v.settings;
    CountDownLife();
    CountDownSceneTimer();
    displayAngle = WrapInRange(displayAngle + spinRate / 3, 0, 360);
    const double pace = settings.turbo ? 2.0 : 1.0;
    motion.x += horizontalVelocity * 0.01 * pace;
    motion.y += verticalVelocity * 0.01 * pace;
    spinRate *= 0.995;
    horizontalVelocity *= 0.995;

    int c = 0;
    int d = 0;
    VisibleHalfExtents(c, d);
    if (!entered && IsWhollyInside(*this, c, d)) entered = 1;
    HitWalls(c, d);

    if (v.bounceSoundPending && v.random.Below(100) < settings.factorX) {
        verticalVelocity = (v.random.Below(100) * 0.01 + 0.5) * verticalVelocity;
        spinRate = settings.spin;
        return;
    }
    if (motion.life == 0) {
        Recreate();
        return;
    }
    if (v.sceneTimer != 0) {
        verticalVelocity += baseSpeed * gravityFactor * 0.1;
        return;
    }
    ResetScene();
}

// Side walls always; the floor always; the ceiling only once entered. Only a hard
// floor hit (0.3 x velocity above 1000) makes a sound.
void GraviBounceSprite::HitWalls(int c, int d) {
    ViewerState& v = *viewer;
    const int width = v.playArea.Width();
    const int height = v.playArea.Height();
    const std::int32_t x = TruncToInt(motion.x);
    if (x < c || x > width - c) {
        if (entered) v.bounceSoundPending = true;
        spinRate *= -0.7;
        horizontalVelocity *= -0.7;
        motion.x = ClampInto(motion.x, c, width - c);
    }
    if ((entered && motion.y < d) || TruncToInt(motion.y) > height - d) {
        if (0.3 * verticalVelocity > 1000) v.bounceSoundPending = true;
        verticalVelocity *= -0.7;
        motion.y = ClampInto(motion.y, d, height - d);
    }
}

void GraviBounceSprite::Recreate() {
    RandomPosition();
    ScheduleBirth();
    InitLifetime();
    gravityFactor = 1.0;
    entered = 0;
    Place();
    Hide();
    viewer->destroySoundPending = true;
}

void GraviBounceSprite::ResetScene() {
    ViewerState& v = *viewer;
    ForEachSprite<GraviBounceSprite>(v, [](GraviBounceSprite& sprite) {
        sprite.RandomPosition();
        sprite.ScheduleBirth();
        sprite.InitLifetime();
        sprite.entered = 0;
        sprite.gravityFactor = 1.0;
        sprite.Place();
        sprite.Hide();
    });
    v.display.RefreshBackdrop();
    v.destroySoundPending = true;
    ResetSceneTimer();
}

}  // namespace orb
