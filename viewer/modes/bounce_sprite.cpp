#include "viewer/modes/bounce_sprite.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "viewer/modes/mode_support.h"

namespace orb {

void BounceSprite::Place() {
    ViewerState& v = *viewer;
    RandomGenerator& random = v.random;
    xSign = (random.Next() & 1) ? -1.0 : 1.0;
    ySign = (random.Next() & 1) ? -1.0 : 1.0;
    const Rect& area = v.playArea;
    motion.x = random.Below(area.Width()) + area.left;
    motion.y = random.Below(area.Height()) + area.top;
    const double heading = motion.direction * kDegreesToRadians;
    motion.x -= std::cos(heading) * xSign * 8000;
    motion.y -= std::sin(heading) * ySign * 8000;
    displayAngle = v.settings.alignToPath ? motion.direction : 0;
    entered = 0;
}

void BounceSprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    const ViewerSettings& settings = v.settings;
    if (settings.swirl != 0 && entered) {
        motion.direction = WrapInRange(motion.direction + settings.swirl * 0.1, 0, 360);
    }
    MoveStep(AlignsWithStep(*this), 800);
    TurnDisplayAngle();
    CountDownLife();
    CountDownSceneTimer();

    int c = 0;
    int d = 0;
    VisibleHalfExtents(c, d);
    if (!entered && IsWhollyInside(*this, c, d)) entered = 1;
    if (entered) ReflectAtEdges(c, d);

    const double ratio = CentreDistanceRatio();
    if (motion.life == 0 && (settings.spriteLifetime <= 25 || ratio > 0.9)) {
        RandomPosition();
        ScheduleBirth();
        InitLifetime();
        entered = 0;
        Place();
        Hide();
        v.destroySoundPending = true;
        return;
    }
    if (v.sceneTimer == 0) ResetScene();
}

// Each hit flips the axis it met; with chance Factor X percent the other axis too.
// The left and top edges are at world 0.
void BounceSprite::ReflectAtEdges(int c, int d) {
    ViewerState& v = *viewer;
    const Rect& area = v.playArea;
    const int factorX = v.settings.factorX;
    auto maybeFlip = [&](double& sign) {
        if (v.random.Below(100) < factorX) sign = -sign;
    };
    if (motion.x < c) {
        motion.x = c;
        xSign = -xSign;
        maybeFlip(ySign);
        v.bounceSoundPending = true;
    }
    if (motion.x > area.right - c) {
        motion.x = area.right - c;
        xSign = -xSign;
        maybeFlip(ySign);
        v.bounceSoundPending = true;
    }
    if (TruncToInt(motion.y) < d) {
        motion.y = d;
        ySign = -ySign;
        maybeFlip(xSign);
        v.bounceSoundPending = true;
    }
    if (TruncToInt(motion.y) > area.bottom - d) {
        motion.y = area.bottom - d;
        ySign = -ySign;
        maybeFlip(xSign);
        v.bounceSoundPending = true;
    }
}

// Walks the draw list's order (items are numbered in creation order), so sprites
// never drawn yet are left as they are.
void BounceSprite::ResetScene() {
    ViewerState& v = *viewer;
    std::vector<BounceSprite*> drawn;
    ForEachSprite<BounceSprite>(v, [&](BounceSprite& sprite) {
        if (sprite.drawHandle != 0) drawn.push_back(&sprite);
    });
    std::sort(drawn.begin(), drawn.end(),
              [](const BounceSprite* a, const BounceSprite* b) { return a->drawHandle < b->drawHandle; });
    for (BounceSprite* sprite : drawn) {
        sprite->Hide();
        sprite->ScheduleBirth();
        sprite->InitLifetime();
        sprite->Place();
    }
    v.display.RefreshBackdrop();
    ResetSceneTimer();
}

}  // namespace orb
