// Writes seed inputs for the fuzz targets with our own writers, so fuzzing starts
// from well-formed files of every kind: make_fuzz_seeds OUTPUT_FOLDER
// (one folder per target; scripts/fuzz adds the pictures ImageMagick writes).
#include "common/archive/archive.h"
#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/file_io.h"
#include "tests/common/formats/sample_files.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace orb;

namespace {

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (!WriteFileAtomically(path, bytes)) std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
}

std::vector<std::uint8_t> ThreeFrameActor() { return test::ThreeFrameActor(8, "seed", "seed"); }

// An embedded project with every block present, and one naming its files.
ProjectFile EmbeddedProject() {
    ProjectFile project;
    project.soundPaths = {"music.mid", "bounce.wav", "create.wav", "destroy.wav"};
    for (SoundRecord& sound : project.sounds) sound = {0, {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}};
    project.backdropPath = "backdrop.bmp";
    project.useBackdropImage = 1;
    project.backdrop = {0, 0, test::BusyBmp(24, 8, 6)};
    project.bannerPath = "banner.bmp";
    project.banner = {0, 0, test::BusyBmp(8, 6, 4)};
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
    project.actors = {test::Zstring("missing.act")};
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
    test::MetafileWriter out;
    out.Element(0, 1, {3, 'a', 'r', 't'});
    out.Element(0, 3, {0});
    out.Element(2, 6, {0, 0, 0, 0, 0, 100, 0, 50});
    out.Element(0, 4, {});
    out.Element(5, 34, {2, 255, 0, 0, 0, 0, 255});
    out.Element(5, 22, {0, 1});
    out.Element(5, 23, {2});
    out.Element(4, 11, {0, 0, 0, 0, 0, 50, 0, 50});
    out.Element(5, 4, {3});
    out.Element(4, 1, {0, 0, 0, 49, 0, 99, 0, 49});
    out.Element(0, 5, {});
    out.Element(0, 2, {});
    return out.bytes;
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
        GXDrawingSurface picture = test::BusyPicture(depth, 5 + depth, 3, "seed");
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
