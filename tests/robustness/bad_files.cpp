#include "tests/robustness/bad_files.h"

#include <cstdlib>
#include <fstream>
#include <memory>

#include "common/archive/archive.h"
#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/file_io.h"
#include "tests/common/formats/sample_files.h"

namespace orb::robustness {

namespace fs = std::filesystem;

namespace {

Bytes Bmp(int depth, int width, int height) { return test::BusyBmp(depth, width, height); }
Bytes ThreeFrameActor() { return test::ThreeFrameActor(24, "picture", "walker"); }

Bytes Read(const fs::path& path) {
    std::optional<Bytes> bytes = ReadWholeFile(path);
    return bytes ? *bytes : Bytes{};
}

void Write(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes AppendSize(Bytes archive, std::int32_t size) {
    ByteWriter tail;
    tail.I32(size);
    archive.insert(archive.end(), tail.bytes.begin(), tail.bytes.end());
    return archive;
}

// A binary metafile: extent 40 x 20, a filled rectangle.
Bytes Metafile() {
    test::MetafileWriter out;
    out.Element(0, 1, {3, 'a', 'r', 't'});
    out.Element(2, 6, {0, 0, 0, 0, 0, 40, 0, 20});
    out.Element(0, 4, {});
    out.Element(4, 11, {0, 0, 0, 0, 0, 20, 0, 20});
    out.Element(0, 5, {});
    out.Element(0, 2, {});
    return out.bytes;
}

Bytes Converted(const fs::path& scratch, const std::string& target) {
    const fs::path ppm = scratch / "source.ppm";
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n8 6\n255\n";
        for (int i = 0; i < 48; ++i) out.put(char(i * 5)).put(char(255 - i * 5)).put(char(i * 3));
    }
    const fs::path file = scratch / ("converted." + target);
    const std::string command = "/usr/bin/convert '" + ppm.string() + "' '" + file.string() + "' 2>/dev/null";
    Bytes bytes = std::system(command.c_str()) == 0 ? Read(file) : Bytes{};
    fs::remove(file);
    fs::remove(ppm);
    return bytes;
}

}  // namespace

Bytes EmbeddedProject(const Bytes& backdrop, const Bytes& actor, const Bytes& sound) {
    ProjectFile project;
    project.useBackdropImage = 1;
    project.backdropPath = "backdrop.bmp";
    project.backdrop = {0, 0, backdrop};
    project.settings.backgroundKind = 3;
    project.actors = {actor};
    if (!sound.empty()) {
        project.soundPaths[kBounceSound] = "bounce.wav";
        project.sounds[kBounceSound] = {0, sound};
    }
    return SerializeProject(project);
}

const GoodFiles& Good(const fs::path& scratch) {
    static const std::unique_ptr<GoodFiles> good = [&scratch] {
        auto files = std::make_unique<GoodFiles>();
        files->bmp = Bmp(8, 6, 4);
        files->actor = ThreeFrameActor();
        files->project = EmbeddedProject(Bmp(24, 8, 6), files->actor);
        files->compressed = CompressedWith(scratch, {{std::string(kPackedProjectName), files->project}},
                                           std::int32_t(files->project.size()));
        ProjectFile referencing;
        referencing.resourcesEmbedded = 0;
        referencing.soundBlockPresent = 0;
        referencing.soundPaths = {"", "bounce.wav", "", ""};
        referencing.actors = {test::Zstring("good.act")};
        files->referencing = SerializeProject(referencing);
        files->pcx = Converted(scratch, "pcx");
        files->png = Converted(scratch, "png");
        files->jpeg = Converted(scratch, "jpg");
        files->tga = Converted(scratch, "tga");
        files->cgm = Metafile();
        files->gif = Converted(scratch, "gif");
        return files;
    }();
    return *good;
}

Bytes Cut(const Bytes& bytes, std::size_t length) { return Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(length)); }

Bytes Put32(Bytes bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = std::uint8_t(value >> (8 * i));
    return bytes;
}

Bytes Put16(Bytes bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = std::uint8_t(value), bytes.at(at + 1) = std::uint8_t(value >> 8);
    return bytes;
}

Bytes Rename(Bytes bytes, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; at + from.size() <= bytes.size(); ++at)
        if (std::equal(from.begin(), from.end(), bytes.begin() + std::ptrdiff_t(at)))
            std::copy(to.begin(), to.end(), bytes.begin() + std::ptrdiff_t(at));
    return bytes;
}

Bytes CompressedWith(const fs::path& scratch, const std::vector<std::pair<std::string, Bytes>>& members,
                     std::int32_t appendedSize) {
    const fs::path folder = scratch / "members", archive = scratch / "members.zip";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::remove(archive);
    std::string names;
    for (const auto& [name, bytes] : members) {
        Write(folder / name, bytes);
        names += " '" + name + "'";
    }
    if (members.size() == 1) {
        CompressFileToArchive(archive.string(), (folder / members[0].first).string(), true);
    } else {
        const std::string command = "cd '" + folder.string() + "' && zip -qX '" + archive.string() + "'" + names;
        if (std::system(command.c_str()) != 0) return {};
    }
    Bytes bytes = Read(archive);
    fs::remove_all(folder);
    fs::remove(archive);
    return AppendSize(bytes, appendedSize);
}

}  // namespace orb::robustness
