// ViewerState: everything of one running show. The project's settings, the actor
// list, sounds and pictures, the geometry of the view, the sprite table, the scene
// counters, the random generator, the draw list with its display, and the host's
// interfaces. A host builds one, calls Initialise with the project path, StartShow,
// then Tick once per frame until QuitCode() is set or it closes the show.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/formats/project_reader.h"
#include "common/formats/project_settings.h"
#include "common/imaging/drawing_surface.h"
#include "viewer/engine/display_device.h"
#include "viewer/engine/picture_budget.h"
#include "viewer/engine/platform.h"
#include "viewer/engine/random.h"
#include "viewer/engine/rect.h"
#include "viewer/engine/sprite.h"
#include "viewer/engine/star_field.h"

namespace orb {

// The project's settings and what the viewer reads from elsewhere in the project.
// The viewer changes a few while it runs: Number above 512 is clamped to 512,
// Speed below 1 becomes 1 (InitSpeed), RANDOM becomes the mode drawn for the
// scene, Image without a picture becomes Colour, Starfield with Eraser becomes
// Colour.
struct ViewerSettings : ProjectSettings {
    std::int32_t eraser = 0;
    std::int32_t loopMusic = 0;
    std::int32_t resourcesEmbedded = 1;
    std::int32_t soundsOn = 1;  // the user's sound option
};

// The viewer's exit codes raised by the engine.
inline constexpr int kExitInputDuringLoad = 0;
inline constexpr int kExitNotEnoughSpace = 0;
inline constexpr int kExitDisplayOrActor = 1;
inline constexpr int kExitBadMotionMode = 99;
inline constexpr int kExitScreenWidthZero = 145;
inline constexpr int kExitScreenHeightZero = 146;
inline constexpr int kExitStarFieldNoScreen = 1311;
inline constexpr int kExitNoDesktopCapture = 1313;

// Scene-wide values of the motion modes, one set per show.
struct ModeScene {
    std::int32_t rainOnScreen = 0;  // RAIN: sprites that have entered the play area
    // RANDOMDRIFT: entry i is the table index of the sprite that sprite i chases, or -1.
    std::array<std::int32_t, 255> followTable{};
    bool followTableReady = false;   // cleared by a scene reset; the next placement fills -1
    std::int32_t linkCount = 0;
    std::int32_t splatClearCountdown = -1;  // SPLAT: frames until the marks clear; -1 never
    double splatAngle = -1.0;               // SPLAT: running angle; -1 until set
};

class ViewerState final : public QuitSink {
    // Declared first: the display device below is built from them.
    PlatformDefaults defaults_;
    Platform platform_;

public:
    static constexpr int kMaxSprites = 512;
    static constexpr double kWorldWidth = 8000.0;
    static constexpr double kWorldHeight = 6000.0;

    // `platform` members may be null (silent defaults); `factory` makes the mode
    // sprites (CreateModeSprite from the motion modes).
    ViewerState(const Platform& platform, SpriteFactory factory);
    ~ViewerState() override;  // Deinitialise, then the display is released
    ViewerState(const ViewerState&) = delete;
    ViewerState& operator=(const ViewerState&) = delete;

    // ---- start-up and shutdown ----
    // Reads the screen facts and the sound option, loads the project (preview:
    // header, sounds, backdrop and banner only), prepares the actor images and
    // captures the desktop. False after its own message (the host then quits 0).
    bool Initialise(const std::string& projectPath);
    // Reads the project file named by projectPath into the state. False after
    // reporting.
    bool LoadProject();
    // Colour key to white, square canvas, drawing depth, pre-rotated copies, within
    // the sizes and memory of picture_budget.h (false after an error report when
    // the pictures cannot fit); stops (false, quit 0 requested) when input arrives
    // meanwhile.
    bool PrepareActorImages();
    // Frees sprites, actors, pictures and sounds; stops the music.
    void Deinitialise();
    // 8 on palette displays (up to 8 bits per pixel), else 24: the depth frames
    // are prepared at.
    int WorkingDepth() const;
    // SPLAT without the eraser leaves each sprite's picture on the backdrop too.
    bool ImprintsSprites() const { return settings.motionMode == kSplat && !settings.eraser; }

    // The full start of the show: display, view geometry, background, scene, the
    // first frame, the sounds. False when it had to stop (a quit code is set).
    bool StartShow();
    // The preview form's picture for a window of width x height: the banner scaled
    // (8 bits on palette displays), or null when the project has none (the host
    // then shows its built-in picture).
    std::unique_ptr<GXDrawingSurface> PreviewPicture(int width, int height) const;

    // One pass of the show: RunFrame, or nothing once a quit was requested by input.
    void Tick();

    // ---- geometry ----
    // Sets view, pixel reference, play area and mapping from the display mode.
    void SetUpViewGeometry();
    double PixelToWorldX(double pixels) const { return pixels * kWorldWidth / pixelReference.Width(); }
    double PixelToWorldY(double pixels) const { return pixels * kWorldHeight / pixelReference.Height(); }
    int PixelToWorldXInt(int pixels) const { return static_cast<int>(PixelToWorldX(pixels)); }
    int PixelToWorldYInt(int pixels) const { return static_cast<int>(PixelToWorldY(pixels)); }

    // ---- scene ----
    // Creates Number sprites of the motion mode (RANDOM picks one mode for all).
    void PopulateScene();
    // Restore, move, draw and present one frame; then the star field.
    void RunFrame();
    // Plays and clears the pending effect sounds (bounce, creation, destruction).
    void PlayPendingSounds();
    // Starts the backing track and hands the effects to the wave player.
    void SoundStart();

    // ---- ending ----
    // Records the exit code (the first one wins) and passes it to the host.
    void QuitWithCode(int code) override;
    std::optional<int> QuitCode() const { return quitCode_; }
    void Trace(std::string_view text);
    ReportSink& Reports() { return *platform_.reports; }

    // ---- fields (the modes read and change them) ----
    Rect playArea;        // world units
    Rect pixelReference;  // view rectangle for the pixel-to-world conversions
    Rect viewRect;        // pixels: (0, 0, screen width, screen height)
    WorldMapping mapping; // play area onto the pixel reference (draw-list mapping)
    std::array<std::unique_ptr<Sprite>, kMaxSprites> sprites;
    std::int32_t spriteCount = 0;

    ViewerSettings settings;
    // Memory the prepared actor pictures may take (picture_budget.h).
    std::uint64_t pictureBudget = kPreparedPictureBudget;
    FrameList actors;                      // every frame of every actor, in order
    GXDrawingSurface* actorCursor = nullptr;  // next actor to use
    std::unique_ptr<GXDrawingSurface> backdropImage;  // 1024 x 768, 24 bits, or none
    std::unique_ptr<GXDrawingSurface> bannerImage;
    std::unique_ptr<GXDrawingSurface> desktopCapture;
    std::array<std::optional<std::vector<std::uint8_t>>, kSoundSlots> sounds;
    std::array<std::string, kSoundSlots> soundPaths;
    std::string projectPath;
    bool projectWasCompressed = false;
    FreeSpaceProbe freeSpace = FreeKilobytes;  // asked before a compressed project is unpacked
    bool isPreview = false;

    std::int32_t sceneTimer = 0;
    bool bounceSoundPending = false;
    bool createSoundPending = false;
    bool destroySoundPending = false;
    RandomGenerator random;
    ModeScene modeScene;

    bool running = false;           // set by PopulateScene
    bool startRefresh = false;      // push the whole view on the next frame
    bool forceRedraw = true;        // rebuild the first drawn sprite's picture
    bool quitRequested = false;     // input while loading: Tick closes the show

    DisplayDevice display;
    DirtyRectList dirty;
    std::unique_ptr<StarField> starField;
    ScreenFacts screen;

private:
    bool CaptureDesktop();
    bool ChooseBackground();

    SpriteFactory factory_;
    std::optional<int> quitCode_;
    bool lackedSpace_ = false;  // the load stopped for room to unpack, and said so
};

}  // namespace orb
