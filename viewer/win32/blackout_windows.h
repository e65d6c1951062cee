// Black windows over the monitors the show does not use. They never take the
// activation from the saver window, and pass mouse input on to it, so that
// input on any monitor ends the show as it would on the saver's own.
#pragma once
#include <windows.h>

#include <span>
#include <vector>

#include "viewer/engine/rect.h"

namespace orb {

class BlackoutWindows {
public:
    BlackoutWindows() = default;
    ~BlackoutWindows() { Remove(); }
    BlackoutWindows(const BlackoutWindows&) = delete;
    BlackoutWindows& operator=(const BlackoutWindows&) = delete;

    // One black window over each area (desktop coordinates); input goes to `saver`.
    void Cover(HWND saver, std::span<const Rect> areas);
    void Remove();
    std::size_t Count() const { return windows_.size(); }

private:
    std::vector<HWND> windows_;
};

}  // namespace orb
