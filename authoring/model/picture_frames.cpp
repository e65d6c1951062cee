#include "picture_frames.h"

#include "authoring/import/bmp_import.h"
#include "authoring/import/image_codes.h"
#include "authoring/import/image_file.h"
#include "authoring/import/picture_shrink.h"
#include "authoring/import/sprite_sheet.h"
#include "common/io/file_io.h"

namespace orb {

namespace {

std::string SizeText(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string UnreadableMessage(std::uint32_t code) {
    const std::string tail = " (code " + std::to_string(code) + ")";
    if (code == kImageTooLarge)
        return "Unable to read image file: too large (at most " + std::to_string(kMaxImageSide) + " pixels a side, and " +
               std::to_string(kMaxAnimationPixels) + " pixels in all frames of an animation)" + tail;
    if (code == kImageTooManyFrames)
        return "Unable to read image file: an animation of more than " + std::to_string(kMaxAnimationFrames) +
               " frames, the most one actor takes from a file" + tail;
    return "Unable to read image file" + tail;
}

// Bitmaps go through the lenient reader, so pictures the embedded reader refuses
// (top-down, 16/32 bit, newer headers, RLE) are converted instead of rejected.
bool ReadBitmap(const std::string& path, std::vector<PackedImage>& frames, ReportSink& sink) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        sink.Error("Unable to open file: file may be corrupt or in use by another application", path);
        return false;
    }
    std::optional<PackedImage> image;
    BmpImport result = DecodeBmpLeniently(*bytes, image);
    if (result.code != 0) {
        sink.Error(result.problem, path);
        return false;
    }
    if (result.incomplete) sink.Information("BMP file may be incomplete (loaded it anyway)", path);
    frames.push_back(std::move(*image));
    return true;
}

bool CutSheet(const std::string& path, const SheetGrid& grid, std::vector<PackedImage>& frames, ReportSink& sink) {
    if (frames.size() != 1) {
        sink.Error("A sprite sheet must be a still picture; this one has " + std::to_string(frames.size()) + " frames",
                   path);
        return false;
    }
    const std::int64_t count = grid.frames > 0 ? grid.frames : std::int64_t(grid.columns) * grid.rows;
    if (count > std::int64_t(kMaxAnimationFrames)) {
        sink.Error("A sprite sheet gives one actor at most " + std::to_string(kMaxAnimationFrames) + " frames", path);
        return false;
    }
    const PackedImage& sheet = frames.front();
    std::vector<PackedImage> cells = CutIntoCells(sheet, grid.columns, grid.rows, std::int32_t(count));
    if (cells.empty()) {
        sink.Error("A picture of " + SizeText(sheet.Width(), sheet.Height()) + " pixels cannot be cut into " +
                       std::to_string(count) + " of " + SizeText(grid.columns, grid.rows) + " cells",
                   path);
        return false;
    }
    if (sheet.Width() % grid.columns != 0 || sheet.Height() % grid.rows != 0)
        sink.Information("The sheet's " + SizeText(sheet.Width(), sheet.Height()) + " pixels do not divide into " +
                             SizeText(grid.columns, grid.rows) + " cells: each cell is " +
                             SizeText(cells.front().Width(), cells.front().Height()) +
                             " and the pixels left over at the right and bottom are not used",
                         path);
    frames = std::move(cells);
    return true;
}

}  // namespace

bool ReadPictureFrames(const std::string& path, const std::string& type, const PictureFrameOptions& options,
                       std::vector<PackedImage>& frames, ReportSink& sink, bool& scaledDown) {
    frames.clear();
    if (type == "BMP") {
        if (!ReadBitmap(path, frames, sink)) return false;
    } else {
        std::uint32_t code = 0;
        if (!ReadImageFrames(path, frames, &code)) {
            sink.Error(UnreadableMessage(code), path);
            return false;
        }
    }
    if (options.grid && !CutSheet(path, *options.grid, frames, sink)) return false;
    if (options.largestSide <= 0 || frames.empty()) return true;
    const std::int32_t width = frames.front().Width(), height = frames.front().Height();
    bool scaled = false;
    for (PackedImage& frame : frames) scaled = ShrinkToFit(frame, options.largestSide) || scaled;
    if (scaled) {
        sink.Information("The picture was scaled down from " + SizeText(width, height) + " to " +
                             SizeText(frames.front().Width(), frames.front().Height()) + " pixels",
                         path);
        scaledDown = true;
    }
    return true;
}

}  // namespace orb
