// Feeds arbitrary bytes to the archive directory reader and extraction, in a
// private folder that is emptied after every run: nothing may land outside it.
#include "common/archive/archive.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path root = fs::temp_directory_path() / ("orb_zip_fuzz_" + std::to_string(getpid()));
    const fs::path out = root / "out";
    fs::create_directories(out);
    const fs::path archive = root / "input.zip";
    {
        std::ofstream file(archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    int count = 0, status = 0;
    if (auto listing = orb::ReadArchiveDirectory(archive.string(), count, status)) {
        orb::ExtractAll(*listing, out);
    }
    std::error_code ignored;
    fs::remove_all(out, ignored);
    // Anything extracted beside the private folder would be a path escape.
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.path() != archive) std::abort();
    return 0;
}
