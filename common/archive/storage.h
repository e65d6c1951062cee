// ALStorage: a named file read and written through a 4096-byte buffer, keeping a
// running CRC-32 of every byte that passes through and its own status.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "dos_time.h"
#include "status.h"

namespace orb {

struct ALAttributes {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
    bool directory = false;

    // DOS attribute bits as ZIP's external attributes carry them.
    static ALAttributes FromDos(std::uint32_t bits);
    std::uint32_t ToDos() const;
};

class ALStorage {
public:
    static constexpr std::size_t kBufferSize = 4096;

    explicit ALStorage(std::string name) : name(std::move(name)) {}
    ALStorage(const ALStorage&) = delete;
    ALStorage& operator=(const ALStorage&) = delete;
    ~ALStorage() { Close(); }

    // Opens an existing file for reading and writing, or for reading only when
    // writing is refused; fills in size, time and attributes.
    int Open();
    // Creates (or truncates) the file, making every missing folder of its path.
    int Create();
    // Closes the file; when the storage was given an entry time, the file takes it.
    int Close();

    // Reads up to out.size() bytes; returns the count (0 at the end or on error,
    // the status tells which).
    std::size_t Read(std::span<std::uint8_t> out);
    int Write(std::span<const std::uint8_t> data);
    int Seek(std::int64_t position);
    std::int64_t Tell();
    // The file's current length (the position is kept).
    std::int64_t Length();

    bool IsOpen() const { return file_ != nullptr; }
    void ResetCrc() { crc_ = 0; }
    std::uint32_t Crc() const { return crc_; }

    std::string name;
    std::int64_t size = -1;
    std::optional<ALTimeDate> timeDate;
    ALAttributes attributes;
    ALStatus status;

private:
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::uint32_t crc_ = 0;
};

}  // namespace orb
