#include "image_file.h"

#include <algorithm>
#include <cctype>

#include "common/io/file_io.h"
#include "image_codes.h"
#include "image_decoders.h"

namespace orb {

namespace {

using Decoder = std::uint32_t (*)(std::span<const std::uint8_t>, std::optional<PackedImage>&);

std::uint32_t DecodeFile(const std::string& path, Decoder decode, std::optional<PackedImage>& block) {
    block.reset();
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) return kImageCannotOpen;
    return decode(*bytes, block);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}  // namespace

int PreviewProgress(int, int) { return 0; }

std::uint32_t JFFReadJPG(DecoderProgress, long, const std::string& path, std::optional<PackedImage>& block) {
    return DecodeFile(path, DecodeJpeg, block);
}
std::uint32_t JFFReadPCX(DecoderProgress, long, const std::string& path, std::optional<PackedImage>& block) {
    return DecodeFile(path, DecodePcx, block);
}
std::uint32_t JFFReadCGM(DecoderProgress, long, const std::string& path, std::optional<PackedImage>& block) {
    return DecodeFile(path, DecodeCgm, block);
}
std::uint32_t JFFReadTGA(DecoderProgress, long, const std::string& path, std::optional<PackedImage>& block,
                         std::optional<PackedImage>& second) {
    second.reset();
    return DecodeFile(path, DecodeTarga, block);
}
std::uint32_t JFFReadPNG(DecoderProgress, long, const std::string& path, std::optional<PackedImage>& block,
                         std::optional<PackedImage>& second, std::uint16_t*) {
    second.reset();
    return DecodeFile(path, DecodePng, block);
}

std::string PathExtension(const std::string& path) {
    std::size_t dot = path.rfind('.');
    std::size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot + 1);
}

int ReadImageFile(const std::string& path, std::optional<PackedImage>& block, std::uint32_t* errorCode) {
    std::string ext = Lower(PathExtension(path));
    std::optional<PackedImage> second;
    std::uint16_t option = 0xFFFF;
    std::uint32_t result = kImageUnknownExtension;
    block.reset();
    if (ext == "pcx") result = JFFReadPCX(PreviewProgress, 0, path, block);
    else if (ext == "tga") result = JFFReadTGA(PreviewProgress, 0, path, block, second);
    else if (ext == "jpg") result = JFFReadJPG(PreviewProgress, 0, path, block);
    else if (ext == "png") result = JFFReadPNG(PreviewProgress, 0, path, block, second, &option);
    std::uint32_t code = ImageErrorCode(result);
    if (errorCode) *errorCode = code;
    if (code != kImageOk) {
        block.reset();
        return 0;
    }
    return 1;
}

}  // namespace orb
