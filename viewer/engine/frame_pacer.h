// The schedule of a steady frame rate. Frames fall due one period apart; a frame
// that comes late moves the schedule on instead of letting frames bunch up to
// catch up. The host does the waiting (a sleep, or a wait for messages), so the
// schedule itself never spins and is testable with made-up clock readings.
#pragma once

namespace orb {

class FramePacer {
public:
    // framesPerSecond <= 1 (a driver's "default" refresh) counts as 60.
    FramePacer(int framesPerSecond, double nowMs);

    // 0 when a frame is due at `nowMs` (the next one is then scheduled);
    // otherwise the milliseconds still to wait.
    double MsUntilDue(double nowMs);

    double PeriodMs() const { return periodMs_; }

private:
    double periodMs_;
    double nextMs_;
};

}  // namespace orb
