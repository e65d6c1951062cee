// Median and spread of a row's repeated runs: the machine is shared, so a single
// run can be off by 2x; the median of several is what the table compares.
#pragma once
#include <span>

namespace orb::bench {

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::span<const double> values);
// (largest - smallest) / median, as a fraction; 0 for none or a zero median.
double Spread(std::span<const double> values);

}  // namespace orb::bench
