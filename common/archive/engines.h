// Compression engines: the deflate compressor, and the two decompressors a ZIP
// member can need ("Binary copy" for stored data, "Inflate" for deflated data).
#pragma once
#include <cstdint>
#include <memory>

#include "progress.h"
#include "status.h"
#include "storage.h"

namespace orb {

// Engine numbers as the directory records them: stored, or deflate plus its option.
inline constexpr int kEngineCopy = 0;
inline constexpr int kEngineDeflate = 108;

class ALCompressor {
public:
    virtual ~ALCompressor() = default;
    virtual const char* Name() const = 0;
    // Reads `input` from its position to its end and writes the compressed bytes to
    // `output`; the input's CRC covers exactly the bytes consumed.
    virtual int Compress(ALStorage& input, ALStorage& output, const ALProgress& progress) = 0;
    ALStatus status;
};

class ALDecompressor {
public:
    virtual ~ALDecompressor() = default;
    virtual const char* Name() const = 0;
    // Consumes `compressedSize` bytes of `input` and writes at most `expandedSize`
    // bytes to `output` (more is corrupt data, never written).
    virtual int Decompress(ALStorage& input, ALStorage& output, std::int64_t compressedSize,
                           std::int64_t expandedSize, const ALProgress& progress) = 0;
    ALStatus status;
};

// Raw deflate, level 6, 15-bit window, memory level 8: "Deflate Normal".
class ALDeflateEngine final : public ALCompressor {
public:
    const char* Name() const override { return "Deflate Normal"; }
    int Compress(ALStorage& input, ALStorage& output, const ALProgress& progress) override;
};

class ALCopyEngine final : public ALDecompressor {
public:
    const char* Name() const override { return "Binary copy"; }
    int Decompress(ALStorage& input, ALStorage& output, std::int64_t compressedSize, std::int64_t expandedSize,
                   const ALProgress& progress) override;
};

class ALInflateEngine final : public ALDecompressor {
public:
    const char* Name() const override { return "Inflate"; }
    int Decompress(ALStorage& input, ALStorage& output, std::int64_t compressedSize, std::int64_t expandedSize,
                   const ALProgress& progress) override;
};

// The decompressor for an engine number: "Inflate" for any nonzero number,
// "Binary copy" for 0, nothing for a number no engine handles (negative).
std::unique_ptr<ALDecompressor> CreateDecompressor(int engine);

}  // namespace orb
