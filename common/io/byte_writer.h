// Little-endian writing into a growing byte buffer.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orb {

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void I16(std::int16_t v) { Little(static_cast<std::uint16_t>(v), 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void I32(std::int32_t v) { Little(static_cast<std::uint32_t>(v), 4); }
    void Bytes(std::span<const std::uint8_t> data) { bytes.insert(bytes.end(), data.begin(), data.end()); }
    void Text(std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
    // Overwrites 4 bytes at an earlier position (sizes known only afterwards).
    void PatchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return bytes.size(); }

    std::vector<std::uint8_t> bytes;

private:
    void Little(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
};

}  // namespace orb
