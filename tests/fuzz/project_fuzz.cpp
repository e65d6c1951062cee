// Feeds arbitrary bytes to the plain project parser with every option either
// program uses, and writes back what it accepts.
#include "common/formats/project_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    for (bool previewOnly : {false, true}) {
        for (bool checkBackgroundKind : {false, true}) {
            orb::ProjectFile project;
            const orb::ProjectParseOptions options{previewOnly, checkBackgroundKind};
            if (orb::ParseProject(bytes, project, options) != orb::ProjectCheck::Ok || previewOnly) continue;
            // A full read that succeeded must read back the same from its own bytes.
            orb::ProjectFile again;
            if (orb::ParseProject(orb::SerializeProject(project), again, options) != orb::ProjectCheck::Ok ||
                !(again == project))
                std::abort();
        }
    }
    return 0;
}
