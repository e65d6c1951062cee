#include "storage.h"

#include <sys/stat.h>
#include <utime.h>
#include <zlib.h>

#include <cerrno>
#include <climits>
#include <filesystem>

namespace orb {

ALAttributes ALAttributes::FromDos(std::uint32_t bits) {
    ALAttributes a;
    a.readOnly = bits & 0x01;
    a.hidden = bits & 0x02;
    a.system = bits & 0x04;
    a.directory = bits & 0x10;
    a.archive = bits & 0x20;
    return a;
}

std::uint32_t ALAttributes::ToDos() const {
    return (readOnly ? 0x01u : 0u) | (hidden ? 0x02u : 0u) | (system ? 0x04u : 0u) |
           (directory ? 0x10u : 0u) | (archive ? 0x20u : 0u);
}

int ALStorage::Open() {
    Close();
    file_ = std::fopen(name.c_str(), "r+b");
    if (!file_ && (errno == EACCES || errno == EPERM || errno == EROFS)) file_ = std::fopen(name.c_str(), "rb");
    if (!file_)
        return status.Set(AL_OPEN_ERROR,
                          ALFormat("File open failure.  Open of %s returned errno = %d", name.c_str(), errno));
    buffer_ = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(file_, buffer_.get(), _IOFBF, kBufferSize);
    struct stat info {};
    if (stat(name.c_str(), &info) != 0)
        return status.Set(AL_OPEN_ERROR, ALFormat("Couldn't get time, date, and size information for %s.  errno = %d.",
                                                  name.c_str(), errno));
    size = static_cast<std::int64_t>(info.st_size);
    timeDate = TimeDateFromTime(info.st_mtime);
    attributes = ALAttributes{};
    attributes.readOnly = (info.st_mode & S_IWUSR) == 0;
    attributes.archive = true;
    attributes.directory = (info.st_mode & S_IFMT) == S_IFDIR;
    crc_ = 0;
    return AL_SUCCESS;
}

int ALStorage::Create() {
    Close();
    file_ = std::fopen(name.c_str(), "w+b");
    if (!file_) {
        std::error_code ignored;
        std::filesystem::path parent = std::filesystem::path(name).parent_path();
        if (!parent.empty() && !std::filesystem::exists(parent, ignored)) {
            std::filesystem::create_directories(parent, ignored);
            file_ = std::fopen(name.c_str(), "w+b");
        }
    }
    if (!file_)
        return status.Set(AL_OPEN_ERROR,
                          ALFormat("File creation failure.  Open of %s returned errno = %d", name.c_str(), errno));
    buffer_ = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(file_, buffer_.get(), _IOFBF, kBufferSize);
    crc_ = 0;
    return AL_SUCCESS;
}

int ALStorage::Close() {
    if (!file_) return status.Code();
    bool wrote_ok = std::fflush(file_) == 0;
    int saved = errno;
    if (std::fclose(file_) != 0) wrote_ok = false;
    file_ = nullptr;
    buffer_.reset();
    if (!wrote_ok && !status.Failed())
        status.Set(AL_WRITE_ERROR, ALFormat("Write failure on %s.  result = %d, errno = %d", name.c_str(), -1, saved));
    if (timeDate && !status.Failed()) {
        utimbuf times{};
        times.actime = times.modtime = TimeFromTimeDate(*timeDate);
        utime(name.c_str(), &times);
    }
    return status.Code();
}

std::size_t ALStorage::Read(std::span<std::uint8_t> out) {
    if (!file_ || out.empty()) return 0;
    std::size_t got = std::fread(out.data(), 1, out.size(), file_);
    if (got < out.size() && std::ferror(file_))
        status.Set(AL_READ_ERROR, ALFormat("Read failure on %s.  errno = %d", name.c_str(), errno));
    crc_ = static_cast<std::uint32_t>(crc32(crc_, out.data(), static_cast<uInt>(got)));
    return got;
}

int ALStorage::Write(std::span<const std::uint8_t> data) {
    if (!file_) return status.Set(AL_WRITE_ERROR, ALFormat("Write failure on %s.  result = %d, errno = %d",
                                                           name.c_str(), 0, EBADF));
    if (data.empty()) return AL_SUCCESS;
    std::size_t put = std::fwrite(data.data(), 1, data.size(), file_);
    if (put != data.size())
        return status.Set(AL_WRITE_ERROR, ALFormat("Write failure on %s.  result = %d, errno = %d", name.c_str(),
                                                   static_cast<int>(put), errno));
    crc_ = static_cast<std::uint32_t>(crc32(crc_, data.data(), static_cast<uInt>(data.size())));
    return AL_SUCCESS;
}

int ALStorage::Seek(std::int64_t position) {
    if (!file_ || position < 0 || position > LONG_MAX || std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0)
        return status.Set(AL_SEEK_ERROR, ALFormat("Seek failure on %s.  errno = %d", name.c_str(), errno));
    return AL_SUCCESS;
}

std::int64_t ALStorage::Tell() { return file_ ? std::ftell(file_) : -1; }

std::int64_t ALStorage::Length() {
    if (!file_) return -1;
    long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end;
}

}  // namespace orb
