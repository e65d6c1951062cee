// Well-formed files of every kind the programs read, made with our own writers
// (pictures of other formats through ImageMagick from pixels we make), and the
// ways the catalogue damages them.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orb::robustness {

using Bytes = std::vector<std::uint8_t>;

struct GoodFiles {
    Bytes bmp;           // 8-bit, 6 x 4
    Bytes actor;         // three frames
    Bytes project;       // plain, everything embedded, two actors, a backdrop
    Bytes compressed;    // the same project as the build writes it
    Bytes referencing;   // plain, naming "good.act", "bounce.wav" and "backdrop.bmp" beside it
    Bytes pcx, png, jpeg, tga, cgm, gif;  // the GIF still, 8 x 6
};

// A plain project embedding `backdrop` (a BMP), `actor` and `sound` (the bounce
// sound's file bytes; empty: none).
Bytes EmbeddedProject(const Bytes& backdrop, const Bytes& actor, const Bytes& sound = {});

// Makes them once (ImageMagick runs in `scratch`).
const GoodFiles& Good(const std::filesystem::path& scratch);

// The first `length` bytes.
Bytes Cut(const Bytes& bytes, std::size_t length);
// `bytes` with a little-endian 32-bit (or 16-bit) value written at `at`.
Bytes Put32(Bytes bytes, std::size_t at, std::uint32_t value);
Bytes Put16(Bytes bytes, std::size_t at, std::uint16_t value);
// `bytes` with every occurrence of `from` replaced by `to` (same length).
Bytes Rename(Bytes bytes, const std::string& from, const std::string& to);

// A compressed project whose archive holds `members` (name, contents) in order,
// followed by the four-byte plain size.
Bytes CompressedWith(const std::filesystem::path& scratch, const std::vector<std::pair<std::string, Bytes>>& members,
                     std::int32_t appendedSize);

}  // namespace orb::robustness
