// AuthoringApp: starts the program. It collects the actor files named on the
// command line, keeps Escape away from every dialog and runs the ProjectDialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace orb {

inline constexpr std::size_t kMaxCommandLineActors = 256;
inline constexpr std::size_t kMaxPathCharacters = 255;

// Every argument containing ".act" anywhere, lower-cased; at most 256 entries,
// and arguments longer than 255 characters are left out (they cannot be paths).
std::vector<std::string> CommandLineActors(int argc, char** argv);

class AuthoringApp {
public:
    int Run(HINSTANCE instance, int argc, char** argv);
};

}  // namespace orb
