#include "sprite_sheet.h"

#include <algorithm>

namespace orb {

std::vector<PackedImage> CutIntoCells(const PackedImage& sheet, std::int32_t columns, std::int32_t rows,
                                      std::int32_t count) {
    if (columns < 1 || rows < 1 || count < 1 || std::int64_t(count) > std::int64_t(columns) * rows) return {};
    const std::int32_t cellWidth = sheet.Width() / columns, cellHeight = sheet.Height() / rows;
    if (cellWidth < 1 || cellHeight < 1) return {};
    std::vector<PackedImage> cells;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t left = i % columns * cellWidth, top = i / columns * cellHeight;
        std::optional<PackedImage> cell = MakePackedImage24(cellWidth, cellHeight);
        if (!cell) return {};
        if (!sheet.alpha.empty()) cell->alpha.resize(std::size_t(cellWidth) * std::size_t(cellHeight));
        for (std::int32_t y = 0; y < cellHeight; ++y) {
            std::copy_n(sheet.Pixel24(left, top + y), std::size_t(cellWidth) * 3, cell->Pixel24(0, y));
            if (!sheet.alpha.empty())
                std::copy_n(sheet.alpha.begin() + std::ptrdiff_t(std::size_t(top + y) * std::size_t(sheet.Width()) + std::size_t(left)),
                            cellWidth, cell->alpha.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(cellWidth)));
        }
        cells.push_back(std::move(*cell));
    }
    return cells;
}

}  // namespace orb
