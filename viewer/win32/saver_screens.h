// Where the running saver puts its windows and its show, from the monitors
// (desktop coordinates, the primary first) and the chosen arrangement. One
// monitor, or Primary only: the saver window covers the primary monitor, the
// display back-end is chosen as for a single screen, and every other monitor
// gets a black window. Span and Mirror: one window over every monitor, drawn
// through GDI, since DirectDraw's exclusive mode reaches the primary only.
#pragma once
#include <span>
#include <vector>

#include "viewer/engine/monitor_layout.h"

namespace orb {

struct SaverScreens {
    Rect window;                // desktop coordinates of the saver window
    int showWidth = 0;
    int showHeight = 0;
    std::vector<Rect> views;    // saver-window coordinates; the show scaled onto each
    Rect capture;               // desktop coordinates the Desktop background copies
    std::vector<Rect> blackouts;  // desktop coordinates of monitors covered black
    bool directDrawAllowed = true;
};

// `monitors` must not be empty.
SaverScreens PlanSaverScreens(std::span<const Rect> monitors, MonitorArrangement arrangement);

}  // namespace orb
