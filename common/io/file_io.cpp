#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace orb {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const std::filesystem::path& path, const char* mode) {
    return File(std::fopen(path.string().c_str(), mode));
}
}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    File file = OpenFile(path, "rb");
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    for (;;) {
        std::size_t got = std::fread(block, 1, sizeof block, file.get());
        bytes.insert(bytes.end(), block, block + got);
        if (got < sizeof block) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    std::filesystem::path temporary = path;
    temporary += ".tmp~";
    {
        File file = OpenFile(temporary, "wb");
        if (!file) return fail(std::strerror(errno));
        bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
        ok = (std::fflush(file.get()) == 0) && ok;
        int saved = errno;
        if (std::fclose(file.release()) != 0) ok = false;
        if (!ok) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return fail(std::strerror(saved ? saved : EIO));
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return fail(ec.message());
    }
    return true;
}

}  // namespace orb
