#include "viewer/win32/monitor_option.h"

#include <windows.h>

namespace orb {

MonitorArrangement ReadMonitorOption() {
    char value[256] = {};
    GetProfileStringA(kSoundSection, kMonitorsKey, "Span", value, sizeof value);
    return MonitorValueArrangement(value);
}

void WriteMonitorOption(MonitorArrangement arrangement) {
    WriteProfileStringA(kSoundSection, kMonitorsKey, MonitorValueName(arrangement));
}

}  // namespace orb
