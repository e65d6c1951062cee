#include "viewer/engine/draw_list.h"

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
    // and as tall as the taller, or the other way round), so the cheap overlap
    // test skips them with the same outcome: with hundreds of sprites this pass
    // would otherwise cost more than all the copying.
    const std::size_t n = working_.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 1; j < n; ++j) {
            if (Solid(working_[i]) && Solid(working_[j]) && !Overlap(working_[i], working_[j]))
                continue;
            const Rect u = BoundingBox(working_[i], working_[j]);
            if (u.Area() < working_[i].Area() + working_[j].Area()) {
                working_[i] = u;
                working_[j] = u;
            }
        }
    }
    // Later copies of a rectangle become empty, which DrawList skips.
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (working_[j] == working_[i]) working_[j] = Rect{};
}

void DirtyRectList::Clear() {
    pending_.clear();
    previous_.clear();
    working_.clear();
}

}  // namespace orb
