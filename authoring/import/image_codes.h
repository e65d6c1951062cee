// Result codes of the image decoders. Zero is success; callers pass any other code on
// unchanged and only tell "not a picture we know" from "a broken picture".
#pragma once
#include <cstdint>

namespace orb {

inline constexpr std::uint32_t kImageOk = 0;
inline constexpr std::uint32_t kImageUnknownExtension = 103;  // no decoder for the extension
inline constexpr std::uint32_t kImageCannotOpen = 201;        // the file cannot be opened or read
inline constexpr std::uint32_t kImageUnsupported = 299;       // a variant of the format we do not read
inline constexpr std::uint32_t kImageCorrupt = 300;           // damaged or truncated data
inline constexpr std::uint32_t kImageNotRecognized = 302;     // not this format at all, or uses more of it than we draw
inline constexpr std::uint32_t kImageTooLarge = 303;          // beyond kMaxImageSide, or an animation beyond kMaxAnimationPixels
inline constexpr std::uint32_t kImageTooManyFrames = 304;     // an animation of more than kMaxAnimationFrames

// Decoders answer in the low 16 bits; higher bits carry nothing.
inline std::uint32_t ImageErrorCode(std::uint32_t result) { return result & 0xFFFF; }

// "not a recognized graphics format" as opposed to a corrupt picture.
inline bool IsUnrecognizedImage(std::uint32_t code) {
    code = ImageErrorCode(code);
    return code == kImageUnknownExtension || code == kImageNotRecognized || code == kImageUnsupported;
}

}  // namespace orb
