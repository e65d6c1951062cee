// Resident memory of this process, for the soak programs.
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
