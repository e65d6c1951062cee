#include "viewer/engine/sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/imaging/drawing_surface.h"
#include "viewer/engine/viewer_state.h"

namespace orb {
namespace {

// Drawn sizes are kept within what a picture can hold, whatever the settings say.
constexpr double kLargestSide = 16384.0;

// Degrees wrapped into 0..360 by one add or subtract, as the show has always done.
double WrapDegreesOnce(double angle) {
    if (angle > 360) angle -= 360;
    if (angle < 0) angle += 360;
    return angle;
}

bool IsActorStart(const GXDrawingSurface& frame) {
    return frame.firstFrame == nullptr || frame.firstFrame == &frame;
}

// The image after `frame`'s actor: past every following frame of an animation.
GXDrawingSurface* NextActor(GXDrawingSurface* frame) {
    GXDrawingSurface* next = frame->nextFrame;
    if (frame->frameCount > 1) {
        const GXDrawingSurface* first = frame->firstFrame ? frame->firstFrame : frame;
        while (next && next->firstFrame == first) next = next->nextFrame;
    }
    return next;
}

}  // namespace

double WrapInRange(double value, double low, double high) {
    const double smaller = std::min(low, high);
    const double larger = std::max(low, high);
    if (value < smaller) value += larger;
    if (value > larger) value -= larger;
    return value;
}

std::vector<int> ActorWeights(int actorCount, int actorBias) {
    if (actorCount <= 0) return {};
    const int a = std::clamp(actorBias, -1000000, 1000000);
    int b = std::abs(a / 2);
    std::vector<int> weights(actorCount, 100 / actorCount);
    for (int& weight : weights) {
        weight = a < 1 ? b + weight : weight - b;
        if (weight <= 1) weight = 1;
        b -= std::abs(a) / actorCount;
    }
    return weights;
}

void Sprite::Init(ViewerState& state) {
    BaseSetUp(state);
    Place();
}

void Sprite::EndFrame() { viewer->PlayPendingSounds(); }

void Sprite::BaseSetUp(ViewerState& state) {
    lifeState = kAlive;
    viewer = &state;
    motion = SpriteMotion{};
    ChooseActor();
    InitSpeed();
    InitSize();
    RandomPosition();
    InitDirection();
    RandomAngle();
    ScheduleBirth();
    InitLifetime();
    ResetSceneTimer();
    xSign = 1.0;
    ySign = 1.0;
    flipHorizontal = 0;
    flipVertical = 0;
    drawHandle = 0;
}

void Sprite::ChooseActor() {
    FrameList& list = viewer->actors;
    if (list.empty()) {
        actor = nullptr;
        return;
    }
    GXDrawingSurface* head = list.front().get();
    if (!viewer->settings.shuffle) {
        GXDrawingSurface* cursor = viewer->actorCursor ? viewer->actorCursor : head;
        actor = cursor;
        GXDrawingSurface* next = NextActor(cursor);
        viewer->actorCursor = next ? next : head;
        return;
    }

    std::vector<GXDrawingSurface*> starts;
    for (const auto& frame : list)
        if (IsActorStart(*frame)) starts.push_back(frame.get());
    const int n = static_cast<int>(starts.size());
    viewer->Trace("Found this many anim/non-anim actors:" + std::to_string(n));

    const std::vector<int> weights = ActorWeights(n, viewer->settings.actorBias);
    long long sum = 0;
    for (int weight : weights) sum += weight;
    const int c = viewer->random.Below(static_cast<int>(std::min<long long>(sum, 0x7FFFFFFF)));
    long long t = 0;
    GXDrawingSurface* chosen = starts.back();
    for (int j = 0; j < n; ++j) {
        if (t <= c && c <= t + weights[j]) {
            chosen = starts[j];
            break;
        }
        t += weights[j];
    }
    actor = chosen;
    viewer->actorCursor = chosen;
}

void Sprite::InitSpeed() {
    ViewerSettings& settings = viewer->settings;
    if (settings.speed < 1) settings.speed = 1;
    minimumSpeed = 100;
    // Settings come from a file: keep the arithmetic inside 32 bits.
    long long base = std::min<long long>(settings.speed, 1000000) * 100 + 100;
    if (settings.turbo) base *= 2;
    motion.speed = static_cast<double>(base);
    const int v = std::clamp(settings.speedVariation, -1000000, 1000000);
    if (v != 0) {
        const int draw = viewer->random.Below(std::abs(v));
        const int c = static_cast<int>(draw * 0.01 * static_cast<double>(base));
        if (v < 1) {
            base -= c;
            if (c > 0) motion.speed -= viewer->random.Below(c);
        } else {
            base += c;
            if (c > 0) motion.speed += viewer->random.Below(c);
        }
    }
    if (base < 100) base = 100;
    if (motion.speed < 100.0) motion.speed = 100.0;
    baseSpeed = static_cast<std::int32_t>(std::min<long long>(base, 0x7FFFFFFF));
}

void Sprite::InitSize() {
    const int frameWidth = actor ? actor->Width() : 0;
    const int frameHeight = actor ? actor->Height() : 0;
    double d = frameWidth * static_cast<double>(viewer->settings.size) * 0.01;
    if (!(d >= 4.0)) d = 4.0;  // also catches a negative Size
    const int range = viewer->settings.sizeRange;
    if (range > 0) {
        const double l = viewer->random.Below(range) * 0.005 * d;
        if (viewer->random.Next() % 2 == 1)
            d += l;
        else
            d -= l;
    }
    d = std::min(d, kLargestSide);
    width = static_cast<std::int32_t>(d);
    if (frameWidth > 0 && frameHeight > 0) {
        const double h = width / (static_cast<double>(frameWidth) / frameHeight);
        height = static_cast<std::int32_t>(std::min(h, kLargestSide));
    } else {
        height = width;
    }
    // A sliver of a frame would give a picture with no rows or columns at all.
    width = std::max(width, 1);
    height = std::max(height, 1);
    baseWidth = width;
    baseHeight = height;
}

void Sprite::RandomPosition() {
    const Rect& play = viewer->playArea;
    const int a = viewer->PixelToWorldXInt(width);
    const int b = viewer->PixelToWorldYInt(height);
    motion.x = viewer->random.Below(play.Width() + 2 * a) + play.left - a;
    motion.y = viewer->random.Below(play.Height() + 2 * b) + play.top - b;
}

void Sprite::InitDirection() {
    const int range = viewer->settings.directionRange;
    double direction = 0;
    if (range != 0) {
        const int r = std::clamp(range, -100000000, 100000000);
        direction = viewer->random.Below(2 * r) - r;
    }
    direction += viewer->settings.direction;
    motion.direction = WrapInRange(std::trunc(direction), 0, 360);
}

void Sprite::RandomAngle() { displayAngle = viewer->random.Below(360); }

void Sprite::ScheduleBirth() {
    lifeState = kAwaitingBirth;
    const int range = viewer->settings.numberRange;
    countdown = range <= 0 ? 0 : viewer->random.Below(3 * std::min(range, 0x20000000));
}

void Sprite::InitLifetime() {
    const int lifetime = std::clamp(viewer->settings.spriteLifetime, -100000000, 100000000);
    motion.life = lifetime * 10;
    if (lifetime != 0) motion.life += static_cast<std::int32_t>(lifetime * 0.2);
}

void Sprite::ResetSceneTimer() {
    viewer->sceneTimer = std::clamp(viewer->settings.sceneLifetime, -20000000, 20000000) * 100;
}

int Sprite::StepLifeState() {
    viewer->random.Next();
    switch (lifeState) {
    case kAwaitingBirth:
        if (countdown <= 0) {
            viewer->createSoundPending = true;
            lifeState = kAlive;
        } else {
            --countdown;
        }
        return kAwaitingBirth;
    case kStuttering:
        if (countdown <= 0)
            lifeState = kAlive;
        else
            --countdown;
        return kStuttering;
    case kAlive: {
        const int stutter = viewer->settings.stutter;
        if (viewer->random.Below(100) < stutter) {
            lifeState = kStuttering;
            countdown = stutter <= 0 ? 0 : viewer->random.Below(stutter) / 5;
        }
        return 0;
    }
    default:
        return lifeState;
    }
}

void Sprite::NextAnimationFrame() {
    if (!actor || actor->frameCount <= 1) return;
    int next = actor->frameIndex + 1;
    if (next >= actor->frameCount) next = 0;
    GXDrawingSurface* frame = actor->firstFrame ? actor->firstFrame : actor;
    for (int i = 0; i < next && frame->nextFrame; ++i) frame = frame->nextFrame;
    actor = frame;
}

void Sprite::CountDownLife() {
    if (viewer->settings.spriteLifetime < 100) motion.life = std::max(motion.life - 1, 0);
}

void Sprite::CountDownSceneTimer() {
    if (viewer->settings.sceneLifetime < 100) viewer->sceneTimer = std::max(viewer->sceneTimer - 1, 0);
}

void Sprite::TurnDisplayAngle() {
    displayAngle = WrapDegreesOnce(displayAngle + viewer->settings.spin * 0.2);
}

void Sprite::MoveStep(bool align, double divisor) {
    if (divisor == 0) divisor = 1;
    const double a = motion.direction * kDegreesToRadians;
    double dx = motion.speed * std::cos(a) * xSign / divisor;
    double dy = motion.speed * std::sin(a) * ySign / divisor;
    if (viewer->settings.turbo) {
        dx *= 2;
        dy *= 2;
    }
    motion.x += viewer->PixelToWorldX(dx);
    motion.y += viewer->PixelToWorldY(dy);
    if (align) displayAngle = WrapDegreesOnce(std::trunc(std::atan2(dy, dx) * kRadiansToDegrees));
}

void Sprite::MoveStepFine(bool align, std::int32_t& facingLeft) {
    const double a = motion.direction * kDegreesToRadians;
    const double step = motion.speed * 0.00125;
    const double dx = step * std::cos(a) * xSign;
    const double dy = step * std::sin(a) * ySign;
    double wx = viewer->PixelToWorldX(dx);
    double wy = viewer->PixelToWorldY(dy);
    if (viewer->settings.turbo) {
        wx *= 2;
        wy *= 2;
    }
    motion.x += wx;
    motion.y += wy;
    if (align) {
        displayAngle = WrapDegreesOnce(std::trunc(std::atan2(dy, dx) * kRadiansToDegrees));
        facingLeft = dx < 0 ? 1 : 0;
    }
}

double Sprite::CentreDistanceRatio() const {
    const Rect& play = viewer->playArea;
    const int cx = play.left + play.Width() / 2;
    const int cy = play.top + play.Height() / 2;
    const double m = std::hypot(double(cx - play.left), double(cy - play.top));
    if (m == 0) return 0;
    const double ddx = motion.x - cx;
    const double ddy = motion.y - cy;
    const double squared = std::trunc(ddx * ddx + ddy * ddy);
    return squared == 0 ? 1.0 / m : std::sqrt(squared) / m;
}

void Sprite::SwirlTurn() {
    viewer->random.Next();
    motion.direction =
        WrapDegreesOnce(motion.direction + viewer->settings.swirl * CentreDistanceRatio() * 0.1);
}

bool Sprite::IsOutsidePlayArea() const {
    const Rect& play = viewer->playArea;
    const int a = viewer->PixelToWorldXInt(width / 3);
    const int b = viewer->PixelToWorldYInt(height / 3);
    const bool inside = play.right > motion.x - a && play.left < motion.x + a &&
                        play.bottom > motion.y - b && play.top < motion.y + b;
    return !inside;
}

void Sprite::Show(bool visible) {
    if (drawHandle) viewer->display.ShowObject(drawHandle, visible);
}

void Sprite::VisibleHalfExtents(int& c, int& d) const {
    int left = 0, top = 0, right = width - 1, bottom = height - 1;
    const SpritePicture* shown = drawHandle ? viewer->display.ItemPicture(drawHandle) : nullptr;
    if (shown && !shown->picture.Empty()) {
        left = shown->opaque.left;
        top = shown->opaque.top;
        right = shown->opaque.right;
        bottom = shown->opaque.bottom;
    }
    c = viewer->PixelToWorldXInt((right - left) / 2);
    d = viewer->PixelToWorldYInt((bottom - top) / 2);
}

}  // namespace orb
