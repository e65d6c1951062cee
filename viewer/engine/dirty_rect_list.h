// Screen rectangles changed in this frame and the last one: what the display
// device restores and presents each frame.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "viewer/engine/rect.h"

namespace orb {

class DirtyRectList {
public:
    static constexpr int kCapacity = 512;

    // Appends a rectangle for this frame. When this frame's list is full, it is
    // folded into its bounding box first so nothing changed is ever missed.
    void Push(const Rect& rect);
    std::span<const Rect> Pending() const { return pending_; }
    std::span<const Rect> Previous() const { return previous_; }
    // What DrawList walks: previous + pending after the merge and duplicate passes.
    std::span<const Rect> Working() const { return working_; }
    // Builds the working list from previous and pending (pending becomes previous)
    // and runs one merge pass (two rectangles whose bounding box is strictly smaller
    // than their areas' sum both become that box) and one duplicate pass (later
    // copies become (0, 0, 0, 0)).
    void BuildWorkingList();
    void Clear();

private:
    std::vector<Rect> pending_;
    std::vector<Rect> previous_;
    std::vector<Rect> working_;
    // Ids the merge pass need not visit: the grown rectangle's and the last misses'.
    static constexpr std::size_t kSkipCount = 4;
    using SkipIds = std::array<std::int32_t, kSkipCount>;
    // The first working rectangle from `from` on whose interior meets `a`'s and
    // whose id is not in `skip`, or the list's size; reads edges_ and ids_.
    std::size_t NextOverlap(std::size_t from, const Rect& a, const SkipIds& skip) const;

    std::vector<std::uint32_t> order_;  // scratch for the duplicate pass
    // Scratch for the merge pass: the working rectangles' lefts, tops, rights and
    // bottoms, each edge in an array of its own so four can be tested at once.
    std::array<std::vector<std::int32_t>, 4> edges_;
    // Scratch for the merge pass: working rectangles with the same id are equal
    // (merging copies one's id to the other), so the scan can skip a known miss
    // and its copies by one comparison.
    std::vector<std::int32_t> ids_;
};

}  // namespace orb
