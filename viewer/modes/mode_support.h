// Small helpers shared by the motion modes: the common start of an update, safe
// truncation of world positions, starts at the play area's sides, the wholly
// inside test, the scene-wide walks over the sprite table and the restarts of one
// sprite or of the whole scene.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

#include "viewer/engine/sprite.h"
#include "viewer/engine/viewer_state.h"

namespace orb {

// trunc() that saturates instead of overflowing: a sprite that never enters a tiny
// view can drift far enough for its coordinates to leave the 32-bit range, and NaN
// (from degenerate geometry) counts as 0.
inline std::int32_t TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// The start every mode but SPLAT shares: step the life state; awaiting birth ends
// the update (false); alive also advances the animation; then the item is shown.
inline bool BeginUpdate(Sprite& sprite) {
    const int state = sprite.StepLifeState();
    if (state == kAwaitingBirth) return false;
    if (state == 0) sprite.NextAnimationFrame();
    sprite.Show(true);
    return true;
}

// Calls `visit` for every sprite of the viewer's table, in table order, as the
// mode's own class (every sprite of a scene shares one mode).
template <class ModeSprite, class Visit>
void ForEachSprite(ViewerState& viewer, Visit&& visit) {
    for (std::int32_t i = 0; i < viewer.spriteCount; ++i) {
        visit(static_cast<ModeSprite&>(*viewer.sprites[i]));
    }
}

// One coordinate of a start at a side of the play area along one axis: side 0 up
// to 100 units before `low`, past the sprite's size; side 1 likewise beyond
// `high`; any other side anywhere in [low, high). The size is a pixel size added
// to world coordinates as it is.
inline double EdgeStart(RandomGenerator& random, std::int32_t low, std::int32_t high, double size, int side) {
    if (side == 0) return low - size - random.Below(100);
    if (side == 1) return random.Below(100) + size + high;
    return random.Below(high - low) + low;
}

// Picks one of the four sides (0 to 3) for a start from outside the play area and
// sets x as EdgeStart gives it for that side; y is the mode's own rule.
inline int StartAtRandomSide(Sprite& sprite) {
    RandomGenerator& random = sprite.viewer->random;
    const Rect& area = sprite.viewer->playArea;
    const int side = random.Below(4);
    sprite.motion.x = EdgeStart(random, area.left, area.right, sprite.baseWidth, side);
    return side;
}

// Whether the sprite lies wholly inside the play area by its visible half extents
// c and d (the play area's left and top edges are at world 0).
inline bool IsWhollyInside(const Sprite& sprite, int c, int d) {
    const Rect& area = sprite.viewer->playArea;
    const SpriteMotion& m = sprite.motion;
    return c < m.x && m.x < area.right - c && d < m.y && m.y < area.bottom - d;
}

// Every sprite of the scene hidden and started again as if new, each placed by
// the mode's own `place`.
template <class ModeSprite>
void RestartSprites(ViewerState& viewer, void (ModeSprite::*place)()) {
    ForEachSprite<ModeSprite>(viewer, [place](ModeSprite& sprite) {
        sprite.Hide();
        sprite.ScheduleBirth();
        sprite.InitLifetime();
        (sprite.*place)();
    });
}

// A new scene: every sprite restarts as above, the backdrop is drawn afresh and
// the scene timer starts again.
template <class ModeSprite>
void RestartScene(ModeSprite& sprite, void (ModeSprite::*place)()) {
    RestartSprites(*sprite.viewer, place);
    sprite.viewer->display.RefreshBackdrop();
    sprite.ResetSceneTimer();
}

// A sprite whose run is over goes back to awaiting birth with a fresh lifetime,
// sounds its end, is hidden and placed anew.
inline void RecreateSprite(Sprite& sprite) {
    sprite.ScheduleBirth();
    sprite.InitLifetime();
    sprite.viewer->destroySoundPending = true;
    sprite.Hide();
    sprite.Place();
}

// Placements that face the path when Align to Path is on: no display angle
// otherwise, and without pre-rotated copies one fine step to settle the angle and
// the flip.
inline void AlignDisplayAngle(Sprite& sprite) {
    const ViewerState& viewer = *sprite.viewer;
    if (!viewer.settings.alignToPath) {
        sprite.displayAngle = 0;
    } else if (!viewer.settings.quickRotation) {
        sprite.MoveStepFine(viewer.settings.spin == 0, sprite.flipVertical);
    }
}

// The display angle of MoveStep's alignment: the mode's align rule.
inline bool AlignsWithStep(const Sprite& sprite) {
    return sprite.viewer->settings.spin == 0 && sprite.viewer->settings.alignToPath;
}

}  // namespace orb
