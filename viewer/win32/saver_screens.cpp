#include "viewer/win32/saver_screens.h"

namespace orb {

SaverScreens PlanSaverScreens(std::span<const Rect> monitors, MonitorArrangement arrangement) {
    SaverScreens plan;
    if (monitors.empty()) return plan;
    const Rect& primary = monitors.front();
    if (monitors.size() == 1 || arrangement == MonitorArrangement::Primary) {
        plan.window = primary;
        plan.showWidth = primary.Width();
        plan.showHeight = primary.Height();
        plan.views.push_back({0, 0, primary.Width(), primary.Height()});
        plan.capture = primary;
        plan.blackouts.assign(monitors.begin() + 1, monitors.end());
        return plan;
    }
    const MonitorLayout layout = ArrangeMonitors(monitors, arrangement, 0);
    plan.window = layout.window;
    plan.showWidth = layout.showWidth;
    plan.showHeight = layout.showHeight;
    plan.views = layout.views;
    // What the show is built over: the whole area when spanning, the primary when mirroring.
    plan.capture = arrangement == MonitorArrangement::Span ? layout.window : primary;
    plan.directDrawAllowed = false;
    return plan;
}

}  // namespace orb
