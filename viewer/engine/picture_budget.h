// How large the viewer prepares actor pictures, so that a project holding huge
// pictures (a photo at its full size, say) plays in bounded memory: no frame is
// prepared wider or taller than the widest display mode the viewer knows, and the
// frames with their pre-rotated copies stay within a memory budget, the copies
// made smaller (they are scaled to each sprite's size when drawn anyway) when at
// full size they would pass it. Ordinary projects are far inside both bounds and
// are prepared exactly as they always were.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/imaging/picture_size.h"

namespace orb {

// The widest display mode of DisplayDevice::kModes: a sprite larger than that is
// never needed to fill a screen.
inline constexpr std::int32_t kLargestPreparedSide = 1600;
inline constexpr std::size_t kPreparedPictureBudget = std::size_t(512) << 20;
// Copies are never made smaller than this; a project that needs smaller ones is
// refused instead.
inline constexpr std::int32_t kSmallestCopySide = 16;

struct PicturePlan {
    bool fits = true;                // false: even the smallest copies pass the budget
    std::int32_t copySide = 0;       // largest side of a pre-rotated copy; 0 for no limit
    std::uint64_t bytes = 0;         // what the frames and copies take as planned
};

// Bytes of a picture of `size` at `depth` bits per pixel (rows padded as stored).
std::uint64_t PictureBytes(PictureSize size, int depth);

// The plan for frames of the given sizes (each already within
// kLargestPreparedSide), prepared at `depth`, with 16 pre-rotated copies of each
// when `rotationCopies`: copies at full size when everything fits `budget`,
// otherwise the largest copy side that fits, found by halving the range.
PicturePlan PlanPreparedPictures(std::span<const PictureSize> frames, int depth, bool rotationCopies,
                                 std::uint64_t budget);

}  // namespace orb
