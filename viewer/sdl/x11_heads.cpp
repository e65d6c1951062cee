#include "viewer/sdl/x11_heads.h"

#ifdef ORB_HAVE_XINERAMA
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>

#include <memory>
#endif

namespace orb::sdl {

#ifdef ORB_HAVE_XINERAMA
namespace {

struct XCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
    void operator()(XineramaScreenInfo* s) const { XFree(s); }
};

}  // namespace

std::vector<Rect> XineramaHeads() {
    std::vector<Rect> heads;
    std::unique_ptr<Display, XCloser> display(XOpenDisplay(nullptr));
    if (!display || !XineramaIsActive(display.get())) return heads;
    int count = 0;
    std::unique_ptr<XineramaScreenInfo, XCloser> screens(XineramaQueryScreens(display.get(), &count));
    for (int i = 0; screens && i < count; ++i) {
        const XineramaScreenInfo& s = screens.get()[i];
        if (s.width > 0 && s.height > 0) heads.push_back({s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height});
    }
    return heads;
}
#else
std::vector<Rect> XineramaHeads() { return {}; }
#endif

}  // namespace orb::sdl
