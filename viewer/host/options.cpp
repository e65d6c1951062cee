#include "viewer/host/options.h"

#include <charconv>

#include "viewer/engine/view_size.h"

namespace orb::host {
namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& out, int base = 10) {
    if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) text.remove_prefix(2);
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out, base);
    return ec == std::errc{} && ptr == end && !text.empty();
}

// X window ids come as decimal or as 0x-prefixed hexadecimal (xscreensaver uses the latter).
bool ParseWindowId(std::string_view text, std::uint64_t& out) {
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    return ParseNumber(text, out, hex ? 16 : 10) && out != 0;
}

}  // namespace

std::string Usage() {
    return "usage: viewer [PROJECT.apj] [--fullscreen] [--monitors span|mirror|primary] [--display N]\n"
           "              [--window-id ID] [--no-input-exit] [--fps N] [--stats]\n"
           "       viewer --headless [--frames N] [--size WxH] [--out DIR] [--every K] [--sheet FILE]"
           " [PROJECT.apj]\n"
           "       either form: [--mode M] plays motion mode M (0..7) instead of the project's\n"
           "--fullscreen spans every display; --monitors mirror shows the same picture on each,\n"
           "--monitors primary only on the main one (the others black); --display N makes\n"
           "display N (from 0) the main one and, without --monitors, the only one shown.\n";
}

ParseResult ParseOptions(const std::vector<std::string_view>& args, const char* screensaverWindow) {
    HostOptions o;
    ParseResult result;
    auto fail = [&result](std::string why) {
        result.error = std::move(why);
        return result;
    };
    bool monitorsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        // Options that take a value read it here; a missing value is an error.
        auto value = [&](std::string_view& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string_view v;
        if (a == "--help" || a == "-h") {
            result.help = true;
            return result;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--fullscreen") {
            o.fullscreen = true;
        } else if (a == "--monitors") {
            std::optional<MonitorArrangement> arrangement;
            if (!value(v) || !(arrangement = ArrangementNamed(v)))
                return fail("--monitors needs span, mirror or primary");
            o.monitors = *arrangement;
            o.fullscreen = monitorsGiven = true;
        } else if (a == "--display") {
            if (!value(v) || !ParseNumber(v, o.display) || o.display < 0 || o.display > 63)
                return fail("--display needs a display number 0..63");
            o.fullscreen = true;
        } else if (a == "--stats") {
            o.stats = true;
        } else if (a == "--no-input-exit") {
            o.inputExit = false;
        } else if (a == "--frames") {
            if (!value(v) || !ParseNumber(v, o.frames) || o.frames < 1) return fail("--frames needs a count of at least 1");
        } else if (a == "--size") {
            if (!value(v) || !ParseViewSize(v, o.width, o.height)) return fail("--size needs WIDTHxHEIGHT, each 1..8192");
        } else if (a == "--out") {
            if (!value(v)) return fail("--out needs a folder");
            o.outDir = v;
        } else if (a == "--every") {
            if (!value(v) || !ParseNumber(v, o.every) || o.every < 1) return fail("--every needs a count of at least 1");
        } else if (a == "--sheet") {
            if (!value(v)) return fail("--sheet needs a file name");
            o.sheet = v;
        } else if (a == "--window-id" || a == "-window-id") {
            if (!value(v) || !ParseWindowId(v, o.windowId)) return fail("--window-id needs an X window id");
        } else if (a == "--fps") {
            if (!value(v) || !ParseNumber(v, o.fps) || o.fps < 1 || o.fps > 1000) return fail("--fps needs a rate of 1..1000");
        } else if (a == "--mode") {
            if (!value(v) || !ParseNumber(v, o.mode) || o.mode < 0 || o.mode > 7) return fail("--mode needs a motion mode 0..7");
        } else if (a == "-root" || a == "--root") {
            // xscreensaver passes -root (its own hack descriptions say --root); the
            // window comes from the environment.
        } else if (a.starts_with("-")) {
            return fail("unknown option " + std::string(a));
        } else if (o.project.empty()) {
            o.project = a;
        } else {
            return fail("only one project may be given");
        }
    }
    if (o.windowId != 0 && (monitorsGiven || o.display >= 0))
        return fail("--monitors and --display choose the screens of a window of our own, not --window-id");
    if (o.windowId == 0 && screensaverWindow != nullptr && *screensaverWindow != '\0' && !o.headless &&
        !ParseWindowId(screensaverWindow, o.windowId))
        return fail("$XSCREENSAVER_WINDOW is not an X window id");
    if (o.headless && (o.fullscreen || o.windowId != 0)) return fail("--headless draws no window");
    // A display named alone is the one to play on.
    if (o.display >= 0 && !monitorsGiven) o.monitors = MonitorArrangement::Primary;
    result.options = o;
    return result;
}

}  // namespace orb::host
