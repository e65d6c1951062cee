// Writes seed inputs for the fuzz targets with our own writers, so fuzzing starts
// from well-formed files of every kind: make_fuzz_seeds OUTPUT_FOLDER
// (one folder per target; scripts/fuzz adds the pictures ImageMagick writes).
#include "common/archive/archive.h"
#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/file_io.h"

#include <cstdio>
#include <filesystem>
#include <initializer_list>

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

std::vector<std::uint8_t> Bmp(int depth, int width, int height) {
    ByteWriter writer;
    SaveBmp(Picture(depth, width, height), writer);
    return writer.bytes;
}

std::vector<std::uint8_t> ThreeFrameActor() {
    FrameList frames;
    for (int i = 0; i < 3; ++i) Picture(i == 0 ? 8 : 24, 4 + i, 4).AppendCopy(frames);
    NumberFrames(frames);
    ByteWriter actor;
    WriteActor(actor, *frames.front());
    return actor.bytes;
}

std::vector<std::uint8_t> Zstring(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// An embedded project with every block present, and one naming its files.
ProjectFile EmbeddedProject() {
    ProjectFile project;
    project.soundPaths = {"music.mid", "bounce.wav", "create.wav", "destroy.wav"};
    for (SoundRecord& sound : project.sounds) sound = {0, {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}};
    project.backdropPath = "backdrop.bmp";
    project.useBackdropImage = 1;
    project.backdrop = {0, 0, Bmp(24, 8, 6)};
    project.bannerPath = "banner.bmp";
    project.banner = {0, 0, Bmp(8, 6, 4)};
    project.settings.backgroundKind = 3;
    project.settings.motionMode = 2;
    project.actors = {ThreeFrameActor(), ThreeFrameActor()};
    return project;
}

ProjectFile ReferencingProject() {
    ProjectFile project;
    project.resourcesEmbedded = 0;
    project.soundPaths = {"", "bounce.wav", "", ""};
    project.soundBlockPresent = 0;
    project.actors = {Zstring("missing.act")};
    return project;
}

// The compressed form: an archive holding the plain project, then its size.
void WriteCompressed(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& plain) {
    const fs::path member = folder / std::string(kPackedProjectName);
    const fs::path archive = folder / name;
    Write(member, plain);
    CompressFileToArchive(archive.string(), member.string(), true);
    fs::remove(member);
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(archive);
    if (!bytes) return;
    ByteWriter size;
    size.I32(static_cast<std::int32_t>(plain.size()));
    bytes->insert(bytes->end(), size.bytes.begin(), size.bytes.end());
    Write(archive, *bytes);
}

// A binary metafile: picture extent, colour table, a filled rectangle and a line.
std::vector<std::uint8_t> Metafile() {
    std::vector<std::uint8_t> out;
    auto element = [&out](int cls, int id, std::initializer_list<int> params) {
        const int word = cls << 12 | id << 5 | int(params.size());
        out.push_back(std::uint8_t(word >> 8)), out.push_back(std::uint8_t(word));
        for (int p : params) out.push_back(std::uint8_t(p));
        if (params.size() & 1) out.push_back(0);
    };
    element(0, 1, {3, 'a', 'r', 't'});
    element(0, 3, {0});
    element(2, 6, {0, 0, 0, 0, 0, 100, 0, 50});
    element(0, 4, {});
    element(5, 34, {2, 255, 0, 0, 0, 0, 255});
    element(5, 22, {0, 1});
    element(5, 23, {2});
    element(4, 11, {0, 0, 0, 0, 0, 50, 0, 50});
    element(5, 4, {3});
    element(4, 1, {0, 0, 0, 49, 0, 99, 0, 49});
    element(0, 5, {});
    element(0, 2, {});
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds OUTPUT_FOLDER\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* kind : {"bmp", "actor", "zip", "project", "project_file", "cgm"})
        fs::create_directories(out / kind);

    for (int depth : {1, 4, 8, 24}) {
        GXDrawingSurface picture = Picture(depth, 5 + depth, 3);
        ByteWriter plain;
        SaveBmp(picture, plain);
        Write(out / "bmp" / ("plain" + std::to_string(depth) + ".bmp"), plain.bytes);
        ByteWriter embedded;
        SaveEmbeddedBmp(picture, embedded, "seed.bmp");
        Write(out / "bmp" / ("embedded" + std::to_string(depth) + ".bin"), embedded.bytes);
    }

    const std::vector<std::uint8_t> actor = ThreeFrameActor();
    Write(out / "actor" / "three-frames.act", actor);

    const fs::path member = out / "zip" / "member.txt";
    Write(member, actor);
    CompressFileToArchive((out / "zip" / "one.zip").string(), member.string(), true);
    fs::remove(member);

    const std::vector<std::uint8_t> embedded = SerializeProject(EmbeddedProject());
    const std::vector<std::uint8_t> referencing = SerializeProject(ReferencingProject());
    for (const char* kind : {"project", "project_file"}) {
        Write(out / kind / "embedded.apj", embedded);
        Write(out / kind / "referencing.apj", referencing);
    }
    WriteCompressed(out / "project_file", "compressed.apj", embedded);
    WriteCompressed(out / "zip", "project.zip", referencing);

    Write(out / "cgm" / "shapes.cgm", Metafile());
    return 0;
}
