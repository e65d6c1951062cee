// PNG output of frames and contact sheets.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orb::host {

// An RGB picture, rows top-down, 3 bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// False when the file cannot be written.
bool WritePng(const std::string& path, const RgbImage& image);

// Thumbnails of `frames` (all of one size) in a grid of `columns`, each scaled to
// `thumbWidth` pixels wide (nearest neighbour), with a 4-pixel dark gap between.
RgbImage ContactSheet(std::span<const RgbImage> frames, int columns, int thumbWidth);

}  // namespace orb::host
