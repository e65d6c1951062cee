// Builds small ZIP files byte by byte for tests: any member name, stored or
// deflated data, and room to lie about sizes and checks.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/io/byte_writer.h"

namespace orb::test {

struct TestMember {
    std::string name;
    std::string data;
    bool deflate = false;
    std::int64_t claimedCompressedSize = -1;  // -1: the true size
    std::int64_t claimedSize = -1;
    std::int64_t claimedCrc = -1;
};

inline std::vector<std::uint8_t> RawDeflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(deflateBound(&z, data.size()) + 16);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::vector<std::uint8_t> BuildZip(const std::vector<TestMember>& members) {
    ByteWriter file, directory;
    for (const TestMember& m : members) {
        std::vector<std::uint8_t> body = m.deflate ? RawDeflate(m.data) : std::vector<std::uint8_t>(m.data.begin(), m.data.end());
        std::uint32_t crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size())));
        if (m.claimedCrc >= 0) crc = static_cast<std::uint32_t>(m.claimedCrc);
        std::uint32_t csize = static_cast<std::uint32_t>(m.claimedCompressedSize >= 0 ? m.claimedCompressedSize : body.size());
        std::uint32_t usize = static_cast<std::uint32_t>(m.claimedSize >= 0 ? m.claimedSize : m.data.size());
        std::uint32_t offset = static_cast<std::uint32_t>(file.Size());
        auto common = [&](ByteWriter& w) {
            w.U16(m.deflate ? 8 : 0);
            w.U16(0x6000);  // 12:00:00
            w.U16(0x5A21);  // 2025-01-01
            w.U32(crc);
            w.U32(csize);
            w.U32(usize);
            w.U16(static_cast<std::uint16_t>(m.name.size()));
            w.U16(0);
        };
        file.U32(0x04034B50);
        file.U16(20);
        file.U16(0);
        common(file);
        file.Text(m.name);
        file.Bytes(body);
        directory.U32(0x02014B50);
        directory.U16(20);
        directory.U16(20);
        directory.U16(0);
        common(directory);
        directory.U16(0);
        directory.U16(0);
        directory.U16(0);
        directory.U32(0x20);
        directory.U32(offset);
        directory.Text(m.name);
    }
    std::uint32_t directoryOffset = static_cast<std::uint32_t>(file.Size());
    file.Bytes(directory.bytes);
    file.U32(0x06054B50);
    file.U16(0);
    file.U16(0);
    file.U16(static_cast<std::uint16_t>(members.size()));
    file.U16(static_cast<std::uint16_t>(members.size()));
    file.U32(static_cast<std::uint32_t>(directory.Size()));
    file.U32(directoryOffset);
    file.U16(0);
    return file.bytes;
}

}  // namespace orb::test
