// Feeds arbitrary bytes to one picture decoder, chosen at build time with
// ORB_FUZZ_DECODER. What a decoder accepts must be a consistent packed image.
#include "authoring/import/bmp_import.h"
#include "authoring/import/image_decoders.h"

#include <cstdlib>

using namespace orb;

namespace {

[[maybe_unused]] std::uint32_t DecodeBmpImport(std::span<const std::uint8_t> bytes, std::optional<orb::PackedImage>& out) {
    return orb::DecodeBmpLeniently(bytes, out).code;
}

void CheckImage(const orb::PackedImage& image) {
    if (image.bytes.size() < orb::kInfoHeaderSize) std::abort();
    const std::int32_t width = image.Width(), height = image.Height();
    if (width < 1 || height < 1 || width > orb::kMaxImageSide || height > orb::kMaxImageSide) std::abort();
    if (image.BitCount() != 24) std::abort();
    if (image.Pixels().size() != image.Stride() * std::size_t(height)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<orb::PackedImage> image;
    const std::uint32_t code = ORB_FUZZ_DECODER(std::span<const std::uint8_t>(data, size), image);
    if (code == 0 && !image) std::abort();
    if (image) CheckImage(*image);
    return 0;
}
