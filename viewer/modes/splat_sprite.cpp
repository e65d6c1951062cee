#include "viewer/modes/splat_sprite.h"

#include "common/imaging/drawing_surface.h"
#include "viewer/modes/mode_support.h"

namespace orb {

std::int32_t SquaredBrightness(const GXDrawingSurface& picture, int x, int y, bool& inside) {
    inside = x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height();
    if (!inside) return 0;
    const auto row = picture.Row(picture.Height() - 1 - y);
    int red = 0;
    int green = 0;
    int blue = 0;
    if (picture.Depth() == 8) {
        const std::size_t index = row[x];
        if (index >= picture.palette.size()) return 0;
        const PaletteEntry& colour = picture.palette[index];
        red = colour.red;
        green = colour.green;
        blue = colour.blue;
    } else if (picture.Depth() == 24) {
        blue = row[3 * x];
        green = row[3 * x + 1];
        red = row[3 * x + 2];
    }
    return red * red + green * green + blue * blue;
}

void SplatSprite::Init(ViewerState& state) {
    BaseSetUp(state);
    ResetClearCountdown();
}

// Never (-1) with Scene Lifetime 100, else every Scene Lifetime x 100 frames
// (100 for 0), counted once per live sprite and frame.
void SplatSprite::ResetClearCountdown() {
    const int lifetime = viewer->settings.sceneLifetime;
    viewer->modeScene.splatClearCountdown = lifetime == 100 ? -1 : lifetime == 0 ? 100 : lifetime * 100;
}

// Random positions until one lands on a pixel brighter than Factor X percent of
// white (or off the picture); after the last try its position stays.
void SplatSprite::FindBrightPlace() {
    ViewerState& v = *viewer;
    const Rect& area = v.playArea;
    const Rect& pixels = v.pixelReference;
    const GXDrawingSurface* backdrop = v.backdropImage.get();
    const std::int32_t threshold = v.settings.factorX * 195075 / 100;
    for (int attempt = 0; attempt < kPlaceTries; ++attempt) {
        RandomPosition();
        // Without a picture or without a play area to map from, any place will do.
        if (backdrop == nullptr || area.Width() <= 0 || area.Height() <= 0) return;
        const double px = (motion.x - area.left) * (double(pixels.Width()) / area.Width()) + pixels.left;
        const double py = (motion.y - area.top) * (double(pixels.Height()) / area.Height()) + pixels.top;
        bool inside = false;
        const std::int32_t brightness =
            SquaredBrightness(*backdrop, TruncToInt(px + 0.5), TruncToInt(py + 0.5), inside);
        if (!inside || brightness > threshold) return;
    }
}

// Spin 0: Direction with a random deviation. Otherwise every sprite turns one
// running angle on by Spin x 0.05, started from the first such choice.
double SplatSprite::ChooseAngle() {
    ViewerState& v = *viewer;
    const ViewerSettings& settings = v.settings;
    double& running = v.modeScene.splatAngle;
    if (settings.spin != 0 && running != -1.0) {
        running += settings.spin * 0.05;
        if (running > 360) running -= 360;
        if (running < 0) running += 360;
        return running;
    }
    double angle = 0;
    if (settings.directionRange != 0) {
        angle = v.random.Below(2 * settings.directionRange) - settings.directionRange;
    }
    angle += settings.direction;
    angle = WrapInRange(TruncToInt(angle), 0, 360);
    if (settings.spin != 0) running = angle;
    return angle;
}

void SplatSprite::CountDownMarks() {
    std::int32_t& countdown = viewer->modeScene.splatClearCountdown;
    if (countdown == -1) return;
    if (countdown == 0) {
        viewer->display.RefreshBackdrop();
        ResetClearCountdown();
    } else {
        --countdown;
    }
}

// Never hidden, never animated, never dies.
void SplatSprite::Update() {
    if (StepLifeState() != 0) return;
    FindBrightPlace();
    displayAngle = ChooseAngle();
    CountDownMarks();
}

}  // namespace orb
