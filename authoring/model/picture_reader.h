// Reading the banner and backdrop pictures of a project: any supported picture file
// (and, for the banner, the first frame of an actor file) as one complete 24-bit BMP.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/import/packed_image.h"

namespace orb {

enum class ExtensionCase { Any, WhollyLowerOrUpper };

// bmp, act, pcx, tga, jpg, cgm, png, gif (its first frame); shown over white where
// the picture is not opaque. With WhollyLowerOrUpper a mixed-case extension
// such as "Jpg" is refused like an unknown one (103), as the banner dialog does.
std::uint32_t ReadPicture(const std::string& path, ExtensionCase rule, std::optional<PackedImage>& out);

// The complete BMP file of a 24-bit packed image: file header, info header, pixels.
std::vector<std::uint8_t> BmpFileBytes(const PackedImage& image);

// The sound-dialog rule: a backing track that is a wave file disables the three
// effect sounds (their paths are kept).
bool EffectSoundsEnabled(const std::string& musicPath);

}  // namespace orb
