#include "viewer/host/png_file.h"

#include <algorithm>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace orb::host {

bool WritePng(const std::string& path, const RgbImage& image) {
    if (image.width < 1 || image.height < 1 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        return false;
    return stbi_write_png(path.c_str(), image.width, image.height, 3, image.rgb.data(),
                          image.width * 3) != 0;
}

RgbImage ContactSheet(std::span<const RgbImage> frames, int columns, int thumbWidth) {
    constexpr int kGap = 4;
    RgbImage sheet;
    if (frames.empty() || columns < 1 || thumbWidth < 1 || frames[0].width < 1) return sheet;
    const RgbImage& first = frames[0];
    const int thumbHeight = std::max(1, static_cast<int>(static_cast<long long>(first.height) * thumbWidth / first.width));
    const int count = static_cast<int>(frames.size());
    columns = std::min(columns, count);
    const int rows = (count + columns - 1) / columns;
    sheet.width = kGap + columns * (thumbWidth + kGap);
    sheet.height = kGap + rows * (thumbHeight + kGap);
    sheet.rgb.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 3, 32);
    for (int i = 0; i < count; ++i) {
        const RgbImage& f = frames[i];
        if (f.width != first.width || f.height != first.height) continue;
        const int left = kGap + (i % columns) * (thumbWidth + kGap);
        const int top = kGap + (i / columns) * (thumbHeight + kGap);
        for (int y = 0; y < thumbHeight; ++y) {
            const int sy = static_cast<int>(static_cast<long long>(y) * f.height / thumbHeight);
            for (int x = 0; x < thumbWidth; ++x) {
                const int sx = static_cast<int>(static_cast<long long>(x) * f.width / thumbWidth);
                const std::uint8_t* src = &f.rgb[(static_cast<std::size_t>(sy) * f.width + sx) * 3];
                std::uint8_t* dst = &sheet.rgb[(static_cast<std::size_t>(top + y) * sheet.width + left + x) * 3];
                std::copy(src, src + 3, dst);
            }
        }
    }
    return sheet;
}

}  // namespace orb::host
