// Paces the run loop to the display's refresh: between frames the thread waits
// for messages or the next frame time instead of spinning a core.
#pragma once
#include <windows.h>

namespace orb {

class FramePacer {
public:
    // refreshHz <= 1 (the driver's "default") counts as 60.
    explicit FramePacer(int refreshHz);
    ~FramePacer();
    FramePacer(const FramePacer&) = delete;
    FramePacer& operator=(const FramePacer&) = delete;

    // True when the next frame is due; otherwise waits until it is due or a
    // message arrives, and returns false so the caller drains the queue first.
    bool WaitForFrame();

    double PeriodMs() const { return periodMs_; }

private:
    double NowMs() const;

    double periodMs_;
    double nextMs_;
    double ticksPerMs_;
    bool timerPeriodSet_;
};

}  // namespace orb
