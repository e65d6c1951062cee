#include "viewer/engine/keyed_copy.h"

#include <cstring>

#include "viewer/engine/simd.h"

namespace orb {
namespace {

void CopyKeyedPixels(std::uint8_t* out, const std::uint8_t* in, int count, int bytes) {
    if (bytes == 1) {
        for (int i = 0; i < count; ++i)
            if (in[i] != 255) out[i] = in[i];
        return;
    }
    for (int i = 0; i < count; ++i, in += 3, out += 3)
        if ((in[0] & in[1] & in[2]) != 255) {
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
#endif

}  // namespace

void CopyKeyedRow(std::uint8_t* out, const std::uint8_t* in, int count, int bytesPerPixel) {
    int done = 0;
#ifdef ORB_HAVE_SSE2
    // Blocks of 16 pixels: sprites are mostly runs of opaque or of white pixels,
    // which are copied or skipped whole.
    constexpr int kBlock = 16;
    if (bytesPerPixel == 1) {
        for (; done + kBlock <= count; done += kBlock) {
            const unsigned white = WhiteBytes(in + done);
            if (white == 0xFFFF) continue;
            if (white == 0) std::memcpy(out + done, in + done, kBlock);
            else CopyKeyedPixels(out + done, in + done, kBlock, 1);
        }
    } else {
        // Pixel p is white when bytes 3p, 3p + 1 and 3p + 2 all are.
        constexpr std::uint64_t kFirstBytes = 0x249249249249ull;  // bits 0, 3, ..., 45
        for (; done + kBlock <= count; done += kBlock) {
            const std::uint8_t* from = in + 3 * done;
            const std::uint64_t bytes = std::uint64_t(WhiteBytes(from)) |
                                        std::uint64_t(WhiteBytes(from + 16)) << 16 |
                                        std::uint64_t(WhiteBytes(from + 32)) << 32;
            const std::uint64_t white = bytes & (bytes >> 1) & (bytes >> 2) & kFirstBytes;
            if (white == kFirstBytes) continue;
            if (white == 0) std::memcpy(out + 3 * done, from, 3 * kBlock);
            else CopyKeyedPixels(out + 3 * done, from, kBlock, 3);
        }
    }
#endif
    CopyKeyedPixels(out + done * bytesPerPixel, in + done * bytesPerPixel, count - done, bytesPerPixel);
}

}  // namespace orb
