// Progress reports from long archive operations.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace orb {

// Receives the name of the file in hand and a percentage (-1 when unknown).
using ALProgress = std::function<void(const std::string& text, int percent)>;

// (position - start) x 100 / total; for totals above 999999 computed as
// (position - start) / (total / 100) so the product cannot overflow; -1 when the
// total is 0 or unknown (negative).
int ProgressPercent(std::int64_t start, std::int64_t position, std::int64_t total);

}  // namespace orb
