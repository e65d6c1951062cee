#include "viewer/modes/random_drift_sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "viewer/modes/mode_support.h"

namespace orb {

void RandomDriftSprite::Init(ViewerState& state) {
    BaseSetUp(state);
    PlaceDrift();
}

// A new turn rate and the frames it lasts, when Spin asks for turning.
void RandomDriftSprite::DrawTurn() {
    ViewerState& v = *viewer;
    const int spin = v.settings.spin;
    turnCountdown = 100 - v.random.Below(std::abs(spin));
    turnRate = v.random.Below(15) - 7;
}

void RandomDriftSprite::PlaceDrift() {
    ViewerState& v = *viewer;
    RandomGenerator& random = v.random;
    const Rect& area = v.playArea;
    // From a random side; at the top or the bottom whatever the side.
    const int side = StartAtRandomSide(*this);
    motion.y = side == 3 ? area.bottom : area.top;
    const int targetX = random.Below(area.Width()) + area.left;
    const int targetY = random.Below(area.Height()) + area.top;
    const double away = std::atan2(motion.y - targetY, motion.x - targetX) * kRadiansToDegrees;
    motion.direction = WrapInRange(TruncToInt(away) + 180, 0, 360);
    if (v.settings.spin != 0) {
        DrawTurn();
    } else {
        turnCountdown = 0;
        turnRate = 0;
    }
    ModeScene& scene = v.modeScene;
    if (!scene.followTableReady) {
        scene.followTable.fill(-1);
        scene.followTableReady = true;
    }
    AlignDisplayAngle(*this);
}

// Heads straight for a random point of the play area.
void RandomDriftSprite::ReAim() {
    ViewerState& v = *viewer;
    const Rect& area = v.playArea;
    const int targetX = v.random.Below(area.Width()) + area.left;
    const int targetY = v.random.Below(area.Height()) + area.top;
    motion.direction =
        TruncToInt(std::atan2(targetY - motion.y, targetX - motion.x) * kRadiansToDegrees);
    turnRate = 0;
    turnCountdown = 0;
    AlignDisplayAngle(*this);
}

void RandomDriftSprite::Update() {
    if (!BeginUpdate(*this)) return;
    ViewerState& v = *viewer;
    const ViewerSettings& settings = v.settings;
    MoveStep(AlignsWithStep(*this), 1000);
    CountDownLife();
    CountDownSceneTimer();
    if (v.random.Below(10) == 7) {
        motion.direction = WrapInRange(motion.direction + v.random.Below(20) - 10, 0, 360);
    }
    if (settings.swirl != 0) {
        motion.direction = WrapInRange(motion.direction + settings.swirl * 0.1, 0, 360);
    }
    if (turnCountdown > 0) {
        --turnCountdown;
    } else if (settings.spin != 0) {
        turnRate = v.random.Below(15) - 7;
        turnCountdown = 100 - v.random.Below(std::abs(settings.spin));
    }
    motion.direction = WrapInRange(motion.direction + turnRate, 0, 360);
    if (settings.alignToPath) displayAngle = motion.direction;
    if (IsOutsidePlayArea() && v.random.Below(30) == 24) ReAim();

    if (motion.life == 0 && (settings.spriteLifetime <= 25 || IsOutsidePlayArea())) {
        ScheduleBirth();
        InitLifetime();
        PlaceDrift();
        Hide();
        v.destroySoundPending = true;
        return;
    }
    if (settings.spriteLifetime > 25 || motion.life != 0) {
        if (v.sceneTimer == 0) ResetScene();
    }
}

void RandomDriftSprite::ResetScene() {
    RestartScene(*this, &RandomDriftSprite::PlaceDrift);
    // The next placement clears the chase links.
    viewer->modeScene.followTableReady = false;
}

void RandomDriftSprite::EndFrame() {
    Sprite::EndFrame();
    ViewerState& v = *viewer;
    const int factorX = v.settings.factorX;
    if (v.random.Below(1000) < factorX) {
        ModeScene& scene = v.modeScene;
        if (v.random.Below(100) < factorX) {
            // Sprite k chases sprite k - 1. The table has a fixed size, so a long
            // chain stops at its end instead of writing past it.
            const bool full = scene.linkCount >= v.spriteCount ||
                              scene.linkCount + 1 >= static_cast<std::int32_t>(scene.followTable.size());
            if (full) return;
            ++scene.linkCount;
            scene.followTable[scene.linkCount] = scene.linkCount - 1;
        } else if (scene.linkCount >= 1) {
            --scene.linkCount;
            scene.followTable[scene.linkCount] = -1;
        }
    }
    Chase();
}

// Every chasing sprite turns by 20 degrees toward its target until it heads
// within 20 degrees of it.
void RandomDriftSprite::Chase() {
    ViewerState& v = *viewer;
    const ModeScene& scene = v.modeScene;
    const std::int32_t followed = std::min<std::int32_t>(v.spriteCount, scene.followTable.size());
    for (std::int32_t i = 0; i < followed; ++i) {
        const std::int32_t target = scene.followTable[i];
        if (target < 0 || target >= v.spriteCount) continue;
        SpriteMotion& chaser = v.sprites[i]->motion;
        const SpriteMotion& chased = v.sprites[target]->motion;
        std::int32_t toward =
            TruncToInt(std::atan2(chased.y - chaser.y, chased.x - chaser.x) * kRadiansToDegrees);
        if (toward < 0) toward += 360;
        if (toward >= 361) toward -= 360;
        if (toward - 20 > chaser.direction) {
            chaser.direction += 20;
        } else if (toward + 20 < chaser.direction) {
            chaser.direction -= 20;
        }
        chaser.direction = WrapInRange(chaser.direction, 0, 360);
    }
}

}  // namespace orb
