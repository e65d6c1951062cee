// Feeds arbitrary bytes to one picture decoder, chosen at build time with
// ORB_FUZZ_DECODER. What a decoder accepts must be a consistent packed image.
#include "authoring/import/bmp_import.h"
#include "authoring/import/image_decoders.h"

#include <cstdlib>
#include <vector>

using namespace orb;

namespace {

void CheckImage(const orb::PackedImage& image) {
    if (image.bytes.size() < orb::kInfoHeaderSize) std::abort();
    const std::int32_t width = image.Width(), height = image.Height();
    if (width < 1 || height < 1 || width > orb::kMaxImageSide || height > orb::kMaxImageSide) std::abort();
    if (image.BitCount() != 24) std::abort();
    if (image.Pixels().size() != image.Stride() * std::size_t(height)) std::abort();
    if (!image.alpha.empty() && image.alpha.size() != std::size_t(width) * std::size_t(height)) std::abort();
}

[[maybe_unused]] std::uint32_t DecodeBmpImport(std::span<const std::uint8_t> bytes, std::optional<orb::PackedImage>& out) {
    return orb::DecodeBmpLeniently(bytes, out).code;
}

// Every frame of an animation, each checked like a still picture, all of one size
// and never more than an actor takes.
[[maybe_unused]] std::uint32_t DecodeGifFrames(std::span<const std::uint8_t> bytes, std::optional<orb::PackedImage>& out) {
    std::vector<orb::PackedImage> frames;
    const std::uint32_t code = orb::DecodeGif(bytes, frames, orb::GifFrames::All);
    if ((code == 0) == frames.empty() || frames.size() > orb::kMaxAnimationFrames) std::abort();
    for (const orb::PackedImage& frame : frames) {
        CheckImage(frame);
        if (frame.Width() != frames.front().Width() || frame.Height() != frames.front().Height()) std::abort();
    }
    if (!frames.empty()) out = std::move(frames.front());
    return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<orb::PackedImage> image;
    const std::uint32_t code = ORB_FUZZ_DECODER(std::span<const std::uint8_t>(data, size), image);
    if (code == 0 && !image) std::abort();
    if (image) CheckImage(*image);
    return 0;
}
