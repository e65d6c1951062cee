#include "viewer/win32/frame_pacer.h"

#include <mmsystem.h>

namespace orb {

FramePacer::FramePacer(int refreshHz) {
    periodMs_ = 1000.0 / (refreshHz > 1 ? refreshHz : 60);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs_ = double(frequency.QuadPart) / 1000.0;
    // Waits shorter than the default 15.6 ms tick need a finer system timer.
    timerPeriodSet_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    nextMs_ = NowMs();
}

FramePacer::~FramePacer() {
    if (timerPeriodSet_) timeEndPeriod(1);
}

double FramePacer::NowMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / ticksPerMs_;
}

bool FramePacer::WaitForFrame() {
    double now = NowMs();
    if (now >= nextMs_) {
        // After a long stall start afresh rather than racing to catch up.
        nextMs_ = now - nextMs_ > periodMs_ ? now + periodMs_ : nextMs_ + periodMs_;
        return true;
    }
    DWORD waitMs = static_cast<DWORD>(nextMs_ - now);
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return false;
}

}  // namespace orb
