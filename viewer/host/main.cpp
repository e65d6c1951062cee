// viewer: plays an Orbellan project on Linux, in a window or headless.
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "viewer/host/headless.h"
#include "viewer/host/options.h"
#ifdef ORB_HAVE_SDL
#include "viewer/sdl/sdl_host.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const orb::host::ParseResult parsed = orb::host::ParseOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (parsed.help) {
        std::printf("%s", orb::host::Usage().c_str());
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "viewer: %s\n%s", parsed.error.c_str(), orb::host::Usage().c_str());
        return 2;
    }
    if (parsed.options->headless) return orb::host::RunHeadless(*parsed.options);
#ifdef ORB_HAVE_SDL
    return orb::sdl::RunWindow(*parsed.options);
#else
    std::fprintf(stderr, "viewer: built without SDL2; use --headless\n");
    return 2;
#endif
}
