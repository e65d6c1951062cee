// Entry dates and times as ZIP stores them (DOS form, local time).
#pragma once
#include <cstdint>
#include <ctime>

namespace orb {

struct ALTimeDate {
    int second = 0;  // 0..58, even
    int minute = 0;
    int hour = 0;
    int day = 1;
    int month = 1;   // 1..12
    int year = 1980; // four digits
};

ALTimeDate TimeDateFromDos(std::uint16_t time, std::uint16_t date);
std::uint16_t DosTime(const ALTimeDate& td);
std::uint16_t DosDate(const ALTimeDate& td);

// Local calendar time of a file time; years before 1980 clamp to 1980-01-01.
ALTimeDate TimeDateFromTime(std::time_t t);
// The file time of a local calendar time (the system applies its time-zone bias).
std::time_t TimeFromTimeDate(const ALTimeDate& td);

}  // namespace orb
