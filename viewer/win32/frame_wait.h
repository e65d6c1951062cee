// Paces the run loop to the display's refresh: between frames the thread waits
// for messages or the next frame time instead of spinning a core.
#pragma once
#include <windows.h>

#include "viewer/engine/frame_pacer.h"

namespace orb {

class FrameWait {
public:
    // refreshHz <= 1 (the driver's "default") counts as 60.
    explicit FrameWait(int refreshHz);
    ~FrameWait();
    FrameWait(const FrameWait&) = delete;
    FrameWait& operator=(const FrameWait&) = delete;

    // True when the next frame is due; otherwise waits until it is due or a
    // message arrives, and returns false so the caller drains the queue first.
    bool WaitForFrame();

private:
    double NowMs() const;

    double ticksPerMs_;
    bool timerPeriodSet_;
    FramePacer pacer_;
};

}  // namespace orb
