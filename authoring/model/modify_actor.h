// Changing one actor: mirror it, turn it, and choose its transparent colour.
#pragma once
#include <cstdint>
#include <optional>

#include "common/imaging/drawing_surface.h"
#include "common/report.h"

namespace orb {

struct ActorChange {
    bool flipHorizontal = false;
    bool flipVertical = false;
    std::optional<std::int32_t> angle;  // the new angle, 0..360; the frames turn by its difference
    std::optional<ColourKey> key;       // blue, green, red 0..255, tolerance 0..256
};

// The turn from the angle the actor holds to `angle`: (angle - old), plus 360 when
// negative, modulo 360.
std::int32_t RotationBetween(std::int32_t oldAngle, std::int32_t angle);

// Applies a change to every frame of the actor starting at `first`, as OK in the
// dialog does: every frame gets the key (the current one when none is given), is
// turned (by 0 when no angle is given, which still puts it on its square canvas)
// and gets the square-canvas flag; the first frame stores the new angle; then the
// requested flips. False when a flip was refused ("Can't flip in non-24bit mode").
bool ModifyActor(GXDrawingSurface& first, const ActorChange& change, ReportSink& sink);

}  // namespace orb
