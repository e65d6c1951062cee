#include "viewer/engine/monitor_layout.h"

namespace orb {
namespace {

// The first target coordinate whose sample is at or past source coordinate `s`:
// ceil(s * target / source), for non-negative s.
int FirstTargetAtOrPast(int s, int source, int target) {
    return static_cast<int>((std::int64_t(s) * target + source - 1) / source);
}

Rect Offset(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

std::optional<MonitorArrangement> ArrangementNamed(std::string_view name) {
    if (name == "span") return MonitorArrangement::Span;
    if (name == "mirror") return MonitorArrangement::Mirror;
    if (name == "primary") return MonitorArrangement::Primary;
    return std::nullopt;
}

MonitorLayout ArrangeMonitors(std::span<const Rect> monitors, MonitorArrangement arrangement,
                              int mainMonitor) {
    MonitorLayout layout;
    if (monitors.empty()) return layout;
    if (mainMonitor < 0 || mainMonitor >= static_cast<int>(monitors.size())) mainMonitor = 0;
    const Rect& main = monitors[mainMonitor];
    Rect all = monitors.front();
    for (const Rect& m : monitors) all = BoundingBox(all, m);
    layout.window = all;
    switch (arrangement) {
    case MonitorArrangement::Span:
        layout.showWidth = all.Width();
        layout.showHeight = all.Height();
        layout.views.push_back({0, 0, all.Width(), all.Height()});
        break;
    case MonitorArrangement::Mirror:
        layout.showWidth = main.Width();
        layout.showHeight = main.Height();
        for (const Rect& m : monitors) layout.views.push_back(Offset(m, -all.left, -all.top));
        break;
    case MonitorArrangement::Primary:
        layout.showWidth = main.Width();
        layout.showHeight = main.Height();
        layout.views.push_back(Offset(main, -all.left, -all.top));
        break;
    }
    return layout;
}

Rect ScaledToView(const Rect& changed, int showWidth, int showHeight, const Rect& view) {
    const Rect show{0, 0, showWidth, showHeight};
    const Rect c = Intersect(changed, show);
    if (c.IsEmpty() || view.IsEmpty()) return {};
    return {view.left + FirstTargetAtOrPast(c.left, showWidth, view.Width()),
            view.top + FirstTargetAtOrPast(c.top, showHeight, view.Height()),
            view.left + FirstTargetAtOrPast(c.right, showWidth, view.Width()),
            view.top + FirstTargetAtOrPast(c.bottom, showHeight, view.Height())};
}

}  // namespace orb
