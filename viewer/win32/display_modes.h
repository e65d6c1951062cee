// Which display back-end the viewer uses and at what size it composes.
#pragma once

namespace orb {

enum class DisplayBackEnd { DirectDraw, Gdi };

// DirectDraw serves 16- and 24-bit screens when ddraw.dll is there; palette
// (8-bit) and 32-bit screens, and machines without it, use GDI.
inline DisplayBackEnd ChooseDisplayBackEnd(int depth, bool directDrawPresent) {
    return directDrawPresent && depth != 8 && depth != 32 ? DisplayBackEnd::DirectDraw : DisplayBackEnd::Gdi;
}

struct ModeSize {
    int width;
    int height;
};

// The mode table; the fourth height is 882, not 864.
inline constexpr ModeSize kDisplayModes[6] = {{640, 480},   {800, 600},   {1024, 768},
                                              {1152, 882},  {1280, 1024}, {1600, 1200}};

// The composing size for a screen: the table entry of the screen's width, or,
// for a width the table lacks (1366, 1920, 2560 ...), the screen's own size, so
// such screens play instead of ending the viewer.
inline ModeSize ModeSizeFor(int screenWidth, int screenHeight) {
    for (const ModeSize& mode : kDisplayModes)
        if (mode.width == screenWidth) return mode;
    return {screenWidth, screenHeight};
}

}  // namespace orb
