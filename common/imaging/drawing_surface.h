// GXDrawingSurface: the one in-memory picture type of both programs. It keeps a
// BMP file header, an info header with its palette and the pixel rows exactly as
// a BMP file stores them (bottom-up, each row padded to 4 bytes), so a picture can
// be written out or handed to GDI without conversion. Two depths are fully
// supported: 8 bits (indices into the fixed palette, 255 = white = transparent)
// and 24 bits (blue, green, red; 255,255,255 = transparent). Other depths exist
// only as input to ConvertTo24.
//
// Frames of an actor form a singly linked list through `nextFrame`; the surfaces
// themselves live in a FrameList (unique_ptr keeps their addresses stable, so the
// non-owning links stay valid while the list holds them).
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/report.h"

namespace orb {

// The two programs differ in a few picture rules; callers say which one they are.
enum class Program { Viewer, Authoring };

// BITMAPFILEHEADER (14 bytes on disk).
struct BitmapFileHeader {
    std::uint16_t type = 0;  // 0x4D42 "BM"
    std::uint32_t size = 0;  // 54 + 4 x palette entries + image bytes
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;  // size - image bytes
};

// BITMAPINFOHEADER (40 bytes on disk).
struct BitmapInfoHeader {
    std::uint32_t size = 0;  // 40
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows bottom-up
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;  // stride x height
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t coloursUsed = 0;  // 0 means 1 << bitCount for depths up to 8
    std::uint32_t coloursImportant = 0;
};

inline constexpr std::uint16_t kBitmapType = 0x4D42;
inline constexpr std::size_t kFileHeaderBytes = 14;
inline constexpr std::size_t kInfoHeaderBytes = 40;

// RGBQUAD: one palette entry as stored.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// Transparency key: a 24-bit pixel is keyed when each of its bytes lies within
// `tolerance` of the matching component (bounds clamped to 0..255). The values are
// kept as the actor file holds them (i32), so files round-trip unchanged.
struct ColourKey {
    std::int32_t blue = 0;
    std::int32_t green = 0;
    std::int32_t red = 0;
    std::int32_t tolerance = 0;
    friend bool operator==(const ColourKey&, const ColourKey&) = default;
};

// Opaque part of a picture, in pixels (see FindOpaqueBounds).
struct OpaqueBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const OpaqueBounds&, const OpaqueBounds&) = default;
};

// Bytes a pixel takes at the depths pictures are scaled, turned and keyed at (8
// and 24 bits); 0 at any other.
inline int BytesPerPixel(int depth) { return depth == 24 ? 3 : depth == 8 ? 1 : 0; }

// The white key: index 255 at 8 bits, 255, 255, 255 at 24 (`bytes` 1 or 3).
inline bool IsWhitePixel(const std::uint8_t* p, int bytes) {
    return bytes == 1 ? p[0] == 255 : (p[0] & p[1] & p[2]) == 255;
}

// Blit codes understood by GXDrawingSurface::Blt.
inline constexpr int kBltCopy = -1;          // D = P
inline constexpr int kBltTransparent = -2;   // D = P unless P is white
inline constexpr int kBltEraseCapture = -5;  // source becomes a cut-out of D; D unchanged

// Bytes per row for a depth and width: 24+: ((3w+3)/4)*4; 16: ((2w+1)/2)*2;
// 1, 2, 4, 8: whole 32-bit words; other depths 0.
std::uint32_t StrideFor(int depth, std::int64_t width);

// sin and cos of whole degrees as 16.16 fixed point (truncated), as Rotate uses
// them. Any angle; it is wrapped into 0..359.
std::int32_t FixedSin(int degrees);
std::int32_t FixedCos(int degrees);

class GXDrawingSurface;
using FrameList = std::vector<std::unique_ptr<GXDrawingSurface>>;

// Everything a GXDrawingSurface holds except its pixels and the rotated copies
// made from them: plain data, copied member by member, so no copy lists fields.
struct SurfaceDescription {
    std::string name;
    BitmapFileHeader fileHeader;
    BitmapInfoHeader infoHeader;
    std::vector<PaletteEntry> palette;       // PaletteLength() entries
    GXDrawingSurface* nextFrame = nullptr;   // not owned
    GXDrawingSurface* firstFrame = nullptr;  // not owned
    std::int32_t frameIndex = 0;
    std::int32_t frameCount = 0;  // 0 until numbered
    ColourKey key;
    bool squareCanvas = false;     // the actor file's "rotated" flag
    std::int32_t storedAngle = 0;  // authoring: angle last chosen in Modify Actor
};

class GXDrawingSurface : public SurfaceDescription {
public:
    GXDrawingSurface() = default;
    // Copies are deep and hold every field but the rotation set, which stays empty:
    // the set belongs to the picture it was made from (copies are what it is made
    // of). The links are copied as they are (non-owning), except that a surface that
    // is its own first frame gives the copy itself as first frame; moves keep that
    // rule too, and take the rotation set along.
    GXDrawingSurface(const GXDrawingSurface& other);
    GXDrawingSurface& operator=(const GXDrawingSurface& other);
    GXDrawingSurface(GXDrawingSurface&& other) noexcept;
    GXDrawingSurface& operator=(GXDrawingSurface&& other) noexcept;

    // --- Derived quantities (0 for an empty surface) ---
    int Width() const { return infoHeader.width; }
    int Height() const { return infoHeader.height; }
    int Depth() const { return infoHeader.bitCount; }
    std::uint32_t Stride() const { return StrideFor(Depth(), Width()); }
    std::uint32_t ImageBytes() const { return Stride() * static_cast<std::uint32_t>(Height()); }
    bool Empty() const { return infoHeader.size == 0; }
    std::span<std::uint8_t> Pixels() { return pixels; }
    std::span<const std::uint8_t> Pixels() const { return pixels; }
    // Row in storage order (row 0 is the bottom row of the picture).
    std::span<std::uint8_t> Row(int storageRow);
    std::span<const std::uint8_t> Row(int storageRow) const;
    // Palette length implied by the header: colours-used, or 1 << depth when 0,
    // for depths up to 8; 0 above.
    std::uint32_t PaletteLength() const;

    // --- Construction and bookkeeping ---
    // Replaces the contents by a blank picture: zeroed pixels and palette
    // (1 << depth entries up to 8 bits), no name, links and key zero, first frame =
    // itself, index and count 0, no square canvas, empty rotation set.
    void Create(int depth, int width, int height);
    // A copy scaled to width x height (at least one pixel each way), made without
    // copying the full-size pixels first; a picture that cannot be scaled is copied
    // as it is.
    GXDrawingSurface ScaledCopy(int width, int height, ReportSink& sink) const;
    // Appends a deep copy to the end of `list` (linking the old tail's nextFrame to
    // it); the copy's nextFrame is none. Returns the copy.
    GXDrawingSurface* AppendCopy(FrameList& list) const;
    // Recreates the surface from a packed DIB (40-byte info header, palette, pixel
    // rows). False, and the surface unchanged, when the block is malformed or too
    // short for the sizes it declares.
    bool FromPackedDib(std::span<const std::uint8_t> block, std::string_view name);

    // --- Drawing ---
    // Copies this surface's rows into `target` with its first storage row on target
    // storage row y and its first pixel at target pixel x. Same depth required; the
    // part outside the target is clipped. False when nothing could be pasted.
    bool Paste(GXDrawingSurface& target, int x, int y) const;
    // Every pixel the colour (8 bits: NearestPaletteIndex of it); row padding 0.
    void Fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // Authoring: pixels equal to `match`, pure white, or (tolerance >= 1) within the
    // key range become `background`. Colours have blue in the low byte. At 8 bits
    // the palette colour of each index is tested; matches get the nearest index to
    // the background over all 256 entries.
    void PaintTransparent(std::uint32_t match, std::uint32_t background);
    // Non-white extent probed along the middle row and middle column.
    OpaqueBounds FindOpaqueBounds() const;

    // --- Conversions and transforms (in place) ---
    // Depths 1, 2 (AVI frames), 4, 8, 16 become 24 bits. Another depth leaves the
    // surface as it is; the viewer then reports "%ld bit bitmaps unsupported"
    // (information). True when the surface is 24 bits afterwards.
    bool ConvertTo24(Program program, ReportSink& sink);
    // 24 to 8 bits on the fixed palette with DitherTo8; an 8-bit surface is left
    // alone. The result has the name, links and key of a new surface.
    void ConvertTo8(Program program);
    // As ConvertTo8, but dithers with entry 255 moved out of the way and then marks
    // pure white and keyed source pixels with index 255. Links, key and flags kept.
    void ConvertTo8Keyed(Program program);
    // 24-bit only. Viewer: mode 0 whitens keyed pixels, mode 1 turns pixels with all
    // bytes above 253 into 253,253,253. Authoring: mode 0 turns pure white into the
    // key colour, mode 1 turns pixels with all bytes >= 247 into 247,247,247.
    void ApplyColourKey(int mode, Program program);
    // Nearest-neighbour resize by integer accumulators. Depths other than 8 and 24:
    // error "Can only scale 8/24bit resources", unchanged, false.
    bool Scale(int newWidth, int newHeight, ReportSink& sink);
    // As Scale, with the pixels taken from `source` (of the same depth and palette)
    // instead of this surface's own, so a scaled copy need not copy the full-size
    // pixels first. This surface's other fields stay; the error names this surface.
    bool ScaleFrom(const GXDrawingSurface& source, int newWidth, int newHeight, ReportSink& sink);
    // 8 and 24 bits. The authoring program refuses other depths with the error
    // "Can't flip in non-24bit mode"; the viewer leaves them alone silently.
    bool FlipHorizontal(Program program, ReportSink& sink);
    bool FlipVertical(Program program, ReportSink& sink);
    // Turns the picture by whole degrees about the centre of a square canvas
    // (16.16 fixed point, no filtering); uncovered pixels are white. The canvas is
    // the width when the square-canvas flag is set, else the diagonal (the
    // authoring program's is two pixels larger). The rotation set is emptied.
    void Rotate(int angle, Program program);
    // Viewer: fills the rotation set with 16 deep copies turned by 0, 22, ..., 330.
    // A picture longer than `largestSide` (when above 0) gives copies of itself
    // scaled down to that first, proportions kept.
    void MakeRotationSet(int largestSide = 0);
    // Software blit into this surface (destination) from `source`. The rectangle is
    // in destination pixels counted from the top; (sourceX, sourceY) likewise in
    // the source. Codes kBltCopy, kBltTransparent, kBltEraseCapture (which changes
    // the source). An unknown code on an 8-bit destination reports "Unsupported Blt
    // code passed to GXDrawingSurface8Bit". False when nothing was done.
    bool Blt(GXDrawingSurface& source, int left, int top, int right, int bottom, int sourceX,
             int sourceY, int code, ReportSink& sink);

    // --- Fields (the rest are the SurfaceDescription's) ---
    std::vector<std::uint8_t> pixels;           // Stride() x Height() bytes
    std::vector<GXDrawingSurface> rotationSet;  // viewer: copy k turned by 22 x k degrees

private:
    // Replaces headers, palette and pixels by those of `picture`, keeping the name,
    // links, numbering, key and flags.
    void TakePicture(GXDrawingSurface&& picture);
    // After taking another surface's description: when that surface was its own
    // first frame, this one becomes its own.
    void KeepSelfLink(bool sourceWasOwnFirst) {
        if (sourceWasOwnFirst) firstFrame = this;
    }
};

// First member whose name equals `name` byte for byte, or none.
GXDrawingSurface* FindByName(const FrameList& list, std::string_view name);
// Frees every member in order and empties the list.
void FreeList(FrameList& list);
// Numbers the run from the first member whose frame count is 0 to the end of the
// list: first frame = that member, index 0, 1, ..., count = run length. A list
// with no unnumbered member is left alone.
void NumberFrames(FrameList& list);
// The frames of the actor starting at `first`: it and every following member
// (through nextFrame) that shares it as first frame.
std::vector<const GXDrawingSurface*> ActorFrames(const GXDrawingSurface& first);

}  // namespace orb
