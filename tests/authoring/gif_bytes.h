// GIF files built byte by byte for tests: a four-colour global table and frames
// whose pixels are coded the plainest way LZW allows (a clear code before every
// two pixels, so every code stays 3 bits), so each test can say exactly what the
// file holds.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace orb::test {

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices;  // width x height colour indices, rows from the top
    int disposal = 0;                   // 0 none, 1 keep, 2 clear to background, 3 restore previous
    int transparent = -1;               // the transparent colour index, or none
};

// Colour table entries, red, green, blue.
using GifColours = std::array<std::array<std::uint8_t, 3>, 4>;

inline std::vector<std::uint8_t> LzwSubBlocks(const std::vector<std::uint8_t>& indices) {
    // minimum code size 2: clear 4, end 5, codes of 3 bits packed from the low bit
    std::vector<int> codes;
    for (std::size_t i = 0; i < indices.size(); i += 2) {
        codes.push_back(4);
        codes.push_back(indices[i]);
        if (i + 1 < indices.size()) codes.push_back(indices[i + 1]);
    }
    codes.push_back(5);
    std::vector<std::uint8_t> data;
    unsigned bits = 0, count = 0;
    for (int code : codes) {
        bits |= unsigned(code) << count;
        count += 3;
        while (count >= 8) data.push_back(std::uint8_t(bits)), bits >>= 8, count -= 8;
    }
    if (count > 0) data.push_back(std::uint8_t(bits));
    std::vector<std::uint8_t> blocks = {2};  // the minimum code size
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        blocks.push_back(std::uint8_t(n));
        blocks.insert(blocks.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
    }
    blocks.push_back(0);
    return blocks;
}

inline void Put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

// One frame: its graphic control extension, descriptor and pixel data.
inline std::vector<std::uint8_t> GifFrameBytes(const GifFrame& f) {
    std::vector<std::uint8_t> out = {0x21, 0xF9, 4, std::uint8_t(f.disposal << 2 | (f.transparent >= 0 ? 1 : 0)), 10, 0,
                                     std::uint8_t(f.transparent >= 0 ? f.transparent : 0), 0};
    out.push_back(0x2C);
    for (int v : {f.left, f.top, f.width, f.height}) Put16(out, v);
    out.push_back(0);  // no local colour table
    const std::vector<std::uint8_t> data = LzwSubBlocks(f.indices);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline std::vector<std::uint8_t> GifHeader(int width, int height, const GifColours& colours) {
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, width);
    Put16(out, height);
    out.push_back(0x81);  // a global table of 2^(1+1) entries
    out.push_back(0);
    out.push_back(0);
    for (const auto& c : colours) out.insert(out.end(), c.begin(), c.end());
    return out;
}

inline std::vector<std::uint8_t> MakeGif(int width, int height, const GifColours& colours,
                                         const std::vector<GifFrame>& frames) {
    std::vector<std::uint8_t> out = GifHeader(width, height, colours);
    for (const GifFrame& f : frames) {
        const std::vector<std::uint8_t> bytes = GifFrameBytes(f);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace orb::test
