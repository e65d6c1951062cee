#include "authoring/win32/avi_clip.h"

#include <windows.h>
#include <vfw.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "authoring/win32/progress_dialog.h"
#include "authoring/win32/report_box.h"

namespace orb {
namespace {

// AVIFileInit and AVIFileExit around one use.
class AviLibrary {
public:
    explicit AviLibrary(const AviServices& avi) : avi_(avi) { avi_.init(); }
    ~AviLibrary() { avi_.exit(); }
    AviLibrary(const AviLibrary&) = delete;
    AviLibrary& operator=(const AviLibrary&) = delete;

private:
    const AviServices& avi_;
};

// Owns one handle of the services and gives it back through `release`.
template <class Handle, class Result>
class AviHandle {
public:
    AviHandle(Handle handle, Result(WINAPI* release)(Handle)) : handle_(handle), release_(release) {}
    ~AviHandle() {
        if (handle_) release_(handle_);
    }
    AviHandle(const AviHandle&) = delete;
    AviHandle& operator=(const AviHandle&) = delete;
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_;
    Result(WINAPI* release_)(Handle);
};

// Shows why the clip cannot be read; the reader then gives up.
bool Refuse(const std::string& message, const std::string& path) {
    ReportError(message, path);
    return false;
}

std::string FrameName(const std::string& path, std::int32_t position) {
    std::string base = path.size() >= 4 ? path.substr(0, path.size() - 4) : path;
    return base + std::to_string(position) + ".bmp";
}

// Bytes of a frame block: header, colour table, rows. 0 when it cannot be sized.
std::size_t FrameBlockBytes(const BITMAPINFOHEADER& header) {
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biBitCount == 0) return 0;
    std::size_t colours = header.biBitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount) : 0;
    std::uint64_t stride = (static_cast<std::uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    std::uint64_t rows = static_cast<std::uint64_t>(std::abs(header.biHeight));
    std::uint64_t total = header.biSize + colours * 4 + stride * rows;
    return total > 0x40000000u ? 0 : static_cast<std::size_t>(total);
}

}  // namespace

const AviServices& SystemAvi() {
    static const AviServices services{AVIFileInit,      AVIFileExit,           AVIFileOpenA,       AVIFileInfoA,
                                      AVIFileGetStream, AVIStreamInfoA,        AVIStreamStart,     AVIStreamLength,
                                      AVIStreamRead,    AVIStreamGetFrameOpen, AVIStreamGetFrame,  AVIStreamGetFrameClose,
                                      AVIFileRelease,   AVIStreamRelease};
    return services;
}

std::int32_t AviSamplePosition(int k, int n, std::int32_t start, std::int32_t length) {
    if (n <= 0) return 0;
    double step = static_cast<double>(start + length - 1) / n;
    return static_cast<std::int32_t>(k * step);
}

bool ReadAviClip(AviClip& clip, const std::string& path, int n, FrameList* frames, AviRead mode, HWND owner,
                 const AviServices& avi) {
    clip.path = path;
    AviLibrary library(avi);
    IAVIFile* rawFile = nullptr;
    HRESULT result = avi.open(&rawFile, path.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr);
    AviHandle file(rawFile, avi.fileRelease);
    if (result != 0) {
        const char* message = result == AVIERR_BADFORMAT      ? "Corrupt file or unrecognised format"
                              : result == AVIERR_MEMORY       ? "Insufficient memory to open file"
                              : result == REGDB_E_CLASSNOTREG ? "No handler exists to process this AVI file"
                                                              : "Error occurred while trying to open AVI file";
        return Refuse(message, path);
    }
    if (!file) return Refuse("File is not a recognised AVI format", path);
    AVIFILEINFOA info{};
    if (avi.fileInfo(file.get(), &info, sizeof info) != 0)
        return Refuse("Unspecified error while reading AVI file information", path);
    clip.fileType = info.szFileType;
    clip.needsDecompression = !(info.dwCaps & AVIFILECAPS_NOCOMPRESSION);
    clip.width = static_cast<std::int32_t>(info.dwWidth);
    clip.height = static_cast<std::int32_t>(info.dwHeight);
    clip.frameRate = info.dwScale ? static_cast<std::int32_t>(
                                        std::floor(static_cast<double>(info.dwRate) / info.dwScale + 0.5))
                                  : 0;
    clip.length = static_cast<std::int32_t>(info.dwLength);
    // A rate that rounds to 0 has no duration to show.
    clip.duration = clip.frameRate > 0 ? clip.length / clip.frameRate : 0;

    IAVIStream* rawStream = nullptr;
    result = avi.getStream(file.get(), &rawStream, streamtypeVIDEO, 0);
    AviHandle stream(rawStream, avi.streamRelease);
    if (result == AVIERR_MEMORY) return Refuse("Insufficient memory to load video data", path);
    clip.hasVideo = static_cast<bool>(stream);
    if (!stream) {
        if (mode == AviRead::Information) return true;
        return Refuse("Stream does not contain video data", path);
    }
    AVISTREAMINFOA streamInfo{};
    if (avi.streamInfo(stream.get(), &streamInfo, sizeof streamInfo) != 0 || streamInfo.fccType != streamtypeVIDEO)
        return Refuse("Stream does not contain video data", path);
    if (mode == AviRead::Information) return true;
    if (!frames) return false;

    std::int32_t start = avi.streamStart(stream.get());
    std::int32_t length = avi.streamLength(stream.get());
    std::int32_t last = start + length - 1;
    int count = mode == AviRead::Preview ? 1 : n;
    if (count <= 0) return Refuse("No frames to read from the AVI file", path);
    ProgressDialog progress(owner, "Loading AVI", count);
    // `result` is the stream lookup's answer until the first read.
    for (int c = 1; c <= count; ++c) {
        std::int32_t position = mode == AviRead::Preview ? n : AviSamplePosition(c - 1, count, start, length);
        LONG bytes = 0, samples = 0;
        if (result == AVIERR_FILEREAD) return Refuse("Error reading AVI file", path);
        result = avi.read(stream.get(), position, 1, nullptr, 0, &bytes, &samples);
        if (samples == 0 && result != AVIERR_FILEREAD) {
            ReportInformation("AVIStreamRead reported no samples read: stream is empty? or ended?", path);
            return false;
        }
        if (result == AVIERR_FILEREAD) return Refuse("Error reading AVI file", path);
        if (bytes == 0) return Refuse("Corrupt AVI frame retrieved from stream (case 1); aborting", path);
        std::vector<std::uint8_t> sample(static_cast<std::size_t>(bytes));
        result = avi.read(stream.get(), position, 1, sample.data(), bytes, nullptr, nullptr);
        if (result == AVIERR_FILEREAD) {
            char message[128];
            std::snprintf(message, sizeof message, "Error reading AVI file, frame %ld of %ld\n",
                          static_cast<long>(position), static_cast<long>(last));
            return Refuse(message, path);
        }
        if (result == AVIERR_MEMORY) return Refuse("Insufficient memory for frame", path);
        // The system's decompressor always gives a frame block in the same layout,
        // so it is used for clips that claim to hold uncompressed data too.
        AviHandle decoder(avi.frameOpen(stream.get(), nullptr), avi.frameClose);
        if (!decoder) return Refuse("Unable to locate a decompressor for the specified output bitmap", path);
        auto* header = static_cast<BITMAPINFOHEADER*>(avi.frame(decoder.get(), position));
        if (!header) return Refuse("AVI frame decompression failed: unknown cause", path);
        std::size_t blockBytes = FrameBlockBytes(*header);
        if (blockBytes == 0) return Refuse("Corrupt AVI frame retrieved from stream (case 2); aborting", path);
        WORD bits = header->biBitCount;
        if (bits == 32) return Refuse("Orbellan does not support 32bit AVI frames", path);
        if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24)
            return Refuse("AVI frame corrupt or unsupported bit depth; aborting", path);
        GXDrawingSurface frame;
        std::span<const std::uint8_t> block(reinterpret_cast<const std::uint8_t*>(header), blockBytes);
        if (!frame.FromPackedDib(block, FrameName(path, position)))
            return Refuse("Corrupt AVI frame retrieved from stream (case 2); aborting", path);
        frame.AppendCopy(*frames);
        progress.Step("Frame: " + std::to_string(c) + "\n");
    }
    return true;
}

}  // namespace orb
