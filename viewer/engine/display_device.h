// The display device: the draw list and compositor. Three full-size surfaces (backdrop, back buffer,
// screen) and, where the back-end cannot blit from pictures in memory, one square
// surface per sprite. Each frame restores the backdrop under
// last frame's rectangles (DrawList phase 1), blits every sprite into the back
// buffer (BlitAllItems) and presents only the changed rectangles (DrawList phase
// 2). Two effects write into the backdrop: the splat imprint and the eraser, which
// uncovers a hidden picture (AddXorBuffer) where sprites pass.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/imaging/drawing_surface.h"
#include "common/report.h"
#include "viewer/engine/dirty_rect_list.h"
#include "viewer/engine/platform.h"
#include "viewer/engine/rect.h"
#include "viewer/engine/scaled_picture_cache.h"

namespace orb {

// Item flags.
inline constexpr std::uint32_t kDrawTransparent = 1;  // blit with the white key
inline constexpr std::uint32_t kDrawErase = 4;        // the eraser effect
inline constexpr std::uint32_t kWhiteKey = 0xFFFFFF;

// The world-to-screen mapping: positions in `source` (world units) land in
// `destination` (screen pixels).
struct WorldMapping {
    Rect source;
    Rect destination;
};

// One sprite's picture on the display.
struct DrawItem {
    std::uint32_t id = 0;
    // Square, side surfaceSide; none where the back-end blits from pictures.
    std::unique_ptr<DisplaySurface> surface;
    const GXDrawingSurface* frame = nullptr;  // current frame; not owned
    GXDrawingSurface workImage;               // frame scaled to the requested size
    SpritePicture display;                    // workImage flipped and rotated
    // Quick rotation's picture instead, shared with its cache rather than copied.
    std::shared_ptr<const SpritePicture> sharedImage;
    const WorldMapping* mapping = nullptr;    // null: x, y are already pixels
    std::int32_t x = 0;                       // centre, world units with a mapping
    std::int32_t y = 0;
    std::int32_t width = 0;  // requested size, pixels
    std::int32_t height = 0;
    double angle = 0;
    std::int32_t frameIndex = 0;
    std::uint32_t flags = kDrawTransparent;
    std::uint32_t keyColour = kWhiteKey;
    std::int32_t surfaceSide = 0;
    std::int32_t flipHorizontal = 0;
    std::int32_t flipVertical = 0;
    bool visible = true;
    std::uint32_t pictureVersion = 0;  // counts the changes of the picture shown

    // What is shown.
    const SpritePicture& ShownSprite() const { return sharedImage ? *sharedImage : display; }
    const GXDrawingSurface& Shown() const { return ShownSprite().picture; }
};

// The display: surfaces over a back-end, the mode table and the draw list. Fatal
// inconsistencies end the show through the QuitSink with the draw list's codes.
class DisplayDevice {
public:
    static constexpr int kMaxItems = 512;
    // Memory for quick rotation's scaled pictures, shared by all sprites.
    static constexpr std::size_t kScaledRotationBudget = 16u << 20;
    struct Mode {
        int width;
        int height;
    };
    // The fixed table of display modes; the fourth height is 882.
    static constexpr std::array<Mode, 6> kModes{
        {{640, 480}, {800, 600}, {1024, 768}, {1152, 882}, {1280, 1024}, {1600, 1200}}};

    DisplayDevice(DisplayBackend& backend, QuitSink& quit, ReportSink& reports);
    ~DisplayDevice();
    DisplayDevice(const DisplayDevice&) = delete;
    DisplayDevice& operator=(const DisplayDevice&) = delete;

    // Opens the screen and the back buffer. The mode is the table entry whose
    // width is the screen's; a screen not in the table uses its own size. False
    // after a reported failure (the caller ends with code 1).
    bool DXInit(int width, int height, int bitsPerPixel);
    // Releases every surface, picture and item.
    void DXUninit();
    int ModeWidth() const { return mode_.width; }
    int ModeHeight() const { return mode_.height; }
    int DrawingDepth() const { return drawingDepth_; }
    bool IsOpen() const { return backBuffer_ != nullptr; }

    // Pick the pre-rotated copy of a frame for the display angle (set by the loader).
    void SetQuickRotation(bool on) { quickRotation_ = on; }

    // Creates the item for a sprite and returns its id (from 1), or 0 when the
    // back-end refuses a surface. The surface side comes from the extent.
    std::uint32_t AddObject(const GXDrawingSurface* frame, const WorldMapping* mapping, int width,
                            int height, int extentWidth, int extentHeight, double angle,
                            int frameIndex, std::uint32_t flags, std::uint32_t keyColour,
                            int flipHorizontal, int flipVertical);
    // Stores the centre position; false for an unknown id.
    bool PlaceObject(std::uint32_t id, int x, int y);
    // Brings the item's picture up to date with size, angle, frame and flips,
    // redrawing its surface only when something changed (or `rebuild`).
    bool UpdateObject(std::uint32_t id, int width, int height, double angle, int frameIndex,
                      bool rebuild, int flipHorizontal, int flipVertical);
    bool ShowObject(std::uint32_t id, bool visible);
    // The item's display image with its opaque bounds and spans, or null.
    const SpritePicture* ItemPicture(std::uint32_t id) const;
    std::span<const std::unique_ptr<DrawItem>> Items() const { return items_; }

    // Builds the backdrop from `picture` (scaled to the mode) or, when null, from
    // `colour` (red in the low byte) and shows it. Once a backdrop picture is kept,
    // later calls draw that picture again: the full refresh that wipes splat marks
    // and eraser holes. False when a surface cannot be made.
    bool SetBackdrop(const GXDrawingSurface* picture, std::uint32_t colour);
    // The full backdrop refresh (SetBackdrop with the kept picture).
    bool RefreshBackdrop();
    // Sets the eraser's hidden picture: `picture` scaled to the mode, or a plain
    // `colour` (white made off-white so it is never transparent).
    bool AddXorBuffer(const GXDrawingSurface* picture, std::uint32_t colour);
    // The backdrop picture as kept (mode size), or null.
    const GXDrawingSurface* BackdropPicture() const;

    // Pushes every item's square and rebuilds the working rectangles.
    void UpdateDrawList(DirtyRectList& dirty);
    // Phase 1: backdrop to back buffer; phase 2: back buffer to screen, over the
    // working rectangles clipped to the mode.
    void DrawList(const DirtyRectList& dirty, int phase);
    // BlitItem for every item in list order.
    void BlitAllItems(bool imprint);
    // Draws one item into the back buffer (and, for the eraser or an imprint, into
    // the backdrop). False when the item was abandoned for this frame.
    bool BlitItem(std::uint32_t id, bool imprint);
    // After a lost surface: restores every surface and draws its content again.
    bool RestoreSurfaces();

    // The screen position of an item's centre (mapping applied, rounded).
    void ScreenPosition(const DrawItem& item, int& x, int& y) const;
    // Where BlitItem draws the item: the screen rectangle, clipped, and the part of
    // the item's picture that lands there. False when none of it is on the screen.
    bool BlitRectangles(const DrawItem& item, Rect& target, Rect& source) const;
    // Bytes of the scaled pictures quick rotation keeps (within kScaledRotationBudget).
    std::size_t ScaledPictureBytes() const { return scaledRotations_.Bytes(); }

private:
    DrawItem* Find(std::uint32_t id);
    const DrawItem* Find(std::uint32_t id) const;
    void Fatal(int code);
    void RebuildDisplay(DrawItem& item);
    bool SetQuickRotationImage(DrawItem& item, int k);
    bool DrawIntoSurface(DrawItem& item);
    BlitResult BlitRepeating(DisplaySurface& target, int x, int y, DisplaySurface& source,
                             const Rect& rect, bool keyed);

    DisplayBackend& backend_;
    QuitSink& quit_;
    ReportSink& reports_;
    Mode mode_{0, 0};
    int depth_ = 0;
    int drawingDepth_ = 24;
    bool quickRotation_ = false;
    std::unique_ptr<DisplaySurface> backBuffer_;
    std::unique_ptr<DisplaySurface> backdrop_;
    std::unique_ptr<GXDrawingSurface> backdropPicture_;
    std::unique_ptr<GXDrawingSurface> hiddenPicture_;
    std::vector<std::unique_ptr<DrawItem>> items_;
    ScaledPictureCache scaledRotations_{kScaledRotationBudget};
    std::uint32_t nextId_ = 0;
};

}  // namespace orb
