#include "samples/demo_project.h"

#include <array>
#include <cstdio>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "common/formats/actor_file.h"
#include "common/formats/project_file.h"
#include "common/imaging/bmp.h"
#include "common/io/byte_writer.h"
#include "common/io/file_io.h"
#include "samples/art.h"
#include "samples/sounds.h"

namespace orb::samples {
namespace {

bool WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::string error;
    if (WriteFileAtomically(path, bytes, &error)) return true;
    std::fprintf(stderr, "make_demo: cannot write %s: %s\n", path.string().c_str(), error.c_str());
    return false;
}

std::vector<std::uint8_t> BmpBytes(const Picture& picture, std::string_view name) {
    ByteWriter w;
    SaveBmp(ToSurface(picture, name), w);
    return w.bytes;
}

// The demo's settings: a dozen bouncing actors over the drawn backdrop.
ProjectSettings DemoSettings() {
    ProjectSettings settings;
    settings.number = 12;
    settings.sizeRange = 40;
    settings.speedVariation = 20;
    settings.spin = 10;
    settings.motionMode = kBounce;
    settings.backgroundKind = kImageBackground;
    settings.backgroundColour = 0x00402010;
    return settings;
}

}  // namespace

GXDrawingSurface ToSurface(const Picture& picture, std::string_view name) {
    GXDrawingSurface surface;
    surface.Create(24, picture.Width(), picture.Height());
    const auto rgb = picture.Rgb();
    for (int y = 0; y < picture.Height(); ++y) {
        auto row = surface.Row(picture.Height() - 1 - y);
        for (int x = 0; x < picture.Width(); ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * picture.Width() + x) * 3;
            row[x * 3] = rgb[at + 2];
            row[x * 3 + 1] = rgb[at + 1];
            row[x * 3 + 2] = rgb[at];
        }
    }
    surface.name = std::string(name);
    return surface;
}

bool WriteDemoProject(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);

    struct Source {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const std::array<Source, 6> sources{{
        {"demo.mid", BackingTrack()},
        {"bounce.wav", BounceEffect()},
        {"create.wav", CreateEffect()},
        {"destroy.wav", DestroyEffect()},
        {"backdrop.bmp", BmpBytes(DrawBackdrop(), "backdrop.bmp")},
        {"banner.bmp", BmpBytes(DrawBanner(), "banner.bmp")},
    }};
    for (const Source& s : sources)
        if (!WriteFile(folder / s.name, s.bytes)) return false;

    ProjectFile project;
    project.loopMusic = 1;
    for (int i = 0; i < 4; ++i) {
        project.soundPaths[i] = sources[i].name;
        project.sounds[i] = {0, sources[i].bytes};
    }
    project.backdropPath = sources[4].name;
    project.useBackdropImage = 1;
    project.backdrop = {0, 0, sources[4].bytes};
    project.bannerPath = sources[5].name;
    project.banner = {0, 0, sources[5].bytes};
    project.settings = DemoSettings();

    const std::vector<DemoActor> actors = DrawDemoActors();
    for (const DemoActor& actor : actors) {
        FrameList frames;
        for (std::size_t f = 0; f < actor.frames.size(); ++f) {
            GXDrawingSurface frame = ToSurface(actor.frames[f], actor.name + " frame " + std::to_string(f));
            frame.key = {kActorKey.b, kActorKey.g, kActorKey.r, kActorKeyTolerance};
            frame.AppendCopy(frames);
        }
        NumberFrames(frames);
        if (frames.empty()) {
            std::fprintf(stderr, "make_demo: the frames of %s could not be made\n", actor.name.c_str());
            return false;
        }
        frames.front()->name = actor.name;
        ByteWriter record;
        WriteActor(record, *frames.front());
        project.actors.push_back(std::move(record.bytes));
    }
    return WriteFile(folder / "demo.apj", SerializeProject(project));
}

}  // namespace orb::samples
