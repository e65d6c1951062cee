#include "viewer/win32/monitor_option.h"

#include <windows.h>

#include "win32/shared/profile_value.h"

namespace orb {

MonitorArrangement ReadMonitorOption() {
    return MonitorValueArrangement(ReadSetting(kSoundSection, kMonitorsKey, "Span"));
}

void WriteMonitorOption(MonitorArrangement arrangement) {
    WriteProfileStringA(kSoundSection, kMonitorsKey, MonitorValueName(arrangement));
}

}  // namespace orb
