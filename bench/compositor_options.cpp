#include "bench/compositor_options.h"

#include <algorithm>
#include <charconv>

#include "common/formats/project_settings.h"
#include "viewer/engine/view_size.h"

namespace orb::bench {
namespace {

bool ParseCount(std::string_view text, int lowest, int highest, int& out) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || ptr != text.data() + text.size() || value < lowest ||
        value > highest)
        return false;
    out = value;
    return true;
}

std::optional<int> ModeNumber(std::string_view name) {
    // RANDOM picks one of the others, so it has no row of its own.
    for (int mode = kBounce; mode < kRandomMode; ++mode)
        if (kModeNames[mode] == name) return mode;
    return std::nullopt;
}

}  // namespace

std::string BenchUsage() {
    return "usage: compositor_bench [--frames N] [--repeat K] [--project FILE] [--mode NAME]\n"
           "                        [--size WxH]... [--sprites N] [--sprite-size PERCENT] [--json FILE]\n"
           "                        [--dirty-only]\n"
           "  NAME is BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN, RANDOMDRIFT, STARBURST or SPLAT;\n"
           "  each side of a size is 1..8192; N and K at least 1; sprites 1..512.\n";
}

BenchParse ParseBenchOptions(std::span<const std::string_view> args) {
    BenchParse result;
    BenchOptions o;
    std::vector<ViewSize> sizes;
    int sprites = 0;
    std::optional<int> mode;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string_view v = hasValue ? args[i + 1] : std::string_view{};
        if (a == "--frames" || a == "--repeat" || a == "--sprites" || a == "--sprite-size") {
            int* target = a == "--frames" ? &o.frames : a == "--repeat" ? &o.repeat
                          : a == "--sprites" ? &sprites : &o.spriteSize;
            const int highest = a == "--sprites" ? 512 : a == "--sprite-size" ? 1000 : 1 << 20;
            if (!hasValue || !ParseCount(v, 1, highest, *target))
                return fail(std::string(a) + " needs a number from 1 to " + std::to_string(highest));
        } else if (a == "--project" || a == "--json") {
            if (!hasValue || v.empty()) return fail(std::string(a) + " needs a file name");
            (a == "--project" ? o.project : o.json) = std::string(v);
        } else if (a == "--mode") {
            mode = hasValue ? ModeNumber(v) : std::nullopt;
            if (!mode) return fail("--mode needs one of BOUNCE, GRAVIBOUNCE, FLYAWAY, RAIN, "
                                   "RANDOMDRIFT, STARBURST, SPLAT");
        } else if (a == "--size") {
            ViewSize size;
            if (!hasValue || !ParseViewSize(v, size.width, size.height))
                return fail("--size needs WIDTHxHEIGHT, each 1..8192");
            if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
        } else if (a == "--dirty-only") {
            o.baselines = false;
            continue;
        } else {
            return fail("unknown option " + std::string(a));
        }
        ++i;
    }
    if (mode) o.modes = {*mode};
    else for (int m = 0; m < 7; ++m) o.modes.push_back(m);
    o.sizes = sizes.empty() ? std::vector<ViewSize>{{640, 480}, {1024, 768}, {1600, 1200}, {1920, 1080}, {3840, 2160}}
                            : sizes;
    o.sprites = sprites ? std::vector<int>{sprites} : std::vector<int>{10, 50, 500};
    result.options = std::move(o);
    return result;
}

}  // namespace orb::bench
