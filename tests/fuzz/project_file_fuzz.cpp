// Feeds arbitrary bytes, as a file, to both programs' project loaders: plain
// projects, and compressed ones that are unpacked beside the file. Whatever the
// bytes, the folder must hold only the input afterwards.
#include "common/formats/project_reader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::optional<std::int64_t> PlentyOfSpace(const fs::path&) { return std::int64_t(1) << 30; }

void CheckOnlyInputRemains(const fs::path& folder, const fs::path& input) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path() != input) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path folder = fs::temp_directory_path() / ("orb_project_fuzz_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path input = folder / "input.apj";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    orb::NullReportSink sink;
    for (bool preview : {false, true}) {
        orb::LoadViewerProject(input, preview, sink, PlentyOfSpace);
        CheckOnlyInputRemains(folder, input);
    }
    orb::LoadAuthoringProject(input, sink, PlentyOfSpace);
    CheckOnlyInputRemains(folder, input);
    return 0;
}
