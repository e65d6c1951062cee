#include "viewer/win32/monitor_list.h"

#include <windows.h>

namespace orb {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    auto& monitors = *reinterpret_cast<std::vector<Rect>*>(list);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    const Rect area{r.left, r.top, r.right, r.bottom};
    if (area.IsEmpty()) return TRUE;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors.insert(monitors.begin(), area);
    else
        monitors.push_back(area);
    return TRUE;
}

}  // namespace

std::vector<Rect> ListMonitors() {
    std::vector<Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return monitors;
}

}  // namespace orb
