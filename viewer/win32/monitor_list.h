// The monitors of the desktop, in desktop coordinates, the primary first.
#pragma once
#include <vector>

#include "viewer/engine/rect.h"

namespace orb {

// Never empty: without an answer from the system, the primary screen's size.
std::vector<Rect> ListMonitors();

}  // namespace orb
