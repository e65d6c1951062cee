// Reading a picture file by its extension.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "packed_image.h"

namespace orb {

// The text after the path's last dot when that dot lies in the last path element;
// empty otherwise.
std::string PathExtension(const std::string& path);

// Decodes a JPEG, PCX, PNG or Targa file, picked by its extension without regard to
// case. Returns 1 with the picture in `block` (shown over white where it is not
// opaque), or 0 with `block` empty and the code in `errorCode` (when given): 103
// for any other extension, without reading.
int ReadImageFile(const std::string& path, std::optional<PackedImage>& block,
                  std::uint32_t* errorCode = nullptr);

// Every frame of a picture file with the pixels' opacity kept: the one picture of a
// JPEG, PCX, PNG or Targa file, or the composed frames of a GIF (still or
// animated). Returns 1, or 0 with no frames and the code in `errorCode`.
int ReadImageFrames(const std::string& path, std::vector<PackedImage>& frames,
                    std::uint32_t* errorCode = nullptr);

}  // namespace orb
