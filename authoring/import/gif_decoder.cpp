// GIF pictures, still and animated. The file's blocks are walked first, so the
// picture's size, every frame's place in it and the number of frames are checked
// before anything is allocated. stb_image then decodes each frame's pixels, handed
// one frame at a time as a GIF of its own, and the frames are composed here the
// way the file asks: each drawn over the picture so far, its transparent pixels
// letting it show through, then left, cleared or undone before the next.
#include <algorithm>
#include <cstring>
#include <memory>

#include "common/io/byte_reader.h"
#include "image_codes.h"
#include "image_decoders.h"
#include "stb_image_config.h"

namespace orb {

namespace {

// What happens to a frame's rectangle before the next frame is drawn.
enum class Disposal { Keep, Clear, Restore };

struct GifFrameBlocks {
    std::span<const std::uint8_t> control;  // its graphic control extension, or empty
    std::span<const std::uint8_t> image;    // descriptor, colour table and pixel data
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    Disposal disposal = Disposal::Keep;
};

struct GifLayout {
    std::int32_t width = 0, height = 0;
    std::span<const std::uint8_t> screen;  // signature, screen descriptor, global colour table
    std::vector<GifFrameBlocks> frames;
};

std::size_t ColourTableBytes(std::uint8_t flags) {
    return (flags & 0x80) ? std::size_t(3) << ((flags & 7) + 1) : 0;
}

// Steps over a chain of data sub-blocks and its zero terminator.
bool SkipSubBlocks(ByteReader& in) {
    for (;;) {
        std::uint8_t size = 0;
        if (!in.ReadU8(size)) return false;
        if (size == 0) return true;
        if (!in.Skip(size)) return false;
    }
}

Disposal DisposalOf(std::span<const std::uint8_t> control) {
    // 0x21 0xF9, block size 4, then the packed field with the method in bits 2-4
    if (control.size() < 4 || control[2] != 4) return Disposal::Keep;
    const int method = (control[3] >> 2) & 7;
    return method == 2 ? Disposal::Clear : method == 3 ? Disposal::Restore : Disposal::Keep;
}

// Walks the file (up to its first frame, or through all of them). Refuses pictures
// whose size, frame count or frame placement it could not take, and files whose
// blocks run past the end; a missing trailer after a complete frame is tolerated,
// as other readers do.
std::uint32_t WalkGif(std::span<const std::uint8_t> bytes, GifFrames which, GifLayout& layout) {
    if (bytes.size() < 6 || std::memcmp(bytes.data(), "GIF8", 4) != 0 || (bytes[4] != '7' && bytes[4] != '9') ||
        bytes[5] != 'a')
        return kImageNotRecognized;
    ByteReader in(bytes, 6);
    std::uint16_t width = 0, height = 0;
    std::uint8_t flags = 0;
    if (!in.ReadU16(width) || !in.ReadU16(height) || !in.ReadU8(flags) || !in.Skip(2)) return kImageCorrupt;
    if (width == 0 || height == 0) return kImageCorrupt;
    if (width > kMaxImageSide || height > kMaxImageSide) return kImageTooLarge;
    if (!in.Skip(ColourTableBytes(flags))) return kImageCorrupt;
    layout.width = width;
    layout.height = height;
    layout.screen = bytes.first(in.Position());
    const std::uint64_t framePixels = std::uint64_t(width) * height;

    std::span<const std::uint8_t> control;
    for (;;) {
        std::uint8_t tag = 0;
        const std::size_t start = in.Position();
        if (!in.ReadU8(tag) || tag == 0x3B) break;
        if (tag == 0x21) {
            std::uint8_t label = 0;
            if (!in.ReadU8(label) || !SkipSubBlocks(in)) return kImageCorrupt;
            if (label == 0xF9) control = bytes.subspan(start, in.Position() - start);
        } else if (tag == 0x2C) {
            if (which == GifFrames::First && !layout.frames.empty()) break;
            GifFrameBlocks frame;
            std::uint16_t left = 0, top = 0, w = 0, h = 0;
            std::uint8_t frameFlags = 0, codeSize = 0;
            if (!in.ReadU16(left) || !in.ReadU16(top) || !in.ReadU16(w) || !in.ReadU16(h) || !in.ReadU8(frameFlags) ||
                !in.Skip(ColourTableBytes(frameFlags)) || !in.ReadU8(codeSize) || !SkipSubBlocks(in))
                return kImageCorrupt;
            if (std::int32_t(left) + w > width || std::int32_t(top) + h > height) return kImageCorrupt;
            if (layout.frames.size() == kMaxAnimationFrames) return kImageTooManyFrames;
            if ((layout.frames.size() + 1) * framePixels > kMaxAnimationPixels) return kImageTooLarge;
            frame.control = control;
            frame.image = bytes.subspan(start, in.Position() - start);
            frame.left = left, frame.top = top, frame.width = w, frame.height = h;
            frame.disposal = DisposalOf(control);
            layout.frames.push_back(frame);
            control = {};
        } else {
            return kImageCorrupt;
        }
    }
    return layout.frames.empty() ? kImageCorrupt : kImageOk;
}

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// One frame's own pixels at the size of the whole picture, 4 bytes each (red,
// green, blue, and 0 where the frame leaves the picture showing through): the
// frame handed to stb as a GIF of its own, with no background colour to fill in.
std::unique_ptr<stbi_uc, StbFree> DecodeFramePixels(const GifLayout& layout, const GifFrameBlocks& frame) {
    std::vector<std::uint8_t> single(layout.screen.begin(), layout.screen.end());
    single[11] = 0;  // background colour index
    single.insert(single.end(), frame.control.begin(), frame.control.end());
    single.insert(single.end(), frame.image.begin(), frame.image.end());
    single.push_back(0x3B);
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(single.data(), int(single.size()), &width, &height, &channels, 4));
    if (pixels && (width != layout.width || height != layout.height)) pixels.reset();
    return pixels;
}

// The composed picture (4 bytes a pixel, alpha 0 or 255) as a 24-bit image with
// its opacity plane, the plane left out when nothing is transparent.
std::optional<PackedImage> Snapshot(const std::vector<std::uint8_t>& canvas, std::int32_t width,
                                    std::int32_t height) {
    std::optional<PackedImage> image = MakePackedImage24(width, height);
    if (!image) return image;
    image->alpha.resize(std::size_t(width) * std::size_t(height));
    const std::uint8_t* from = canvas.data();
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* to = image->Pixel24(0, y);
        for (std::int32_t x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            image->alpha[std::size_t(y) * std::size_t(width) + std::size_t(x)] = from[3];
        }
    }
    if (std::all_of(image->alpha.begin(), image->alpha.end(), [](std::uint8_t a) { return a == 255; }))
        image->alpha.clear();
    return image;
}

void ClearRectangle(std::vector<std::uint8_t>& canvas, std::int32_t canvasWidth, const GifFrameBlocks& frame) {
    for (std::int32_t y = frame.top; y < frame.top + frame.height; ++y) {
        auto row = canvas.begin() + (std::ptrdiff_t(y) * canvasWidth + frame.left) * 4;
        std::fill(row, row + std::ptrdiff_t(frame.width) * 4, std::uint8_t{0});
    }
}

}  // namespace

std::uint32_t DecodeGif(std::span<const std::uint8_t> bytes, std::vector<PackedImage>& frames, GifFrames which) {
    frames.clear();
    if (bytes.size() > 0x7FFFFFFF) return kImageUnsupported;
    GifLayout layout;
    if (std::uint32_t code = WalkGif(bytes, which, layout)) return code;
    const std::size_t pixels = std::size_t(layout.width) * std::size_t(layout.height);
    std::vector<std::uint8_t> canvas(pixels * 4, 0), saved;
    for (const GifFrameBlocks& frame : layout.frames) {
        std::unique_ptr<stbi_uc, StbFree> own = DecodeFramePixels(layout, frame);
        if (!own) {
            frames.clear();
            return kImageCorrupt;
        }
        if (frame.disposal == Disposal::Restore) saved = canvas;
        for (std::size_t i = 0; i < pixels; ++i)
            if (own.get()[4 * i + 3] != 0) {
                std::memcpy(&canvas[4 * i], own.get() + 4 * i, 3);
                canvas[4 * i + 3] = 255;
            }
        std::optional<PackedImage> image = Snapshot(canvas, layout.width, layout.height);
        if (!image) {
            frames.clear();
            return kImageTooLarge;
        }
        frames.push_back(std::move(*image));
        if (frame.disposal == Disposal::Clear) ClearRectangle(canvas, layout.width, frame);
        if (frame.disposal == Disposal::Restore) canvas.swap(saved);
    }
    return kImageOk;
}

std::uint32_t DecodeGifStill(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    std::vector<PackedImage> frames;
    const std::uint32_t code = DecodeGif(bytes, frames, GifFrames::First);
    if (code == kImageOk) out = std::move(frames.front());
    return code;
}

}  // namespace orb
