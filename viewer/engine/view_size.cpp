#include "viewer/engine/view_size.h"

#include <charconv>

namespace orb {
namespace {

bool ParseSide(std::string_view text, int& side) {
    const char* end = text.data() + text.size();
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < 1 || value > kLargestViewSide)
        return false;
    side = value;
    return true;
}

}  // namespace

bool ParseViewSize(std::string_view text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    int w = 0, h = 0;
    if (!ParseSide(text.substr(0, x), w) || !ParseSide(text.substr(x + 1), h)) return false;
    width = w;
    height = h;
    return true;
}

}  // namespace orb
