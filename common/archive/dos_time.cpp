#include "dos_time.h"

namespace orb {

ALTimeDate TimeDateFromDos(std::uint16_t time, std::uint16_t date) {
    ALTimeDate td;
    td.second = 2 * (time & 0x1F);
    td.minute = (time >> 5) & 0x3F;
    td.hour = (time >> 11) & 0x1F;
    td.day = date & 0x1F;
    td.month = (date >> 5) & 0x0F;
    td.year = 1980 + ((date >> 9) & 0x7F);
    return td;
}

std::uint16_t DosTime(const ALTimeDate& td) {
    return static_cast<std::uint16_t>((td.hour << 11) | (td.minute << 5) | (td.second / 2));
}

std::uint16_t DosDate(const ALTimeDate& td) {
    return static_cast<std::uint16_t>(((td.year - 1980) << 9) | (td.month << 5) | td.day);
}

ALTimeDate TimeDateFromTime(std::time_t t) {
    ALTimeDate td;
    const std::tm* local = std::localtime(&t);
    if (!local || local->tm_year + 1900 < 1980 || local->tm_year + 1900 > 2107) return td;
    td.second = local->tm_sec & ~1;
    if (td.second > 58) td.second = 58;
    td.minute = local->tm_min;
    td.hour = local->tm_hour;
    td.day = local->tm_mday;
    td.month = local->tm_mon + 1;
    td.year = local->tm_year + 1900;
    return td;
}

std::time_t TimeFromTimeDate(const ALTimeDate& td) {
    std::tm local{};
    local.tm_sec = td.second;
    local.tm_min = td.minute;
    local.tm_hour = td.hour;
    local.tm_mday = td.day;
    local.tm_mon = td.month - 1;
    local.tm_year = td.year - 1900;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

}  // namespace orb
