// A picture file as the frames an import makes of it: decoded with the pixels'
// opacity kept, cut into the cells of a sprite sheet when asked, and scaled down
// to a sprite's size when asked.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/import/packed_image.h"
#include "common/report.h"

namespace orb {

struct SheetGrid {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::int32_t frames = 0;  // the first this many cells; 0: every cell
};

struct PictureFrameOptions {
    std::int32_t largestSide = 0;    // longer pictures are scaled down to it; 0 keeps every size
    std::optional<SheetGrid> grid = std::nullopt;  // the picture is a sprite sheet of these cells
};

// The frames of the bitmap, JPEG, PCX, PNG, Targa or GIF file at `path` (its type
// by extension, upper case). False after an error report naming the file. Sets
// `scaledDown` when the frames were brought down to the largest side, after a note
// that says from what size.
bool ReadPictureFrames(const std::string& path, const std::string& type, const PictureFrameOptions& options,
                       std::vector<PackedImage>& frames, ReportSink& sink, bool& scaledDown);

}  // namespace orb
