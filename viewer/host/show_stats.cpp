#include "viewer/host/show_stats.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace orb::host {
namespace {

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

}  // namespace

CpuTimes ProcessCpuTimes() {
    CpuTimes times;
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0) {
        times.userSeconds = Seconds(usage.ru_utime);
        times.systemSeconds = Seconds(usage.ru_stime);
    }
    times.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    return times;
}

std::string FormatShowStats(int framesShown, const FrameStats& work, const CpuTimes& from,
                            const CpuTimes& to) {
    const double wall = to.wallSeconds - from.wallSeconds;
    const double user = to.userSeconds - from.userSeconds;
    const double system = to.systemSeconds - from.systemSeconds;
    const double fps = wall > 0 ? framesShown / wall : 0;
    const double share = wall > 0 ? 100.0 * (user + system) / wall : 0;
    char text[320];
    std::snprintf(text, sizeof text,
                  "shown %d frames in %.2f s (%.1f fps); work per frame mean %.3f ms, p50 %.3f ms, "
                  "p99 %.3f ms\ncpu %.1f%% of one core (user %.3f s + system %.3f s over %.2f s)",
                  framesShown, wall, fps, work.meanMs, work.p50Ms, work.p99Ms, share, user, system, wall);
    return text;
}

}  // namespace orb::host
