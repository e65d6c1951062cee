#include "archive.h"

#include "member_name.h"

namespace orb {

int CompressFileToArchive(const std::string& archivePath, const std::string& filePath, bool stripPaths,
                          const ALProgress& progress) {
    ALArchive archive(archivePath);
    return archive.Create(filePath, MemberNameForFile(filePath, stripPaths), progress);
}

std::unique_ptr<ArchiveDirectory> ReadArchiveDirectory(const std::string& archivePath, int& entryCount, int& status,
                                                       std::string* detail) {
    auto archive = std::make_unique<ALArchive>(archivePath);
    entryCount = 0;
    status = archive->ReadDirectory();
    if (detail) *detail = archive->status.Text();
    if (status < 0) return nullptr;

    auto listing = std::make_unique<ArchiveDirectory>();
    for (const ALEntry& entry : archive->entries) {
        ArchiveListingEntry item;
        item.name = entry.storage->name;
        item.comment = entry.comment;
        item.size = entry.storage->size;
        item.compressedSize = entry.compressedSize;
        item.timeDate = entry.storage->timeDate.value_or(ALTimeDate{});
        item.attributes = entry.storage->attributes;
        item.engine = entry.engine >= kEngineDeflate ? 1 + (entry.engine - kEngineDeflate) : entry.engine;
        listing->entries.push_back(std::move(item));
    }
    entryCount = static_cast<int>(listing->entries.size());
    listing->archiveName = archive->Name();
    listing->archiveComment = archive->comment;
    listing->archive = std::move(archive);
    return listing;
}

int ExtractAll(ArchiveDirectory& listing, const std::filesystem::path& folder, bool stripPaths,
               const ALProgress& progress) {
    if (!listing.archive) return AL_MISSING_OBJECT;
    return listing.archive->ExtractAll(folder, stripPaths, progress);
}

void FreeArchiveDirectory(std::unique_ptr<ArchiveDirectory>& listing) { listing.reset(); }

}  // namespace orb
