// Which display back-end the viewer uses.
#pragma once

namespace orb {

enum class DisplayBackEnd { DirectDraw, Gdi };

// DirectDraw serves 16- and 24-bit screens when ddraw.dll is there; palette
// (8-bit) and 32-bit screens, and machines without it, use GDI.
inline DisplayBackEnd ChooseDisplayBackEnd(int depth, bool directDrawPresent) {
    return directDrawPresent && depth != 8 && depth != 32 ? DisplayBackEnd::DirectDraw : DisplayBackEnd::Gdi;
}

}  // namespace orb
