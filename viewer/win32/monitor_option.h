// How the saver uses several monitors: "Monitors" beside "SoundsOn" in the
// section "EnableSound" of the user's profile, "Span", "Mirror" or "Primary".
// Missing or unknown means Span.
#pragma once
#include <string_view>

#include "viewer/engine/monitor_layout.h"
#include "viewer/win32/sound_option.h"

namespace orb {

inline constexpr char kMonitorsKey[] = "Monitors";

inline MonitorArrangement MonitorValueArrangement(std::string_view value) {
    if (value == "Mirror") return MonitorArrangement::Mirror;
    if (value == "Primary") return MonitorArrangement::Primary;
    return MonitorArrangement::Span;
}

inline const char* MonitorValueName(MonitorArrangement arrangement) {
    switch (arrangement) {
    case MonitorArrangement::Mirror:
        return "Mirror";
    case MonitorArrangement::Primary:
        return "Primary";
    case MonitorArrangement::Span:
        break;
    }
    return "Span";
}

MonitorArrangement ReadMonitorOption();
void WriteMonitorOption(MonitorArrangement arrangement);

}  // namespace orb
