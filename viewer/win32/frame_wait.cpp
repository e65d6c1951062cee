#include "viewer/win32/frame_wait.h"

#include <mmsystem.h>

namespace orb {
namespace {

double PerformanceTicksPerMs() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
}

}  // namespace

FrameWait::FrameWait(int refreshHz)
    : ticksPerMs_(PerformanceTicksPerMs()),
      // Waits shorter than the default 15.6 ms tick need a finer system timer.
      timerPeriodSet_(timeBeginPeriod(1) == TIMERR_NOERROR),
      pacer_(refreshHz, NowMs()) {}

FrameWait::~FrameWait() {
    if (timerPeriodSet_) timeEndPeriod(1);
}

double FrameWait::NowMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / ticksPerMs_;
}

bool FrameWait::WaitForFrame() {
    const double waitMs = pacer_.MsUntilDue(NowMs());
    if (waitMs <= 0) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(waitMs), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return false;
}

}  // namespace orb
