// Bounds-checked little-endian reading over a byte span. Every read says whether
// the bytes were there; nothing ever reads past the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace orb {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : bytes_(bytes), position_(position <= bytes.size() ? position : bytes.size()) {}

    std::size_t Position() const { return position_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

    // Moves to an absolute position; false (and no move) when it lies past the end.
    bool Seek(std::size_t position) {
        if (position > bytes_.size()) return false;
        position_ = position;
        return true;
    }
    bool Skip(std::size_t count) {
        if (count > Remaining()) return false;
        position_ += count;
        return true;
    }

    bool ReadU8(std::uint8_t& value) { return ReadLittle(value); }
    bool ReadU16(std::uint16_t& value) { return ReadLittle(value); }
    bool ReadI16(std::int16_t& value) { return ReadLittle(value); }
    bool ReadU32(std::uint32_t& value) { return ReadLittle(value); }
    bool ReadI32(std::int32_t& value) { return ReadLittle(value); }

    // A view of the next `count` bytes; empty-and-false when fewer remain.
    bool ReadSpan(std::size_t count, std::span<const std::uint8_t>& out) {
        if (count > Remaining()) return false;
        out = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }
    bool ReadInto(std::span<std::uint8_t> out) {
        if (out.size() > Remaining()) return false;
        if (!out.empty()) std::memcpy(out.data(), bytes_.data() + position_, out.size());
        position_ += out.size();
        return true;
    }

private:
    template <typename T>
    bool ReadLittle(T& value) {
        if (sizeof(T) > Remaining()) return false;
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            v |= std::uint64_t(bytes_[position_ + i]) << (8 * i);
        value = static_cast<T>(v);
        position_ += sizeof(T);
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
};

}  // namespace orb
