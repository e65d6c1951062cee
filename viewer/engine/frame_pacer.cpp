#include "viewer/engine/frame_pacer.h"

namespace orb {

FramePacer::FramePacer(int framesPerSecond, double nowMs)
    : periodMs_(1000.0 / (framesPerSecond > 1 ? framesPerSecond : 60)), nextMs_(nowMs) {}

double FramePacer::MsUntilDue(double nowMs) {
    if (nowMs < nextMs_) return nextMs_ - nowMs;
    // More than a whole period late (a stall): start afresh rather than race.
    nextMs_ = nowMs - nextMs_ > periodMs_ ? nowMs + periodMs_ : nextMs_ + periodMs_;
    return 0;
}

}  // namespace orb
