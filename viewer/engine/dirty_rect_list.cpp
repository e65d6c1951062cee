#include "viewer/engine/dirty_rect_list.h"

#include <algorithm>
#include <bit>
#include <tuple>

#include "viewer/engine/simd.h"

namespace orb {
namespace {

bool Solid(const Rect& r) { return r.right > r.left && r.bottom > r.top; }

}  // namespace

std::size_t DirtyRectList::NextOverlap(std::size_t from, const Rect& a) const {
    const std::size_t n = working_.size();
    const std::int32_t *left = edges_[0].data(), *top = edges_[1].data(),
                       *right = edges_[2].data(), *bottom = edges_[3].data();
    std::size_t j = from;
#ifdef ORB_HAVE_SSE2
    const __m128i aLeft = _mm_set1_epi32(a.left), aTop = _mm_set1_epi32(a.top);
    const __m128i aRight = _mm_set1_epi32(a.right), aBottom = _mm_set1_epi32(a.bottom);
    auto load = [](const std::int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    for (; j + 4 <= n; j += 4) {
        const __m128i across = _mm_and_si128(_mm_cmplt_epi32(aLeft, load(right + j)),
                                             _mm_cmplt_epi32(load(left + j), aRight));
        const __m128i down = _mm_and_si128(_mm_cmplt_epi32(aTop, load(bottom + j)),
                                           _mm_cmplt_epi32(load(top + j), aBottom));
        const __m128i same = _mm_and_si128(
            _mm_and_si128(_mm_cmpeq_epi32(aLeft, load(left + j)), _mm_cmpeq_epi32(aTop, load(top + j))),
            _mm_and_si128(_mm_cmpeq_epi32(aRight, load(right + j)), _mm_cmpeq_epi32(aBottom, load(bottom + j))));
        const int hits = _mm_movemask_ps(_mm_castsi128_ps(_mm_andnot_si128(same, _mm_and_si128(across, down))));
        if (hits) return j + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(hits)));
    }
#endif
    for (; j < n; ++j) {
        const bool same = left[j] == a.left && top[j] == a.top && right[j] == a.right && bottom[j] == a.bottom;
        if (!same && a.left < right[j] && left[j] < a.right && a.top < bottom[j] && top[j] < a.bottom)
            return j;
    }
    return n;
}

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
    // more than all the copying. Merging two equal rectangles changes nothing, so
    // those are skipped too: piled-up sprites leave many copies of one box.
    const std::size_t n = working_.size();
    const bool allSolid = std::all_of(working_.begin(), working_.end(), Solid);
    for (auto& edge : edges_) edge.resize(n);
    auto setEdges = [this](std::size_t k, const Rect& r) {
        edges_[0][k] = r.left;
        edges_[1][k] = r.top;
        edges_[2][k] = r.right;
        edges_[3][k] = r.bottom;
    };
    for (std::size_t k = 0; k < n; ++k) setEdges(k, working_[k]);
    // Without the overlap shortcut (some rectangle is not solid) every pair is tried.
    auto next = [&](std::size_t from, const Rect& a) { return allSolid ? NextOverlap(from, a) : from; };
    for (std::size_t i = 0; i < n; ++i) {
        Rect a = working_[i];
        for (std::size_t j = next(1, a); j < n; j = next(j + 1, a)) {
            const Rect b = working_[j];
            const Rect u = BoundingBox(a, b);
            if (u.Area() < a.Area() + b.Area()) {
                a = u;
                working_[i] = u;
                working_[j] = u;
                setEdges(i, u);
                setEdges(j, u);
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
