#include "viewer/engine/dirty_rect_list.h"

#include <algorithm>
#include <bit>
#include <tuple>

#include "viewer/engine/simd.h"

namespace orb {
namespace {

bool Solid(const Rect& r) { return r.right > r.left && r.bottom > r.top; }

}  // namespace

std::size_t DirtyRectList::NextOverlap(std::size_t from, const Rect& a, const SkipIds& skip) const {
    const std::size_t n = working_.size();
    const std::int32_t *left = edges_[0].data(), *top = edges_[1].data(),
                       *right = edges_[2].data(), *bottom = edges_[3].data(), *id = ids_.data();
    std::size_t j = from;
#ifdef ORB_HAVE_SSE2
    const __m128i aLeft = _mm_set1_epi32(a.left), aTop = _mm_set1_epi32(a.top);
    const __m128i aRight = _mm_set1_epi32(a.right), aBottom = _mm_set1_epi32(a.bottom);
    __m128i skipId[kSkipCount];
    for (std::size_t s = 0; s < kSkipCount; ++s) skipId[s] = _mm_set1_epi32(skip[s]);
    auto load = [](const std::int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    for (; j + 4 <= n; j += 4) {
        const __m128i across = _mm_and_si128(_mm_cmplt_epi32(aLeft, load(right + j)),
                                             _mm_cmplt_epi32(load(left + j), aRight));
        const __m128i down = _mm_and_si128(_mm_cmplt_epi32(aTop, load(bottom + j)),
                                           _mm_cmplt_epi32(load(top + j), aBottom));
        const __m128i overlap = _mm_and_si128(across, down);
        if (_mm_movemask_ps(_mm_castsi128_ps(overlap)) == 0) continue;  // most blocks, where sprites spread
        const __m128i ids = load(id + j);
        __m128i skipped = _mm_cmpeq_epi32(ids, skipId[0]);
        for (std::size_t s = 1; s < kSkipCount; ++s) skipped = _mm_or_si128(skipped, _mm_cmpeq_epi32(ids, skipId[s]));
        const int hits = _mm_movemask_ps(_mm_castsi128_ps(_mm_andnot_si128(skipped, overlap)));
        if (hits) return j + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(hits)));
    }
#endif
    for (; j < n; ++j) {
        const bool skipped = std::find(skip.begin(), skip.end(), id[j]) != skip.end();
        if (!skipped && a.left < right[j] && left[j] < a.right && a.top < bottom[j] && top[j] < a.bottom)
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
    // more than all the copying.
    //
    // The test depends on the two rectangles' values alone: merging a rectangle
    // equal to `a` changes nothing, and one that failed against `a` fails again
    // while `a` stays as it is. Piled-up sprites leave hundreds of copies of a few
    // boxes that overlap without merging, so rectangles carry ids (a shared id
    // means equal values) and the scan skips `a`'s id and those of its last few
    // misses.
    const std::size_t n = working_.size();
    const bool allSolid = std::all_of(working_.begin(), working_.end(), Solid);
    for (auto& edge : edges_) edge.resize(n);
    ids_.resize(n);
    std::int32_t nextId = 0;
    auto set = [this](std::size_t k, const Rect& r, std::int32_t id) {
        working_[k] = r;
        edges_[0][k] = r.left;
        edges_[1][k] = r.top;
        edges_[2][k] = r.right;
        edges_[3][k] = r.bottom;
        ids_[k] = id;
    };
    for (std::size_t k = 0; k < n; ++k) set(k, working_[k], nextId++);
    // A scan depends only on `a` and the list's values. One in which `a` did not
    // grow leaves nothing for an equal `a` to merge, and rectangles it swallowed
    // became copies of `a`, which earlier such scans met already and did not merge
    // with; so until some `a` grows, a rectangle equal to such an `a` is passed by.
    std::array<Rect, 32> settled;
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Rect a = working_[i];
        const auto settledEnd = settled.begin() + static_cast<std::ptrdiff_t>(std::min(settledCount, settled.size()));
        if (std::find(settled.begin(), settledEnd, a) != settledEnd) continue;
        bool grew = false;
        SkipIds skip;
        skip.fill(ids_[i]);
        std::size_t misses = 0;
        // Without the overlap shortcut (some rectangle is not solid) every pair is tried.
        auto next = [&](std::size_t from) { return allSolid ? NextOverlap(from, a, skip) : from; };
        for (std::size_t j = next(1); j < n; j = next(j + 1)) {
            const Rect b = working_[j];
            const Rect u = BoundingBox(a, b);
            if (u.Area() >= a.Area() + b.Area()) {
                skip[1 + misses++ % (kSkipCount - 1)] = ids_[j];
            } else if (u == a) {
                set(j, u, ids_[i]);  // b lies inside a: a and its known misses stay as they are
            } else {
                grew = true;
                const std::int32_t id = u == b ? ids_[j] : nextId++;
                a = u;
                set(i, u, id);
                set(j, u, id);
                skip.fill(id);
                misses = 0;
            }
        }
        if (grew) settledCount = 0;
        else settled[settledCount++ % settled.size()] = a;
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
