// The four archive operations the programs use.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dos_time.h"
#include "progress.h"
#include "storage.h"
#include "zip_archive.h"

namespace orb {

struct ArchiveListingEntry {
    std::string name;
    std::string comment;
    std::int64_t size = 0;
    std::int64_t compressedSize = 0;
    ALTimeDate timeDate;
    ALAttributes attributes;
    int engine = 0;  // 0 stored, otherwise 1 + the deflate option
};

// What ReadArchiveDirectory returns: one item per entry, the archive's own name
// and comment, and the open archive that ExtractAll works on.
struct ArchiveDirectory {
    std::vector<ArchiveListingEntry> entries;
    std::string archiveName;
    std::string archiveComment;
    std::unique_ptr<ALArchive> archive;
};

// A new archive at `archivePath` holding `filePath` deflated ("Deflate Normal");
// with `stripPaths` the member is named by the file's name alone. 0 or a negative
// status code.
int CompressFileToArchive(const std::string& archivePath, const std::string& filePath, bool stripPaths,
                          const ALProgress& progress = {});

// The archive's directory, or nothing when it cannot be read (`status` then
// holds the code; with `detail` given, also its text).
std::unique_ptr<ArchiveDirectory> ReadArchiveDirectory(const std::string& archivePath, int& entryCount,
                                                       int& status, std::string* detail = nullptr);

// Extracts every entry into `folder` (created when missing). The number of
// extracted entries, or the first error code.
int ExtractAll(ArchiveDirectory& listing, const std::filesystem::path& folder, bool stripPaths = false,
               const ALProgress& progress = {});

// Releases the listing and closes the archive (also done by its destructor).
void FreeArchiveDirectory(std::unique_ptr<ArchiveDirectory>& listing);

}  // namespace orb
