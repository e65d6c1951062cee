#include "viewer/engine/picture_budget.h"

#include <algorithm>

#include "common/imaging/drawing_surface.h"

namespace orb {

namespace {

constexpr int kRotationCopies = 16;

// A copy is turned on a square canvas as wide as the (scaled) frame.
std::uint64_t CopyBytes(PictureSize frame, int depth, std::int32_t copySide) {
    const PictureSize copy = copySide > 0 ? SizeWithin(frame, copySide) : frame;
    return PictureBytes({copy.width, copy.width}, depth);
}

std::uint64_t PlannedBytes(std::span<const PictureSize> frames, int depth, bool rotationCopies,
                           std::int32_t copySide) {
    std::uint64_t bytes = 0;
    for (const PictureSize& frame : frames) {
        bytes += PictureBytes(frame, depth);
        if (rotationCopies) bytes += kRotationCopies * CopyBytes(frame, depth, copySide);
    }
    return bytes;
}

}  // namespace

std::uint64_t PictureBytes(PictureSize size, int depth) {
    return std::uint64_t(StrideFor(depth, std::max(size.width, 0))) * std::uint64_t(std::max(size.height, 0));
}

PicturePlan PlanPreparedPictures(std::span<const PictureSize> frames, int depth, bool rotationCopies,
                                 std::uint64_t budget) {
    PicturePlan plan;
    plan.bytes = PlannedBytes(frames, depth, rotationCopies, 0);
    if (plan.bytes <= budget) return plan;
    std::int32_t largest = 0;
    for (const PictureSize& frame : frames) largest = std::max({largest, frame.width, frame.height});
    plan.bytes = PlannedBytes(frames, depth, rotationCopies, kSmallestCopySide);
    if (!rotationCopies || plan.bytes > budget) {
        plan.fits = false;
        return plan;
    }
    // The largest side in [kSmallestCopySide, largest) whose copies fit.
    std::int32_t fits = kSmallestCopySide, passes = largest;
    while (passes - fits > 1) {
        const std::int32_t middle = fits + (passes - fits) / 2;
        (PlannedBytes(frames, depth, rotationCopies, middle) <= budget ? fits : passes) = middle;
    }
    plan.copySide = fits;
    plan.bytes = PlannedBytes(frames, depth, rotationCopies, fits);
    return plan;
}

}  // namespace orb
