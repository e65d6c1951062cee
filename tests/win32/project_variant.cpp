// Test helper (native): copies a plain project file with some of its 22 settings
// changed, so the Wine tests can make projects the viewer must refuse; music=BYTES
// gives it a MIDI backing track of that many bytes ("big.mid") instead.
//   project_variant IN.apj OUT.apj SETTING=VALUE...   (SETTING 1..22, file order, or music)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/formats/project_file.h"
#include "common/io/file_io.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: project_variant IN.apj OUT.apj SETTING=VALUE...\n");
        return 2;
    }
    orb::ProjectFile project;
    const auto bytes = orb::ReadWholeFile(argv[1]);
    if (!bytes || orb::ParseProject(*bytes, project) != orb::ProjectCheck::Ok) {
        std::fprintf(stderr, "%s: not a plain project file\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const std::string change = argv[i];
        const std::size_t equals = change.find('=');
        if (change.starts_with("music=")) {
            // A header and a track marker, then zeros: bytes to write, not to play.
            std::vector<std::uint8_t> midi(std::strtoul(change.c_str() + 6, nullptr, 10));
            const char header[] = "MThd\0\0\0\6\0\0\0\1\0\140MTrk";
            std::copy_n(header, std::min(midi.size(), sizeof header - 1), midi.begin());
            project.soundPaths[0] = "big.mid";
            project.sounds[0] = {0, std::move(midi)};
            continue;
        }
        const int setting = std::atoi(change.substr(0, equals).c_str());
        if (equals == std::string::npos || setting < 1 || setting > 22) {
            std::fprintf(stderr, "bad change %s\n", argv[i]);
            return 2;
        }
        const auto value = static_cast<std::int32_t>(std::strtol(change.c_str() + equals + 1, nullptr, 0));
        project.settings[orb::SettingId(setting - 1)] = value;
    }
    std::string error;
    if (!orb::WriteFileAtomically(argv[2], orb::SerializeProject(project), &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}
