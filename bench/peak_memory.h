// Peak resident memory of this process, for the benchmarks' tables. Read from
// /proc on Linux; elsewhere the peak reads 0 and the table shows none.
#pragma once
#include <cstdint>
#include <cstdio>

namespace orb::bench {

// Starts a new peak: the kernel sets the peak resident size to the current one.
inline void ResetPeakResident() {
#ifdef __linux__
    if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", file);
        std::fclose(file);
    }
#endif
}

// Peak resident set size since the start or the last ResetPeakResident, in
// kilobytes (0 when /proc is not there).
inline std::int64_t PeakResidentKilobytes() {
#ifndef __linux__
    return 0;
#else
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (!file) return 0;
    char line[256];
    long peak = 0;
    while (std::fgets(line, sizeof line, file))
        if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1) break;
    std::fclose(file);
    return peak;
#endif
}

}  // namespace orb::bench
