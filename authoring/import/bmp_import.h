// Import of the bitmaps users actually bring: besides the plain form the embedded
// reader accepts, top-down rows, 16 and 32 bits with or without bit-field masks,
// OS/2 and BITMAPV4/V5 headers and RLE4/RLE8 compression. Every one comes out as the
// stored form: a 24-bit, bottom-up, uncompressed picture.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "packed_image.h"

namespace orb {

struct BmpImport {
    std::uint32_t code = 0;   // image_codes.h
    std::string problem;      // what to tell the user when code is not 0
    bool incomplete = false;  // pixel data ended early; the rest is black
};

BmpImport DecodeBmpLeniently(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);

}  // namespace orb
