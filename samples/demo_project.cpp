#include "samples/demo_project.h"

#include <array>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "common/formats/actor_file.h"
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

// The demo's settings, in the project file's order.
struct DemoSettings {
    std::int32_t number = 12, size = 100, direction = 0, actorBias = 0;
    std::int32_t spriteLifetime = 100, sceneLifetime = 100;
    std::int32_t numberRange = 50, sizeRange = 40, directionRange = 360;
    std::int32_t speed = 50, speedVariation = 20, swirl = 0, spin = 10, stutter = 15, factorX = 0;
    std::int32_t motionMode = 0;      // BOUNCE
    std::int32_t backgroundKind = 3;  // Image
    std::int32_t shuffle = 0;
    std::int32_t backgroundColour = 0x00402010;
    std::int32_t turbo = 0, quickRotation = 1, alignToPath = 0;

    std::array<std::int32_t, 22> InFileOrder() const {
        return {number, size, direction, actorBias, spriteLifetime, sceneLifetime, numberRange,
                sizeRange, directionRange, speed, speedVariation, swirl, spin, stutter, factorX,
                motionMode, backgroundKind, shuffle, backgroundColour, turbo, quickRotation,
                alignToPath};
    }
};

void ProjectString(ByteWriter& w, std::string_view text) {
    w.I32(static_cast<std::int32_t>(text.size()));
    w.Text(text);
}

// A present, embedded record: missing 0, then (for pictures) usable, then the bytes.
void SoundRecord(ByteWriter& w, std::span<const std::uint8_t> bytes) {
    w.I32(0);
    w.I32(static_cast<std::int32_t>(bytes.size()));
    w.Bytes(bytes);
}
void ImageRecord(ByteWriter& w, std::span<const std::uint8_t> bmp) {
    w.I32(0);
    w.I32(0);
    w.Bytes(bmp);
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

    ByteWriter w;
    w.U16(kOrbellanMagic);
    w.U16(1);  // format version
    w.U16(1);  // project
    w.I32(1);  // resources embedded
    w.I32(0);  // eraser
    for (int i = 0; i < 4; ++i) ProjectString(w, sources[i].name);
    w.I32(1);  // loop music
    w.I32(1);  // sound block present
    for (int i = 0; i < 4; ++i) SoundRecord(w, sources[i].bytes);
    ProjectString(w, sources[4].name);
    w.I32(1);  // use the backdrop image
    ImageRecord(w, sources[4].bytes);
    ProjectString(w, sources[5].name);
    ImageRecord(w, sources[5].bytes);
    for (std::int32_t value : DemoSettings{}.InFileOrder()) w.I32(value);

    const std::vector<DemoActor> actors = DrawDemoActors();
    w.I32(static_cast<std::int32_t>(actors.size()));
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
        WriteActor(w, *frames.front());
    }
    return WriteFile(folder / "demo.apj", w.bytes);
}

}  // namespace orb::samples
