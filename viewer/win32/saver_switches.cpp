#include "viewer/win32/saver_switches.h"

namespace orb {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// Reads an unsigned decimal window number; 0 when there is none or it overflows.
std::uintptr_t ReadWindowNumber(std::string_view text) {
    text = SkipBlanks(text);
    if (!text.empty() && text.front() == ':') text = SkipBlanks(text.substr(1));
    std::uintptr_t value = 0;
    bool any = false;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        std::uintptr_t digit = std::uintptr_t(c - '0');
        if (value > (UINTPTR_MAX - digit) / 10) return 0;
        value = value * 10 + digit;
        any = true;
    }
    return any ? value : 0;
}

}  // namespace

SaverSwitches ParseSaverSwitches(std::string_view arguments) {
    std::string_view text = SkipBlanks(arguments);
    if (text.empty() || (text.front() != '/' && text.front() != '-')) return {SaverRun::Options, 0};
    char letter = text.size() > 1 ? text[1] : '\0';
    std::string_view rest = text.substr(text.size() > 1 ? 2 : 1);
    switch (letter) {
        case 's': case 'S': case 'P':
            return {SaverRun::FullScreen, 0};
        case 'p': {
            std::uintptr_t window = ReadWindowNumber(rest);
            return {window ? SaverRun::Preview : SaverRun::Nothing, window};
        }
        case 'a': case 'A':
            return {SaverRun::Nothing, 0};
        case 'c': case 'C': {
            std::uintptr_t window = ReadWindowNumber(rest);
            return {window ? SaverRun::OptionsFor : SaverRun::Options, window};
        }
        default:
            return {SaverRun::Options, 0};
    }
}

}  // namespace orb
