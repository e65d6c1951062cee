// Sprite: one instance of an actor moving under the project's motion mode. This is
// the base of the seven mode classes; it holds the state every mode shares and the
// helpers they are built from. Positions are in world units (8000 x 6000 mapped onto
// the view), angles in degrees, speeds per frame. Every random draw goes through
// the viewer's one generator in the order the helpers make them, so the order of
// helper calls is part of a mode's behaviour.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orb {

class GXDrawingSurface;
class ViewerState;

// Life states.
inline constexpr std::int32_t kStuttering = 1;     // alive, animation frozen
inline constexpr std::int32_t kAlive = 2;
inline constexpr std::int32_t kAwaitingBirth = 4;  // not yet shown

// Degrees to radians with the show's own constant (not full-precision pi/180), and back.
inline constexpr double kDegreesToRadians = 0.0174532925;
inline constexpr double kRadiansToDegrees = 57.29577957855229;

// Position, heading and pace of a sprite.
struct SpriteMotion {
    double x = 0;          // world units
    double y = 0;          // world units
    double direction = 0;  // degrees, 0 along +x, growing toward +y (down)
    double speed = 0;      // current speed
    std::int32_t life = 0; // frames left (see InitLifetime)
};

// One wrap only: below the smaller bound add the larger; then above the larger
// subtract it. With (0, 360): -10 -> 350, 370 -> 10, 360 stays 360.
double WrapInRange(double value, double low, double high);

// The Shuffle weights of `actorCount` actors under Actor Bias: 100 / n each,
// tilted toward early actors (negative bias) or late ones (positive), at least 1.
// Four actors, bias 100: 1, 1, 25, 50.
std::vector<int> ActorWeights(int actorCount, int actorBias);

class Sprite {
public:
    virtual ~Sprite() = default;

    // Sets up a new sprite: the base set-up (BaseSetUp) followed by the mode's
    // placement. The default runs BaseSetUp and then Place.
    virtual void Init(ViewerState& viewer);
    // One frame of life and motion. Modes start with StepLifeState.
    virtual void Update() = 0;
    // Called once per frame on the last sprite of the table only; the default plays
    // the pending effect sounds (ViewerState::PlayPendingSounds).
    virtual void EndFrame();
    // The mode's placement, used by Init and on re-creation. Default: nothing.
    virtual void Place() {}

    // ---- set-up helpers, in the order BaseSetUp calls them ----
    // Life state 4, remembers the viewer, zeroes the motion, then ChooseActor,
    // InitSpeed, InitSize, RandomPosition, InitDirection, RandomAngle,
    // ScheduleBirth, InitLifetime, ResetSceneTimer; then both signs 1.0, both flip
    // flags 0, no draw handle.
    void BaseSetUp(ViewerState& viewer);
    // Takes the actor at the viewer's cursor and advances the cursor past it
    // (Shuffle off), or picks one by Actor Bias weights (Shuffle on).
    void ChooseActor();
    // Speed below 1 is raised to 1 in the settings; base speed Speed x 100 + 100
    // (doubled with Turbo), varied by Variation percent; both at least 100.
    void InitSpeed();
    // Drawn size from Size percent of the frame width (at least 4), varied by Size
    // Range, height by the frame's aspect ratio; base width/height likewise.
    void InitSize();
    // Random position up to one sprite size outside the play area on each side.
    void RandomPosition();
    // Direction plus a random deviation within Direction Range, whole degrees, wrapped.
    void InitDirection();
    // Display angle := rand % 360.
    void RandomAngle();
    // Awaiting birth with a countdown of up to 3 x Number Range frames.
    void ScheduleBirth();
    // life := Sprite Lifetime x 10 + trunc(Sprite Lifetime x 0.2) (when nonzero).
    void InitLifetime();
    // The viewer's scene timer := Scene Lifetime x 100.
    void ResetSceneTimer();

    // ---- per-frame helpers ----
    // First step of every Update. Returns 4 (awaiting birth: do nothing else),
    // 1 (stuttering: move, but no animation step) or 0 (alive: the caller then
    // calls NextAnimationFrame and moves). Draws one discarded value first.
    int StepLifeState();
    // Next frame of an animated actor, cyclically.
    void NextAnimationFrame();
    // life - 1 (not below 0) unless Sprite Lifetime is 100 (immortal).
    void CountDownLife();
    // Scene timer - 1 (not below 0) unless Scene Lifetime is 100.
    void CountDownSceneTimer();
    // display angle += Spin x 0.2, wrapped into 0..360 once.
    void TurnDisplayAngle();
    // Moves by speed / divisor along the direction (signs applied, Turbo doubles),
    // converting pixels to world units; with `align` the display angle follows the
    // step. A divisor of 0 is treated as 1.
    void MoveStep(bool align, double divisor);
    // As MoveStep with step speed x 0.00125 and Turbo doubling after conversion;
    // with `align` also sets `facingLeft` to 1 when moving left, else 0.
    void MoveStepFine(bool align, std::int32_t& facingLeft);
    // Distance from the play area's centre over the half diagonal: 0 at the centre,
    // about 1 at a corner.
    double CentreDistanceRatio() const;
    // direction += Swirl x CentreDistanceRatio x 0.1 (one discarded draw first), wrapped.
    void SwirlTurn();
    // True when the sprite's middle third lies outside the play area.
    bool IsOutsidePlayArea() const;

    // ---- draw-list helpers for the modes ----
    // Shows or hides this sprite's draw-list item (nothing when it has none yet).
    void Show(bool visible);
    void Hide() { Show(false); }
    // Half extents of the visible part of the drawn picture in world units
    // (FindOpaqueBounds on the item picture, halved, integer conversions). Without
    // an item yet, the drawn width and height stand in for the picture.
    void VisibleHalfExtents(int& c, int& d) const;

    // ---- fields ----
    ViewerState* viewer = nullptr;  // not owned
    std::int32_t lifeState = kAwaitingBirth;
    SpriteMotion motion;
    std::uint32_t drawHandle = 0;  // draw-list item id, 0 until first drawn
    std::int32_t width = 0;        // drawn size, pixels
    std::int32_t height = 0;
    double displayAngle = 0;       // degrees
    std::int32_t countdown = 0;    // frames left awaiting birth or stuttering
    std::int32_t flipHorizontal = 0;  // always 0
    std::int32_t flipVertical = 0;    // set by MoveStepFine when moving left
    std::int32_t minimumSpeed = 100;
    std::int32_t baseSpeed = 0;
    double xSign = 1.0;  // -1.0 after a horizontal reflection
    double ySign = 1.0;
    double baseWidth = 0;   // size chosen by InitSize, before perspective scaling
    double baseHeight = 0;
    GXDrawingSurface* actor = nullptr;  // current frame; belongs to the actor list
};

// Makes the sprite for a motion mode 0..6, or null for any other number. Hosts pass
// the motion modes' factory (CreateModeSprite) to the ViewerState.
using SpriteFactory = std::function<std::unique_ptr<Sprite>(int mode)>;

}  // namespace orb
