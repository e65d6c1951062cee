// How the viewer reads its own command line.
#pragma once
#include <string>
#include <string_view>

namespace orb {

// The project lies beside the program under its base name: the last three
// characters of the program's path become "apj" (C:\A\B.SCR -> C:\A\B.apj).
// Empty when the path is too short or longer than the 255 characters a path may have.
inline std::string ProjectPathFor(std::string_view programPath) {
    if (programPath.size() < 3 || programPath.size() > 255) return {};
    std::string path(programPath.substr(0, programPath.size() - 3));
    return path + "apj";
}

// The preview is asked for by a lower-case p as the second character of the
// first argument ("/p 1234"); "/P" and "/s" are full runs.
inline bool IsPreviewArgument(std::string_view argument) { return argument.size() >= 2 && argument[1] == 'p'; }

}  // namespace orb
