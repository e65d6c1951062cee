#include "zip_archive.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <system_error>

#include "common/io/byte_reader.h"
#include "common/io/byte_writer.h"
#include "member_name.h"

namespace orb {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr std::uint32_t kEndSignature = 0x06054B50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::int64_t kEndSearchSpan = 66000;
constexpr std::size_t kEndSearchBlock = 256;
constexpr std::int64_t kZipLimit = 0xFFFFFFFFll;

bool IsEndSignature(const std::uint8_t* p) { return p[0] == 0x50 && p[1] == 0x4B && p[2] == 0x05 && p[3] == 0x06; }

struct MemberFields {
    std::uint16_t flags = 0;
    std::uint16_t method = 8;
    std::uint16_t time = 0;
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
};

// The run both the local header and the central record carry, from the flags to
// the name length.
void WriteMemberFields(ByteWriter& out, const MemberFields& m, const std::string& name) {
    out.U16(m.flags);
    out.U16(m.method);
    out.U16(m.time);
    out.U16(m.date);
    out.U32(m.crc);
    out.U32(m.compressedSize);
    out.U32(m.size);
    out.U16(static_cast<std::uint16_t>(name.size()));
}

void WriteLocalHeader(ByteWriter& out, const MemberFields& m, const std::string& name) {
    out.U32(kLocalSignature);
    out.U16(20);
    WriteMemberFields(out, m, name);
    out.U16(0);
    out.Text(name);
}

void WriteCentralRecord(ByteWriter& out, const MemberFields& m, const std::string& name,
                        std::uint32_t externalAttributes, std::uint32_t localOffset) {
    out.U32(kCentralSignature);
    out.U16(20);
    out.U16(20);
    WriteMemberFields(out, m, name);
    out.U16(0);  // extra
    out.U16(0);  // comment
    out.U16(0);  // disk
    out.U16(0);  // internal attributes
    out.U32(externalAttributes);
    out.U32(localOffset);
    out.Text(name);
}

void WriteEndRecord(ByteWriter& out, std::uint16_t count, std::uint32_t directorySize, std::uint32_t directoryOffset) {
    out.U32(kEndSignature);
    out.U16(0);
    out.U16(0);
    out.U16(count);
    out.U16(count);
    out.U32(directorySize);
    out.U32(directoryOffset);
    out.U16(0);
}

}  // namespace

int ALArchive::TakeStorageError(const ALStorage& from) {
    return status.Set(from.status.Code(), ALFormat("%s: %s", from.name.c_str(), from.status.Text().c_str()));
}

int ALArchive::Create(const std::string& file, const std::string& memberName, const ALProgress& progress) {
    if (memberName.empty() || memberName.size() > 0xFFFF)
        return status.Set(AL_MISSING_OBJECT, "No storage object for compression engine");
    ALStorage input(file);
    if (input.Open() < 0) return TakeStorageError(input);

    const std::string finalName = storage_.name;
    ALStorage out(finalName + ".tmp~");
    auto fail = [&](int code) {
        out.Close();
        std::error_code ignored;
        std::filesystem::remove(out.name, ignored);
        return code;
    };
    if (out.Create() < 0) return fail(TakeStorageError(out));

    MemberFields m;
    if (input.timeDate) {
        m.time = DosTime(*input.timeDate);
        m.date = DosDate(*input.timeDate);
    }
    ByteWriter placeholder;
    WriteLocalHeader(placeholder, m, memberName);
    if (out.Write(placeholder.bytes) < 0) return fail(TakeStorageError(out));

    input.ResetCrc();
    ALDeflateEngine deflater;
    if (deflater.Compress(input, out, progress) < 0)
        return fail(status.Set(deflater.status.Code(), deflater.status.Text()));
    const std::int64_t dataEnd = out.Tell();
    const std::int64_t expanded = input.Tell();
    const std::int64_t compressed = dataEnd - static_cast<std::int64_t>(placeholder.Size());
    if (expanded < 0 || compressed < 0 || expanded >= kZipLimit || dataEnd >= kZipLimit)
        return fail(status.Set(AL_WRITE_ERROR, ALFormat("Write failure on %s.  result = %d, errno = %d",
                                                        out.name.c_str(), -1, EFBIG)));
    m.crc = input.Crc();
    m.size = static_cast<std::uint32_t>(expanded);
    m.compressedSize = static_cast<std::uint32_t>(compressed);

    ByteWriter header;
    WriteLocalHeader(header, m, memberName);
    ByteWriter directory;
    WriteCentralRecord(directory, m, memberName, input.attributes.ToDos(), 0);
    ByteWriter end;
    WriteEndRecord(end, 1, static_cast<std::uint32_t>(directory.Size()), static_cast<std::uint32_t>(dataEnd));
    if (out.Seek(0) < 0 || out.Write(header.bytes) < 0 || out.Seek(dataEnd) < 0 || out.Write(directory.bytes) < 0 ||
        out.Write(end.bytes) < 0 || out.Close() < 0)
        return fail(TakeStorageError(out));

    std::error_code ec;
    std::filesystem::rename(out.name, finalName, ec);
    if (ec)
        return fail(status.Set(AL_RENAME_ERROR, ALFormat("Error renaming %s to %s.  errno = %d", out.name.c_str(),
                                                         finalName.c_str(), ec.value())));
    return AL_SUCCESS;
}

int ALArchive::FindEndRecord(std::int64_t fileSize, std::int64_t& at) {
    const std::int64_t limit = fileSize - std::min(fileSize, kEndSearchSpan);
    std::array<std::uint8_t, kEndSearchBlock + 3> block{};
    std::size_t carried = 0;  // first bytes of the later block, kept for straddling signatures
    std::array<std::uint8_t, 3> carry{};
    for (std::int64_t position = fileSize; position > limit;) {
        const std::int64_t start = std::max(limit, position - static_cast<std::int64_t>(kEndSearchBlock));
        const std::size_t count = static_cast<std::size_t>(position - start);
        if (storage_.Seek(start) < 0) return TakeStorageError(storage_);
        if (storage_.Read(std::span(block.data(), count)) != count) {
            if (!storage_.status.Failed())
                storage_.status.Set(AL_READ_ERROR, ALFormat("Read failure on %s.  errno = %d", Name().c_str(), 0));
            return TakeStorageError(storage_);
        }
        std::memcpy(block.data() + count, carry.data(), carried);
        for (std::size_t i = count + carried; i-- >= 4;) {
            const std::size_t offset = i - 3;
            if (offset < count && IsEndSignature(block.data() + offset) &&
                start + static_cast<std::int64_t>(offset + kEndRecordSize) <= fileSize) {
                at = start + static_cast<std::int64_t>(offset);
                return AL_SUCCESS;
            }
        }
        carried = std::min<std::size_t>(3, count);
        std::memcpy(carry.data(), block.data(), carried);
        position = start;
    }
    return status.Set(AL_NOT_A_ZIP, ALFormat("Can't locate end of central directory in ZIP file %s", Name().c_str()));
}

int ALArchive::ReadCentralRecord(std::int64_t& position, std::int64_t endRecord) {
    auto bad = [&] {
        return status.Set(AL_NOT_A_ZIP, ALFormat("Bad record in central directory of ZIP file %s", Name().c_str()));
    };
    std::array<std::uint8_t, kCentralHeaderSize> fixed{};
    if (position + static_cast<std::int64_t>(fixed.size()) > fileSize_ || storage_.Seek(position) < 0 ||
        storage_.Read(fixed) != fixed.size())
        return bad();
    ByteReader r(fixed);
    std::uint32_t signature, crc, compressedSize, size, externalAttributes, localOffset;
    std::uint16_t versions[2], flags, method, time, date, nameLength, extraLength, commentLength, disk, internal;
    r.ReadU32(signature);
    r.ReadU16(versions[0]);
    r.ReadU16(versions[1]);
    r.ReadU16(flags);
    r.ReadU16(method);
    r.ReadU16(time);
    r.ReadU16(date);
    r.ReadU32(crc);
    r.ReadU32(compressedSize);
    r.ReadU32(size);
    r.ReadU16(nameLength);
    r.ReadU16(extraLength);
    r.ReadU16(commentLength);
    r.ReadU16(disk);
    r.ReadU16(internal);
    r.ReadU32(externalAttributes);
    r.ReadU32(localOffset);

    const std::int64_t variable = std::int64_t(nameLength) + extraLength + commentLength;
    const std::int64_t next = position + static_cast<std::int64_t>(kCentralHeaderSize) + variable;
    // Every member's data lies before the directory: anything claiming more is a lie.
    if (next > endRecord || std::int64_t(localOffset) + std::int64_t(kLocalHeaderSize) + nameLength > endRecord ||
        std::int64_t(compressedSize) > endRecord - std::int64_t(localOffset) - std::int64_t(kLocalHeaderSize))
        return bad();

    std::string name(nameLength, '\0');
    std::string entryComment(commentLength, '\0');
    auto asBytes = [](std::string& s) { return std::span(reinterpret_cast<std::uint8_t*>(s.data()), s.size()); };
    if (storage_.Read(asBytes(name)) != name.size() || storage_.Seek(storage_.Tell() + extraLength) < 0 ||
        storage_.Read(asBytes(entryComment)) != entryComment.size())
        return bad();

    ALEntry entry;
    entry.encrypted = flags & 1;
    if (method == 8) entry.engine = kEngineDeflate + ((flags >> 1) & 3);
    else if (method == 0) entry.engine = kEngineCopy;
    else entry.engine = -1;
    entry.storage = std::make_unique<ALStorage>(std::move(name));
    entry.storage->timeDate = TimeDateFromDos(time, date);
    entry.storage->size = size;
    entry.storage->attributes = ALAttributes::FromDos(externalAttributes);
    entry.crc = crc;
    entry.compressedSize = compressedSize;
    entry.localHeaderOffset = localOffset;
    entry.comment = std::move(entryComment);
    entries.push_back(std::move(entry));
    position = next;
    return AL_SUCCESS;
}

int ALArchive::ReadDirectory() {
    entries.clear();
    if (storage_.Open() < 0) return TakeStorageError(storage_);
    fileSize_ = storage_.Length();
    if (fileSize_ < 0) return TakeStorageError(storage_);
    std::int64_t endRecord = 0;
    if (FindEndRecord(fileSize_, endRecord) < 0) return status.Code();

    std::array<std::uint8_t, kEndRecordSize> end{};
    if (storage_.Seek(endRecord) < 0 || storage_.Read(end) != end.size()) return TakeStorageError(storage_);
    ByteReader r(end);
    std::uint32_t signature, directorySize, directoryOffset;
    std::uint16_t disk, directoryDisk, count, total, commentLength;
    r.ReadU32(signature);
    r.ReadU16(disk);
    r.ReadU16(directoryDisk);
    r.ReadU16(count);
    r.ReadU16(total);
    r.ReadU32(directorySize);
    r.ReadU32(directoryOffset);
    r.ReadU16(commentLength);
    const std::int64_t commentRoom = fileSize_ - endRecord - static_cast<std::int64_t>(kEndRecordSize);
    comment.assign(static_cast<std::size_t>(std::min<std::int64_t>(commentLength, commentRoom)), '\0');
    storage_.Read(std::span(reinterpret_cast<std::uint8_t*>(comment.data()), comment.size()));

    if (std::int64_t(directoryOffset) > endRecord)
        return status.Set(AL_NOT_A_ZIP, ALFormat("Bad record in central directory of ZIP file %s", Name().c_str()));
    for (std::int64_t position = directoryOffset;;) {
        std::array<std::uint8_t, 4> signatureBytes{};
        if (storage_.Seek(position) < 0 || storage_.Read(signatureBytes) != signatureBytes.size())
            return status.Set(AL_NOT_A_ZIP, ALFormat("Bad record in central directory of ZIP file %s", Name().c_str()));
        if (IsEndSignature(signatureBytes.data())) break;
        if (ReadCentralRecord(position, endRecord) < 0) {
            entries.clear();
            return status.Code();
        }
    }
    return AL_SUCCESS;
}

int ALArchive::ExtractEntry(ALEntry& entry, const std::filesystem::path& folder, bool stripPaths,
                            const ALProgress& progress) {
    ALStorage& record = *entry.storage;
    const std::string name = stripPaths ? StripPath(record.name) : record.name;
    const std::optional<MemberPath> where = SafeMemberPath(name);
    if (!where)
        return record.status.Set(AL_OPEN_ERROR, ALFormat("Refused member %s of ZIP file %s: its name leads outside "
                                                         "the target folder",
                                                         record.name.c_str(), Name().c_str()));
    const std::filesystem::path target = folder / where->relative;
    if (where->directory) {
        std::error_code ec;
        std::filesystem::create_directories(target, ec);
        if (ec)
            return record.status.Set(AL_OPEN_ERROR, ALFormat("File creation failure.  Open of %s returned errno = %d",
                                                             target.string().c_str(), ec.value()));
        return AL_SUCCESS;
    }

    std::array<std::uint8_t, kLocalHeaderSize> header{};
    if (storage_.Seek(entry.localHeaderOffset) < 0 || storage_.Read(header) != header.size())
        return record.status.Set(AL_READ_ERROR, ALFormat("Read failure on %s.  errno = %d", Name().c_str(), 0));
    ByteReader r(header);
    std::uint32_t signature = 0;
    std::uint16_t nameLength = 0, extraLength = 0;
    r.ReadU32(signature);
    r.Seek(26);
    r.ReadU16(nameLength);
    r.ReadU16(extraLength);
    const std::int64_t dataStart = entry.localHeaderOffset + std::int64_t(kLocalHeaderSize) + nameLength + extraLength;
    if (signature != kLocalSignature || dataStart + entry.compressedSize > fileSize_)
        return record.status.Set(AL_NOT_A_ZIP,
                                 ALFormat("Bad local header for %s in ZIP file %s", record.name.c_str(), Name().c_str()));
    if (!entry.decompressor)
        return record.status.Set(AL_MISSING_ENGINE, "Attempt to decompress without a decompressor");
    if (storage_.Seek(dataStart) < 0) return record.status.Set(storage_.status.Code(), storage_.status.Text());

    ALStorage output(target.string());
    output.timeDate = record.timeDate;
    if (output.Create() < 0) return record.status.Set(output.status.Code(), output.status.Text());
    int rc = entry.decompressor->Decompress(storage_, output, entry.compressedSize, record.size, progress);
    output.Close();
    if (rc < 0) return record.status.Set(rc, entry.decompressor->status.Text());
    if (output.status.Failed()) return record.status.Set(output.status.Code(), output.status.Text());
    if (output.Crc() != entry.crc)
        return record.status.Set(AL_CRC_ERROR, ALFormat("CRC32 was supposed to be %08lx, was %08lx",
                                                        static_cast<unsigned long>(entry.crc),
                                                        static_cast<unsigned long>(output.Crc())));
    return AL_SUCCESS;
}

int ALArchive::ExtractAll(const std::filesystem::path& folder, bool stripPaths, const ALProgress& progress) {
    for (ALEntry& entry : entries) {
        entry.decompressor = CreateDecompressor(entry.engine);
        entry.mark = !entry.encrypted;
    }
    int extracted = 0;
    for (ALEntry& entry : entries) {
        if (!entry.mark) continue;
        if (ExtractEntry(entry, folder, stripPaths, progress) == AL_SUCCESS) ++extracted;
    }
    for (const ALEntry& entry : entries)
        if (entry.storage->status.Failed()) return TakeStorageError(*entry.storage);
    return extracted;
}

}  // namespace orb
