#include "info.h"

#include <cstdio>
#include <string_view>

#include "authoring/model/settings.h"

namespace orb::cli {

namespace {

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') out += '\\', out += char(c);
        else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else out += char(c);
    }
    return out + "\"";
}

std::string FrameJson(const GXDrawingSurface& f) {
    return "{\"index\": " + std::to_string(f.frameIndex) + ", \"name\": " + Quote(f.name) + ", \"width\": " + std::to_string(f.Width()) +
           ", \"height\": " + std::to_string(f.Height()) + ", \"depth\": " + std::to_string(f.Depth()) + "}";
}

std::string ActorsJson(const std::vector<GXDrawingSurface*>& actors) {
    std::string out = "[";
    for (std::size_t a = 0; a < actors.size(); ++a) {
        const GXDrawingSurface& first = *actors[a];
        out += a ? ",\n    " : "\n    ";
        out += "{\"name\": " + Quote(first.name) + ", \"frameCount\": " + std::to_string(first.frameCount) +
               ", \"key\": [" + std::to_string(first.key.red) + ", " + std::to_string(first.key.green) + ", " +
               std::to_string(first.key.blue) + "], \"tolerance\": " + std::to_string(first.key.tolerance) +
               ", \"angle\": " + std::to_string(first.storedAngle) +
               ", \"squareCanvas\": " + (first.squareCanvas ? "true" : "false") + ", \"frames\": [";
        std::size_t n = 0;
        for (const GXDrawingSurface* f = &first; f && f->firstFrame == &first; f = f->nextFrame)
            out += (n++ ? ", " : "") + FrameJson(*f);
        out += "]}";
    }
    return out + (actors.empty() ? "]" : "\n  ]");
}

std::string ActorsText(const std::vector<GXDrawingSurface*>& actors) {
    std::string out;
    for (std::size_t a = 0; a < actors.size(); ++a) {
        const GXDrawingSurface& first = *actors[a];
        char line[160];
        std::snprintf(line, sizeof line, "  %zu. %d frame(s), %dx%d, key %d,%d,%d tolerance %d, angle %d: ", a + 1,
                      first.frameCount, first.Width(), first.Height(), first.key.red, first.key.green,
                      first.key.blue, first.key.tolerance, first.storedAngle);
        out += line + first.name + "\n";
    }
    return out;
}

std::string ColourText(std::int32_t colour) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return buf;
}

}  // namespace

std::string ProjectInfo(const ProjectModel& m, bool json) {
    const ProjectSettings& s = m.settings;
    if (!json) {
        // The mode, background and colour get lines of their own, by name.
        std::string out =
            std::string(kSettingTable[kMotionMode].name) + ": " + std::string(ModeName(s.motionMode)) + "\n";
        const std::int32_t kind = s.backgroundKind;
        out += std::string(kSettingTable[kBackgroundKind].name) + ": " +
               std::string(SettingInRange(kBackgroundKind, kind) ? kBackgroundNames[std::size_t(kind)] : "?") + " " +
               ColourText(s.backgroundColour) + (m.backdropPath.empty() ? "" : " image " + m.backdropPath) + "\n";
        out += "settings:";
        for (std::size_t i = 0; i < kSettingCount; ++i) {
            if (i == kMotionMode || i == kBackgroundKind || i == kBackgroundColour) continue;
            out += " " + std::string(kSettingTable[i].name) + "=" + std::to_string(s[SettingId(i)]);
        }
        out += "\neraser: " + std::to_string(m.eraser) + "\nmusic: " + m.soundPaths[kMusicSound] +
               (m.loopMusic ? " (looped)" : "") + "\neffects: bounce " + m.soundPaths[kBounceSound] + ", create " +
               m.soundPaths[kCreateSound] + ", destroy " + m.soundPaths[kDestroySound] + "\nbanner: " + m.bannerPath +
               "\nactors: " + std::to_string(m.ActorCount()) + "\n" + ActorsText(m.Actors());
        return out;
    }
    std::string out = "{\n  \"settings\": {";
    for (std::size_t i = 0; i < kSettingCount; ++i)
        out += (i ? ", " : "") + Quote(kSettingTable[i].name) + ": " + std::to_string(s[SettingId(i)]);
    out += "},\n  \"modeName\": " + Quote(ModeName(s.motionMode)) + ",\n  \"eraser\": " + std::to_string(m.eraser) +
           ",\n  \"loopMusic\": " + std::to_string(m.loopMusic) + ",\n  \"music\": " + Quote(m.soundPaths[kMusicSound]) +
           ",\n  \"bounceSound\": " + Quote(m.soundPaths[kBounceSound]) +
           ",\n  \"createSound\": " + Quote(m.soundPaths[kCreateSound]) +
           ",\n  \"destroySound\": " + Quote(m.soundPaths[kDestroySound]) +
           ",\n  \"backdrop\": " + Quote(m.backdropPath) + ",\n  \"banner\": " + Quote(m.bannerPath) +
           ",\n  \"actors\": " + ActorsJson(m.Actors()) + "\n}\n";
    return out;
}

std::string ActorInfo(const FrameList& frames, bool json) {
    std::vector<GXDrawingSurface*> actors;
    for (const auto& f : frames)
        if (f->frameIndex == 0) actors.push_back(f.get());
    if (json) return "{\n  \"actors\": " + ActorsJson(actors) + "\n}\n";
    return "actors: " + std::to_string(actors.size()) + "\n" + ActorsText(actors);
}

}  // namespace orb::cli
