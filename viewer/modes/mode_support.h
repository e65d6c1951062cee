// Small helpers shared by the motion modes: the common start of an update, safe
// truncation of world positions, and the scene-wide walks over the sprite table.
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
