#include "image_file.h"

#include <algorithm>
#include <cctype>

#include "common/io/file_io.h"
#include "image_codes.h"
#include "image_decoders.h"
#include "picture_alpha.h"

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

namespace {

// The decoder library's reading by extension; pictures keep their opacity planes.
std::uint32_t ReadThroughLibrary(const std::string& path, std::optional<PackedImage>& block) {
    std::string ext = Lower(PathExtension(path));
    std::optional<PackedImage> second;
    std::uint16_t option = 0xFFFF;
    block.reset();
    if (ext == "pcx") return JFFReadPCX(PreviewProgress, 0, path, block);
    if (ext == "tga") return JFFReadTGA(PreviewProgress, 0, path, block, second);
    if (ext == "jpg") return JFFReadJPG(PreviewProgress, 0, path, block);
    if (ext == "png") return JFFReadPNG(PreviewProgress, 0, path, block, second, &option);
    return kImageUnknownExtension;
}

}  // namespace

int ReadImageFile(const std::string& path, std::optional<PackedImage>& block, std::uint32_t* errorCode) {
    std::uint32_t code = ImageErrorCode(ReadThroughLibrary(path, block));
    if (errorCode) *errorCode = code;
    if (code != kImageOk) {
        block.reset();
        return 0;
    }
    FlattenOverWhite(*block);
    return 1;
}

int ReadImageFrames(const std::string& path, std::vector<PackedImage>& frames, std::uint32_t* errorCode) {
    frames.clear();
    std::uint32_t code = kImageOk;
    if (Lower(PathExtension(path)) == "gif") {
        std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
        code = bytes ? DecodeGif(*bytes, frames, GifFrames::All) : kImageCannotOpen;
    } else {
        std::optional<PackedImage> block;
        code = ImageErrorCode(ReadThroughLibrary(path, block));
        if (code == kImageOk) frames.push_back(std::move(*block));
    }
    if (errorCode) *errorCode = code;
    if (code != kImageOk) frames.clear();
    return code == kImageOk ? 1 : 0;
}

}  // namespace orb
