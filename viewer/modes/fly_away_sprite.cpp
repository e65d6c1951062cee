#include "viewer/modes/fly_away_sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "viewer/modes/mode_support.h"
#include "viewer/modes/perspective.h"

namespace orb {

void FlyAwaySprite::Place() {
    ViewerState& v = *viewer;
    RandomGenerator& random = v.random;
    const Rect& area = v.playArea;
    // From a random side, toward the play area.
    const int side = StartAtRandomSide(*this);
    motion.y = EdgeStart(random, area.top, area.bottom, baseHeight, side - 2);
    int centreX = area.left + area.Width() / 2;
    int centreY = area.top + area.Height() / 2;
    const int swirl = v.settings.swirl;
    if (swirl / 2 != 0) {
        const int first = random.Next();
        const int second = random.Next();
        centreX += first % std::abs(swirl) - swirl / 2;
        centreY += second % std::abs(swirl) - swirl / 2;
    }
    aimDirection = TruncToInt(std::atan2(centreY - motion.y, centreX - motion.x) * kRadiansToDegrees);
    if (aimDirection > 360) aimDirection -= 360;
    if (aimDirection < 0) aimDirection += 360;
    motion.direction = aimDirection;
    swirlSense = 0;
    displayAngle = motion.direction;
    ScheduleBirth();
    AlignDisplayAngle(*this);
}

// Turns about the centre by Swirl x 0.02 degrees and closes in by a factor that
// shrinks with speed.
void FlyAwaySprite::SpiralStep() {
    const Rect& area = viewer->playArea;
    const int centreX = area.left + area.Width() / 2;
    const int centreY = area.top + area.Height() / 2;
    const double closing = 1 - motion.speed * 0.000025;
    const double u = (motion.x - centreX) * closing;
    const double w = (motion.y - centreY) * closing;
    double turn = viewer->settings.swirl * 0.02;
    if (swirlSense) turn = -turn;
    turn *= kDegreesToRadians;
    motion.x = TruncToInt(u * std::cos(turn) - w * std::sin(turn)) + area.Width() / 2 + area.left;
    motion.y = TruncToInt(u * std::sin(turn) + w * std::cos(turn)) + area.Height() / 2 + area.top;
}

void FlyAwaySprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    const ViewerSettings& settings = v.settings;
    const double x0 = motion.x;
    const double y0 = motion.y;
    TurnDisplayAngle();
    CountDownLife();
    CountDownSceneTimer();
    const double ratio = std::min(CentreDistanceRatio(), 1.0);
    motion.speed = minimumSpeed + TruncToInt(ratio * (baseSpeed - minimumSpeed));
    width = PerspectiveSize(ratio, baseWidth, 1.4);
    height = PerspectiveSize(ratio, baseHeight, 1.4);
    if (v.random.Below(1000) < settings.factorX) swirlSense = !swirlSense;
    SpiralStep();

    motion.direction = std::atan2(motion.y - y0, motion.x - x0) * kRadiansToDegrees;
    if (motion.direction < 0) motion.direction += 360;
    if (motion.direction > 360) motion.direction -= 360;
    if (AlignsWithStep(*this)) displayAngle = motion.direction;

    if (ShouldRecreate(ratio)) {
        RecreateSprite(*this);
        return;
    }
    if (v.sceneTimer == 0) ResetScene();
}

// Arrived at the centre; or out of life (a long-lived sprite only near the centre).
bool FlyAwaySprite::ShouldRecreate(double ratio) const {
    if (ratio < 0.05) return true;
    if (viewer->settings.spriteLifetime <= 25) return motion.life == 0;
    return motion.life == 0 && ratio < 0.1;
}

void FlyAwaySprite::ResetScene() {
    RestartScene(*this, &FlyAwaySprite::Place);
}

}  // namespace orb
