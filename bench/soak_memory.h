// Resident memory of this process, for the soak programs and the benchmarks.
#pragma once
#include <cstdint>
#include <cstdio>
#include <unistd.h>

namespace orb::soak {

// Resident set size in kilobytes (0 when /proc is not there).
inline std::int64_t ResidentKilobytes() {
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file) return 0;
    long size = 0, resident = 0;
    const int read = std::fscanf(file, "%ld %ld", &size, &resident);
    std::fclose(file);
    return read == 2 ? std::int64_t(resident) * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// Starts a new peak: the kernel sets the peak resident size to the current one.
inline void ResetPeakResident() {
    if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", file);
        std::fclose(file);
    }
}

// Peak resident set size since the start or the last ResetPeakResident, in
// kilobytes (0 when /proc is not there).
inline std::int64_t PeakResidentKilobytes() {
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (!file) return 0;
    char line[256];
    long peak = 0;
    while (std::fgets(line, sizeof line, file))
        if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1) break;
    std::fclose(file);
    return peak;
}

// Sanitizer builds hold freed memory in quarantine, so their resident size says
// nothing about leaks (LeakSanitizer checks those at exit instead).
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kResidentSizeMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kResidentSizeMeaningful = false;
#else
inline constexpr bool kResidentSizeMeaningful = true;
#endif
#else
inline constexpr bool kResidentSizeMeaningful = true;
#endif

}  // namespace orb::soak
