#include "engines.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace orb {

int ProgressPercent(std::int64_t start, std::int64_t position, std::int64_t total) {
    if (total <= 0) return -1;
    if (total > 999999) return static_cast<int>((position - start) / (total / 100));
    return static_cast<int>((position - start) * 100 / total);
}

namespace {

void Report(const ALProgress& progress, const ALStorage& storage, std::int64_t done, std::int64_t total) {
    if (progress) progress(storage.name, ProgressPercent(0, done, total));
}

// Takes the first error among the engine's storages into the engine's status.
int Fail(ALStatus& status, const ALStorage& storage) { return status.Set(storage.status.Code(), storage.status.Text()); }

int ReadFailure(ALStatus& status, ALStorage& input) {
    if (!input.status.Failed())
        input.status.Set(AL_READ_ERROR, ALFormat("Read failure on %s.  errno = %d", input.name.c_str(), 0));
    return Fail(status, input);
}

}  // namespace

int ALDeflateEngine::Compress(ALStorage& input, ALStorage& output, const ALProgress& progress) {
    z_stream z{};
    int rc = deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    if (rc != Z_OK) return status.Set(AL_MISSING_ENGINE, ALFormat("Error creating deflate engine. ZLIB returned %d\n", rc));
    std::vector<std::uint8_t> in(ALStorage::kBufferSize), out(ALStorage::kBufferSize);
    const std::int64_t total = input.size;
    std::int64_t consumed = 0;
    int flush = Z_NO_FLUSH;
    int result = AL_SUCCESS;
    while (result == AL_SUCCESS) {
        if (z.avail_in == 0 && flush == Z_NO_FLUSH) {
            std::size_t got = input.Read(in);
            if (input.status.Failed()) {
                result = Fail(status, input);
                break;
            }
            consumed += static_cast<std::int64_t>(got);
            Report(progress, input, consumed, total);
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(got);
            if (got == 0) flush = Z_FINISH;
        }
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        rc = deflate(&z, flush);
        std::size_t produced = out.size() - z.avail_out;
        if (output.Write(std::span(out.data(), produced)) < 0) result = Fail(status, output);
        else if (rc == Z_STREAM_END) break;
    }
    deflateEnd(&z);
    return result;
}

int ALCopyEngine::Decompress(ALStorage& input, ALStorage& output, std::int64_t compressedSize, std::int64_t,
                             const ALProgress& progress) {
    std::vector<std::uint8_t> block(ALStorage::kBufferSize);
    std::int64_t done = 0;
    while (done < compressedSize) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(compressedSize - done, block.size()));
        std::size_t got = input.Read(std::span(block.data(), want));
        if (got != want) return ReadFailure(status, input);
        if (output.Write(std::span(block.data(), got)) < 0) return Fail(status, output);
        done += static_cast<std::int64_t>(got);
        Report(progress, output, done, compressedSize);
    }
    return AL_SUCCESS;
}

int ALInflateEngine::Decompress(ALStorage& input, ALStorage& output, std::int64_t compressedSize,
                                std::int64_t expandedSize, const ALProgress& progress) {
    z_stream z{};
    int rc = inflateInit2(&z, -15);
    if (rc != Z_OK) return status.Set(AL_MISSING_ENGINE, ALFormat("Error creating inflate engine. ZLIB returned %d\n", rc));
    std::vector<std::uint8_t> in(ALStorage::kBufferSize), out(ALStorage::kBufferSize);
    std::int64_t consumed = 0, written = 0;
    int result = AL_SUCCESS;
    for (;;) {
        if (z.avail_in == 0) {
            if (consumed == compressedSize) {
                result = status.Set(AL_CRC_ERROR, ALFormat("Compressed data of %s ends too soon", output.name.c_str()));
                break;
            }
            std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(compressedSize - consumed, in.size()));
            std::size_t got = input.Read(std::span(in.data(), want));
            if (got != want) {
                result = ReadFailure(status, input);
                break;
            }
            consumed += static_cast<std::int64_t>(got);
            Report(progress, output, consumed, compressedSize);
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(got);
        }
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            result = status.Set(AL_CRC_ERROR,
                                ALFormat("Corrupt compressed data in %s.  ZLIB returned %d", output.name.c_str(), rc));
            break;
        }
        std::size_t produced = out.size() - z.avail_out;
        written += static_cast<std::int64_t>(produced);
        if (expandedSize >= 0 && written > expandedSize) {
            result = status.Set(AL_CRC_ERROR, ALFormat("%s expands beyond its recorded size of %lld bytes",
                                                       output.name.c_str(), static_cast<long long>(expandedSize)));
            break;
        }
        if (output.Write(std::span(out.data(), produced)) < 0) {
            result = Fail(status, output);
            break;
        }
        if (rc == Z_STREAM_END) break;
    }
    inflateEnd(&z);
    return result;
}

std::unique_ptr<ALDecompressor> CreateDecompressor(int engine) {
    if (engine < 0) return nullptr;
    if (engine == kEngineCopy) return std::make_unique<ALCopyEngine>();
    return std::make_unique<ALInflateEngine>();
}

}  // namespace orb
