// Hand-made pieces of project files for the project tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/project_file.h"
#include "common/io/byte_writer.h"

namespace orb::test {

// A complete 24-bit BMP of width x height filled with one grey level:
// stride = (3w + 3) / 4 * 4, size = 54 + stride x height, pixel offset 54.
inline std::vector<std::uint8_t> GreyBmp(int width, int height, std::uint8_t grey) {
    const std::uint32_t stride = (3 * width + 3) / 4 * 4;
    const std::uint32_t image = stride * height;
    ByteWriter w;
    w.U16(0x4D42);
    w.U32(54 + image);
    w.U16(0);
    w.U16(0);
    w.U32(54);
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(24);
    w.U32(0);
    w.U32(image);
    w.I32(0);
    w.I32(0);
    w.U32(0);
    w.U32(0);
    for (std::uint32_t i = 0; i < image; ++i) w.U8(grey);
    return w.bytes;
}

inline void ZString(ByteWriter& w, const std::string& text) {
    w.I32(static_cast<std::int32_t>(text.size() + 1));
    w.Text(text);
    w.U8(0);
}

// An actor record named `name` whose frames are the given BMPs.
inline std::vector<std::uint8_t> ActorRecordOf(const std::string& name,
                                               const std::vector<std::vector<std::uint8_t>>& bitmaps) {
    const int frames = static_cast<int>(bitmaps.size());
    ByteWriter w;
    w.U16(0x1234);
    w.U16(1);
    w.U16(2);
    w.I32(frames);
    w.I32(0);    // rotated
    w.I32(0);    // rotation
    w.I32(255);  // key blue, green, red
    w.I32(255);
    w.I32(255);
    w.I32(1);    // tolerance
    ZString(w, name);
    for (int i = 0; i < frames; ++i) {
        ZString(w, name + "#" + std::to_string(i));
        w.Bytes(bitmaps[i]);
    }
    return w.bytes;
}

// An actor record named `name` with `frames` grey frames of 3 x 2 pixels.
inline std::vector<std::uint8_t> ActorRecord(const std::string& name, int frames) {
    std::vector<std::vector<std::uint8_t>> bitmaps;
    for (int i = 0; i < frames; ++i) bitmaps.push_back(GreyBmp(3, 2, static_cast<std::uint8_t>(10 * i)));
    return ActorRecordOf(name, bitmaps);
}

// A project using every part of the layout.
inline ProjectFile FullProject() {
    ProjectFile p;
    p.eraser = 1;
    p.soundPaths = {"C:\\music\\tune.mid", "C:\\wav\\boing.wav", "", "C:\\wav\\pop.wav"};
    p.loopMusic = 1;
    p.sounds[0] = {0, {'M', 'T', 'h', 'd', 0, 0, 0, 6}};
    p.sounds[1] = {0, {'R', 'I', 'F', 'F', 1, 2, 3}};
    p.sounds[2] = {1, {}};
    p.sounds[3] = {0, {}};  // an empty file that existed
    p.backdropPath = "C:\\pictures\\sky.bmp";
    p.useBackdropImage = 1;
    p.backdrop = {0, 0, GreyBmp(5, 3, 128)};
    p.bannerPath = "C:\\pictures\\banner.bmp";
    p.banner = {0, 0, GreyBmp(4, 4, 64)};
    for (std::size_t i = 0; i < kSettingCount; ++i) p.settings[SettingId(i)] = static_cast<std::int32_t>(100 + i);
    p.settings.backgroundKind = 3;
    p.actors = {ActorRecord("C:\\art\\fish.bmp", 1), ActorRecord("C:\\art\\bird.avi", 3),
                ActorRecord("C:\\art\\star.bmp", 2)};
    return p;
}

}  // namespace orb::test
