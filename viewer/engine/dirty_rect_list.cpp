#include "viewer/engine/draw_list.h"

#include <algorithm>
#include <tuple>

namespace orb {
namespace {

bool Solid(const Rect& r) { return r.right > r.left && r.bottom > r.top; }

// The interiors share at least one pixel.
bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

void DirtyRectList::Push(const Rect& rect) {
    if (static_cast<int>(pending_.size()) >= kCapacity) {
        Rect all = pending_.front();
        for (const Rect& r : pending_) all = BoundingBox(all, r);
        pending_.assign(1, all);
    }
    pending_.push_back(rect);
}

void DirtyRectList::BuildWorkingList() {
    working_.clear();
    working_.insert(working_.end(), previous_.begin(), previous_.end());
    working_.insert(working_.end(), pending_.begin(), pending_.end());
    previous_.swap(pending_);
    pending_.clear();

    // One merge pass: a pair whose bounding box is smaller than the two areas
    // together is cheaper to copy as that box. Two solid rectangles that do not
    // overlap never pass that test (their box is at least as wide as both widths
    // and as tall as the taller, or the other way round), so when every rectangle
    // is solid (merging keeps them so) the cheap overlap test skips such pairs with
    // the same outcome: with hundreds of sprites this pass would otherwise cost
    // more than all the copying.
    const std::size_t n = working_.size();
    const bool allSolid = std::all_of(working_.begin(), working_.end(), Solid);
    for (std::size_t i = 0; i < n; ++i) {
        Rect a = working_[i];
        for (std::size_t j = 1; j < n; ++j) {
            const Rect b = working_[j];
            if (allSolid && !Overlap(a, b)) continue;
            const Rect u = BoundingBox(a, b);
            if (u.Area() < a.Area() + b.Area()) {
                a = u;
                working_[i] = u;
                working_[j] = u;
            }
        }
    }
    // Later copies of a rectangle become empty, which DrawList skips: sorted by
    // value (ties in list order), every copy after the first of its run goes.
    order_.resize(n);
    for (std::size_t i = 0; i < n; ++i) order_[i] = static_cast<std::uint32_t>(i);
    auto key = [this](std::uint32_t i) {
        const Rect& r = working_[i];
        return std::tuple(r.left, r.top, r.right, r.bottom, i);
    };
    std::sort(order_.begin(), order_.end(), [&](std::uint32_t x, std::uint32_t y) { return key(x) < key(y); });
    for (std::size_t k = 1, first = 0; k < n; ++k) {
        if (working_[order_[k]] == working_[order_[first]]) working_[order_[k]] = Rect{};
        else first = k;
    }
}

void DirtyRectList::Clear() {
    pending_.clear();
    previous_.clear();
    working_.clear();
}

}  // namespace orb
