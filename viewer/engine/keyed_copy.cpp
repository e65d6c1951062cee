#include "viewer/engine/keyed_copy.h"

#include <algorithm>
#include <cstring>

#include "viewer/engine/simd.h"

namespace orb {
namespace {

void CopyKeyedPixels(std::uint8_t* out, const std::uint8_t* in, int count, int bytes) {
    if (bytes == 1) {
        for (int i = 0; i < count; ++i)
            if (!IsWhitePixel(in + i, 1)) out[i] = in[i];
        return;
    }
    for (int i = 0; i < count; ++i, in += 3, out += 3)
        if (!IsWhitePixel(in, 3)) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
}

#ifdef ORB_HAVE_SSE2
// Bit b set where byte b of the 16 is 255.
unsigned WhiteBytes(const std::uint8_t* in) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(-1))));
}

// The 16 bytes at `in` over those at `out`, except where bit b of `keep` is set.
void BlendBytes(std::uint8_t* out, const std::uint8_t* in, unsigned keep) {
    const __m128i bit = _mm_set1_epi64x(0x8040201008040201ll);  // byte b tests bit b % 8
    const __m128i spread = _mm_set_epi64x(static_cast<long long>(0x0101010101010101ull * ((keep >> 8) & 0xFF)),
                                          static_cast<long long>(0x0101010101010101ull * (keep & 0xFF)));
    const __m128i kept = _mm_cmpeq_epi8(_mm_and_si128(spread, bit), bit);
    auto* target = reinterpret_cast<__m128i*>(out);
    const __m128i from = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(target, _mm_or_si128(_mm_and_si128(kept, _mm_loadu_si128(target)), _mm_andnot_si128(kept, from)));
}

// One block of 16 pixels: skipped, copied or blended whole.
void CopyKeyedBlock(std::uint8_t* out, const std::uint8_t* in, int bytesPerPixel) {
    if (bytesPerPixel == 1) {
        const unsigned white = WhiteBytes(in);
        if (white == 0xFFFF) return;
        if (white == 0) std::memcpy(out, in, 16);
        else BlendBytes(out, in, white);
        return;
    }
    // Pixel p is white when bytes 3p, 3p + 1 and 3p + 2 all are.
    constexpr std::uint64_t kFirstBytes = 0x249249249249ull;  // bits 0, 3, ..., 45
    const std::uint64_t bytes = std::uint64_t(WhiteBytes(in)) | std::uint64_t(WhiteBytes(in + 16)) << 16 |
                                std::uint64_t(WhiteBytes(in + 32)) << 32;
    const std::uint64_t white = bytes & (bytes >> 1) & (bytes >> 2) & kFirstBytes;
    if (white == kFirstBytes) return;
    if (white == 0) {
        std::memcpy(out, in, 48);
        return;
    }
    const std::uint64_t keep = white | white << 1 | white << 2;
    for (int part = 0; part < 3; ++part)
        BlendBytes(out + 16 * part, in + 16 * part, static_cast<unsigned>(keep >> (16 * part)) & 0xFFFF);
}
#endif

// The first of `count` bytes that is not 255 (`count` when there is none); eight
// at a time over the runs of white.
std::size_t FirstNotWhiteByte(const std::uint8_t* p, std::size_t count) {
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= count; i += 8) {
        std::memcpy(&word, p + i, 8);
        if (word != ~std::uint64_t{0}) break;
    }
    while (i < count && p[i] == 255) ++i;
    return i;
}

// One past the last of `count` bytes that is not 255 (0 when there is none).
std::size_t EndOfNotWhiteBytes(const std::uint8_t* p, std::size_t count) {
    std::size_t end = count;
    for (std::uint64_t word; end >= 8; end -= 8) {
        std::memcpy(&word, p + end - 8, 8);
        if (word != ~std::uint64_t{0}) break;
    }
    while (end > 0 && p[end - 1] == 255) --end;
    return end;
}

}  // namespace

std::vector<RowSpan> FindColourRows(const GXDrawingSurface& picture) {
    const int width = picture.Width(), height = picture.Height();
    const int bytes = BytesPerPixel(picture.Depth());
    std::vector<RowSpan> rows(static_cast<std::size_t>(std::max(height, 0)), RowSpan{0, width});
    if (bytes == 0) return rows;
    // A pixel is white when all its bytes are 255: the first and last bytes that
    // are not give the first and last pixels with colour.
    const std::size_t rowBytes = std::size_t(std::max(width, 0)) * bytes;
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* row = picture.Row(height - 1 - top).data();  // stored bottom-up
        const std::size_t first = FirstNotWhiteByte(row, rowBytes);
        rows[std::size_t(top)] = first == rowBytes ? RowSpan{}
                                 : RowSpan{static_cast<int>(first / bytes),
                                           static_cast<int>((EndOfNotWhiteBytes(row, rowBytes) + bytes - 1) / bytes)};
    }
    return rows;
}

void CopyKeyedRow(std::uint8_t* out, const std::uint8_t* in, int count, int bytesPerPixel) {
#ifdef ORB_HAVE_SSE2
    // Blocks of 16 pixels: sprites are mostly runs of opaque or of white pixels,
    // which are copied or skipped whole; the edges between them are blended. A
    // row's tail is the last 16 pixels again: copying a pixel twice changes nothing.
    constexpr int kBlock = 16;
    if (count >= kBlock) {
        for (int done = 0; done < count; done += kBlock) {
            const int first = std::min(done, count - kBlock);
            CopyKeyedBlock(out + first * bytesPerPixel, in + first * bytesPerPixel, bytesPerPixel);
        }
        return;
    }
#endif
    CopyKeyedPixels(out, in, count, bytesPerPixel);
}

}  // namespace orb
