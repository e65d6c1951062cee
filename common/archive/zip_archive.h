// ALArchive: a ZIP file as the programs use it: made from one file, its central
// directory read, every member extracted.
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engines.h"
#include "progress.h"
#include "status.h"
#include "storage.h"

namespace orb {

// One directory entry. Its storage carries the member name, the expanded size,
// time, attributes and the status of the entry's extraction.
struct ALEntry {
    std::unique_ptr<ALStorage> storage;
    std::int64_t compressedSize = 0;
    std::uint32_t crc = 0;
    std::int64_t localHeaderOffset = 0;
    bool mark = false;
    bool encrypted = false;
    int engine = kEngineCopy;  // 0 stored, 108 + deflate option, -1 unknown method
    std::string comment;
    std::unique_ptr<ALDecompressor> decompressor;
};

class ALArchive {
public:
    explicit ALArchive(std::string path) : storage_(std::move(path)) {}

    // Writes a new archive at the path holding `file` under `memberName`,
    // deflated. The archive is built beside the path and replaces it only when
    // complete, so a failure leaves any earlier archive in place.
    int Create(const std::string& file, const std::string& memberName, const ALProgress& progress);
    // Reads the central directory into `entries`.
    int ReadDirectory();
    // Extracts every entry into `folder`; the number extracted, or the first
    // entry's error code.
    int ExtractAll(const std::filesystem::path& folder, bool stripPaths, const ALProgress& progress);

    const std::string& Name() const { return storage_.name; }
    std::vector<ALEntry> entries;
    std::string comment;
    ALStatus status;

private:
    int FindEndRecord(std::int64_t fileSize, std::int64_t& at);
    int ReadCentralRecord(std::int64_t& position, std::int64_t endRecord);
    int ExtractEntry(ALEntry& entry, const std::filesystem::path& folder, bool stripPaths,
                     const ALProgress& progress);
    int TakeStorageError(const ALStorage& from);

    ALStorage storage_;
    std::int64_t fileSize_ = 0;
};

}  // namespace orb
