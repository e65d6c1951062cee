#include "modify_actor.h"

namespace orb {

std::int32_t RotationBetween(std::int32_t oldAngle, std::int32_t angle) {
    std::int32_t d = angle - oldAngle;
    if (d < 0) d += 360;
    return d % 360;
}

bool ModifyActor(GXDrawingSurface& first, const ActorChange& change, ReportSink& sink) {
    ColourKey key = change.key.value_or(first.key);
    if (key.tolerance == 0 && !change.key) key.tolerance = 1;  // the dialog opens with at least 1
    std::int32_t angle = change.angle.value_or(first.storedAngle);
    std::int32_t turn = RotationBetween(first.storedAngle, angle);
    bool ok = true;
    for (GXDrawingSurface* frame = &first; frame && frame->firstFrame == &first; frame = frame->nextFrame) {
        frame->key = key;
        frame->Rotate(turn, Program::Authoring);
        frame->squareCanvas = true;
    }
    first.storedAngle = angle;
    for (GXDrawingSurface* frame = &first; frame && frame->firstFrame == &first; frame = frame->nextFrame) {
        if (change.flipHorizontal) ok = frame->FlipHorizontal(Program::Authoring, sink) && ok;
        if (change.flipVertical) ok = frame->FlipVertical(Program::Authoring, sink) && ok;
    }
    return ok;
}

}  // namespace orb
