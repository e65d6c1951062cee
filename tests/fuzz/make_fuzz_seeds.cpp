// Writes seed inputs for the fuzz targets with our own writers, so fuzzing starts
// from well-formed files of every kind: make_fuzz_seeds OUTPUT_FOLDER
#include "common/archive/archive.h"
#include "common/formats/actor_file.h"
#include "common/imaging/bmp.h"
#include "common/io/file_io.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace orb;

namespace {

GXDrawingSurface Picture(int depth, int width, int height) {
    GXDrawingSurface surface;
    surface.Create(depth, width, height);
    auto pixels = surface.Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    surface.name = "seed";
    return surface;
}

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (!WriteFileAtomically(path, bytes)) std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds OUTPUT_FOLDER\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* kind : {"bmp", "actor", "zip"}) fs::create_directories(out / kind);

    const int depths[] = {1, 4, 8, 24};
    for (int depth : depths) {
        GXDrawingSurface picture = Picture(depth, 5 + depth, 3);
        ByteWriter plain;
        SaveBmp(picture, plain);
        Write(out / "bmp" / ("plain" + std::to_string(depth) + ".bmp"), plain.bytes);
        ByteWriter embedded;
        SaveEmbeddedBmp(picture, embedded, "seed.bmp");
        Write(out / "bmp" / ("embedded" + std::to_string(depth) + ".bin"), embedded.bytes);
    }

    FrameList frames;
    for (int i = 0; i < 3; ++i) Picture(i == 0 ? 8 : 24, 4 + i, 4).AppendCopy(frames);
    NumberFrames(frames);
    ByteWriter actor;
    WriteActor(actor, *frames.front());
    Write(out / "actor" / "three-frames.act", actor.bytes);

    const fs::path member = out / "zip" / "member.txt";
    Write(member, std::vector<std::uint8_t>(actor.bytes.begin(), actor.bytes.end()));
    CompressFileToArchive((out / "zip" / "one.zip").string(), member.string(), true);
    fs::remove(member);
    return 0;
}
