// A view size given as text ("1920x1080"), as the programs' command lines take it.
#pragma once
#include <string_view>

namespace orb {

// The largest side a view may be given: three full-view surfaces of 24-bit pixels
// at 8192 x 8192 already take 600 MB.
inline constexpr int kLargestViewSide = 8192;

// "WIDTHxHEIGHT" (or "X"), each a decimal number from 1 to kLargestViewSide. False,
// and the outputs untouched, for anything else.
bool ParseViewSize(std::string_view text, int& width, int& height);

}  // namespace orb
