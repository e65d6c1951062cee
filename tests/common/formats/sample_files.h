// Well-formed files made with our own writers, shared by the bad-input catalogue
// and the fuzz seeds: pictures with busy pixels, BMP files, actors, zero-ended
// strings and binary metafiles.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_writer.h"

namespace orb::test {

// A picture whose byte i is i * 37 + 11, so no two neighbours agree.
inline GXDrawingSurface BusyPicture(int depth, int width, int height, const std::string& name) {
    GXDrawingSurface surface;
    surface.Create(depth, width, height);
    auto pixels = surface.Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    surface.name = name;
    return surface;
}

inline std::vector<std::uint8_t> BusyBmp(int depth, int width, int height) {
    ByteWriter writer;
    SaveBmp(BusyPicture(depth, width, height, "picture"), writer);
    return writer.bytes;
}

// An actor file of three busy frames, 4, 5 and 6 pixels wide and 4 high; the first
// frame `firstDepth` bits deep, the others 24.
inline std::vector<std::uint8_t> ThreeFrameActor(int firstDepth, const std::string& frameName,
                                                 const std::string& actorName) {
    FrameList frames;
    for (int i = 0; i < 3; ++i) BusyPicture(i == 0 ? firstDepth : 24, 4 + i, 4, frameName).AppendCopy(frames);
    NumberFrames(frames);
    frames.front()->name = actorName;
    ByteWriter actor;
    WriteActor(actor, *frames.front());
    return actor.bytes;
}

// The text and its terminating zero byte.
inline std::vector<std::uint8_t> Zstring(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// A binary metafile written element by element: a 16-bit word of class (4 bits),
// id (7 bits) and parameter count (5 bits), the parameters one byte each, padded
// to an even length.
struct MetafileWriter {
    std::vector<std::uint8_t> bytes;
    void Element(int cls, int id, std::initializer_list<int> params) {
        const int word = cls << 12 | id << 5 | int(params.size());
        bytes.push_back(std::uint8_t(word >> 8)), bytes.push_back(std::uint8_t(word));
        for (int p : params) bytes.push_back(std::uint8_t(p));
        if (params.size() & 1) bytes.push_back(0);
    }
};

}  // namespace orb::test
