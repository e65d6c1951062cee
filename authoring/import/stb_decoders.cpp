// JPEG, PNG and Targa through stb_image. stb guesses the format from the bytes; each
// entry point first checks that the bytes are of its own format so a PNG renamed .jpg
// is refused as the original library would.
#include <cstring>
#include <memory>

#include "image_codes.h"
#include "image_decoders.h"
#include "stb_image_config.h"

namespace orb {

namespace {

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

std::uint32_t DecodeWithStb(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (bytes.size() > 0x7FFFFFFF) return kImageUnsupported;
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
        bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (!rgba) return kImageCorrupt;
    std::optional<PackedImage> image = MakePackedImage24(width, height);
    if (!image) return kImageUnsupported;
    const stbi_uc* source = rgba.get();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, source += 4) {
            unsigned alpha = source[3];
            std::uint8_t* p = image->Pixel24(x, y);
            for (int c = 0; c < 3; ++c)  // over white, rounded
                p[2 - c] = static_cast<std::uint8_t>((source[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    out = std::move(image);
    return kImageOk;
}

bool LooksLikeTarga(std::span<const std::uint8_t> b) {
    if (b.size() < 18) return false;
    std::uint8_t mapType = b[1], type = b[2], depth = b[16];
    if (mapType > 1) return false;
    bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    bool width = (b[12] | b[13]) != 0, height = (b[14] | b[15]) != 0;
    return known && width && height && (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

}  // namespace

std::uint32_t DecodeJpeg(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
        return kImageNotRecognized;
    return DecodeWithStb(bytes, out);
}

std::uint32_t DecodePng(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    out.reset();
    if (bytes.size() < 8 || std::memcmp(bytes.data(), signature, 8) != 0) return kImageNotRecognized;
    return DecodeWithStb(bytes, out);
}

std::uint32_t DecodeTarga(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    if (!LooksLikeTarga(bytes)) return kImageNotRecognized;
    return DecodeWithStb(bytes, out);
}

}  // namespace orb
