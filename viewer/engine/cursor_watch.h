// When mouse movement ends a running show: plain logic shared by the Windows
// saver and the Linux window, testable without either.
#pragma once
#include <cstdlib>

namespace orb {

// Mouse movement closes the saver only beyond a few pixels from where the cursor
// first showed up, so a jittery mouse or a cursor warp at start does not.
class CursorWatch {
public:
    static constexpr int kThreshold = 4;

    // Returns true when (x, y) lies beyond the threshold from the first position seen.
    bool MovedBeyondThreshold(int x, int y) {
        if (!started_) {
            started_ = true;
            x0_ = x;
            y0_ = y;
            return false;
        }
        return std::abs(x - x0_) > kThreshold || std::abs(y - y0_) > kThreshold;
    }

private:
    bool started_ = false;
    int x0_ = 0;
    int y0_ = 0;
};

}  // namespace orb
