// Which display back-end the viewer uses.
#pragma once

namespace orb {

enum class DisplayBackEnd { DirectDraw, Gdi };

// DirectDraw serves 16- and 24-bit screens when ddraw.dll is there and the show
// is on the primary monitor alone (its exclusive mode reaches no other); palette
// (8-bit) and 32-bit screens, shows over several monitors, and machines without
// it use GDI.
inline DisplayBackEnd ChooseDisplayBackEnd(int depth, bool directDrawPresent, bool directDrawAllowed) {
    return directDrawPresent && directDrawAllowed && depth != 8 && depth != 32 ? DisplayBackEnd::DirectDraw
                                                                               : DisplayBackEnd::Gdi;
}

}  // namespace orb
