// Reading a picture file by its extension.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "packed_image.h"

namespace orb {

// The text after the path's last dot when that dot lies in the last path element;
// empty otherwise.
std::string PathExtension(const std::string& path);

// Decodes a JPEG, PCX, PNG or Targa file, picked by its extension without regard to
// case. Returns 1 with the picture in `block`, or 0 with `block` empty and the code
// in `errorCode` (when given): 103 for any other extension, without reading.
int ReadImageFile(const std::string& path, std::optional<PackedImage>& block,
                  std::uint32_t* errorCode = nullptr);

}  // namespace orb
