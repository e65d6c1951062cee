// Where the show goes when there is more than one monitor. The hosts list the
// monitors (desktop coordinates, the main one first or named by index) and get
// back the area their full-screen window covers, the size the show is built for,
// and the places in that window where the show is presented, scaled to each
// place when its size differs. Whatever of the window no place covers is black.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <optional>
#include <vector>

#include "viewer/engine/rect.h"

namespace orb {

enum class MonitorArrangement {
    Span,     // one show over the bounding rectangle of all monitors
    Mirror,   // one show at the main monitor's size, presented on every monitor
    Primary,  // the show on the main monitor only, the others black
};

// "span", "mirror", "primary" (the Linux command line's words).
std::optional<MonitorArrangement> ArrangementNamed(std::string_view name);

struct MonitorLayout {
    Rect window;             // desktop coordinates
    int showWidth = 0;
    int showHeight = 0;
    std::vector<Rect> views;  // window coordinates; the whole show scaled onto each
};

// `monitors` must not be empty; `mainMonitor` out of range counts as 0.
MonitorLayout ArrangeMonitors(std::span<const Rect> monitors, MonitorArrangement arrangement,
                              int mainMonitor);

// True when a view shows the show pixel for pixel.
inline bool IsUnscaled(const Rect& view, int showWidth, int showHeight) {
    return view.Width() == showWidth && view.Height() == showHeight;
}

// Nearest-neighbour scaling of one axis: the show coordinate that target
// coordinate `t` (0-based inside the view) samples, for a show extent `source`
// drawn over a view extent `target`.
inline int SampledSource(int t, int source, int target) {
    return static_cast<int>(std::int64_t(t) * source / target);
}

// The view pixels (view coordinates, right and bottom exclusive) whose samples
// fall inside `changed` (show coordinates): exactly those that must be presented
// again when `changed` changed.
Rect ScaledToView(const Rect& changed, int showWidth, int showHeight, const Rect& view);

}  // namespace orb
