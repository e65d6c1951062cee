// Test helper (native): copies a plain project file with some of its 22 settings
// changed, so the Wine tests can make projects the viewer must refuse.
//   project_variant IN.apj OUT.apj SETTING=VALUE...   (SETTING 1..22, file order)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/io/byte_reader.h"
#include "common/io/file_io.h"

namespace {

bool SkipString(orb::ByteReader& in) {
    std::int32_t count;
    return in.ReadI32(count) && count >= 0 && in.Skip(std::size_t(count));
}

// A missing flag, then (embedded) an unusable flag and one whole bitmap file.
bool SkipImageRecord(orb::ByteReader& in, bool embedded) {
    std::int32_t missing, unusable;
    if (!in.ReadI32(missing)) return false;
    if (missing != 0 || !embedded) return true;
    if (!in.ReadI32(unusable)) return false;
    if (unusable != 0) return true;
    std::size_t start = in.Position();
    std::uint16_t bitCount;
    std::uint32_t coloursUsed, imageSize;
    if (!in.Skip(14 + 14) || !in.ReadU16(bitCount) || !in.Skip(4) || !in.ReadU32(imageSize) || !in.Skip(8) ||
        !in.ReadU32(coloursUsed))
        return false;
    std::uint64_t palette = bitCount <= 8 ? (coloursUsed ? coloursUsed : 1u << bitCount) : 0;
    std::uint64_t total = 14 + 40 + palette * 4 + imageSize;
    return in.Seek(start) && in.Skip(std::size_t(total));
}

// The offset of the first setting in a plain project, or 0 when the file is not one.
std::size_t SettingsOffset(const std::vector<std::uint8_t>& bytes) {
    orb::ByteReader in(bytes);
    std::uint16_t magic, version, kind;
    std::int32_t embedded, eraser, loop, soundBlock, useBackdrop;
    if (!in.ReadU16(magic) || magic != 0x1234 || !in.ReadU16(version) || !in.ReadU16(kind) ||
        !in.ReadI32(embedded) || !in.ReadI32(eraser))
        return 0;
    for (int i = 0; i < 4; ++i)
        if (!SkipString(in)) return 0;
    if (!in.ReadI32(loop) || !in.ReadI32(soundBlock)) return 0;
    for (int i = 0; soundBlock && i < 4; ++i) {
        std::int32_t missing;
        if (!in.ReadI32(missing)) return 0;
        if (missing == 0 && embedded == 1 && !SkipString(in)) return 0;
    }
    if (!SkipString(in) || !in.ReadI32(useBackdrop)) return 0;
    if (useBackdrop && !SkipImageRecord(in, embedded == 1)) return 0;
    if (!SkipString(in) || !SkipImageRecord(in, embedded == 1)) return 0;
    return in.Remaining() >= 22 * 4 ? in.Position() : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: project_variant IN.apj OUT.apj SETTING=VALUE...\n");
        return 2;
    }
    auto bytes = orb::ReadWholeFile(argv[1]);
    std::size_t offset = bytes ? SettingsOffset(*bytes) : 0;
    if (!offset) {
        std::fprintf(stderr, "%s: not a plain project file\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        std::string change = argv[i];
        std::size_t equals = change.find('=');
        int setting = std::atoi(change.substr(0, equals).c_str());
        if (equals == std::string::npos || setting < 1 || setting > 22) {
            std::fprintf(stderr, "bad change %s\n", argv[i]);
            return 2;
        }
        auto value = static_cast<std::uint32_t>(std::strtol(change.c_str() + equals + 1, nullptr, 0));
        std::size_t at = offset + std::size_t(setting - 1) * 4;
        for (int b = 0; b < 4; ++b) (*bytes)[at + b] = std::uint8_t(value >> (8 * b));
    }
    std::string error;
    if (!orb::WriteFileAtomically(argv[2], *bytes, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}
