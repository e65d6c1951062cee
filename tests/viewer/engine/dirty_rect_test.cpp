#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "viewer/engine/dirty_rect_list.h"

namespace orb {
namespace {

std::vector<Rect> Working(DirtyRectList& list) {
    list.BuildWorkingList();
    return {list.Working().begin(), list.Working().end()};
}

// The merge and duplicate passes written out pair by pair, with no shortcut.
std::vector<Rect> ByTheRule(std::vector<Rect> w) {
    for (std::size_t i = 0; i < w.size(); ++i)
        for (std::size_t j = 1; j < w.size(); ++j) {
            const Rect u = BoundingBox(w[i], w[j]);
            if (u.Area() < w[i].Area() + w[j].Area()) w[i] = w[j] = u;
        }
    std::vector<Rect> result = w;
    for (std::size_t k = 1; k < w.size(); ++k)
        if (std::find(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(k), w[k]) != w.begin() + static_cast<std::ptrdiff_t>(k))
            result[k] = Rect{};
    return result;
}

TEST(DirtyRectList, OverlappingSquaresMergeIntoTheirBoundingBox) {
    DirtyRectList list;
    list.Push({0, 0, 10, 10});
    list.Push({2, 2, 12, 12});  // box 12 x 12 = 144 < 100 + 100
    const auto working = Working(list);
    ASSERT_EQ(working.size(), 2u);
    EXPECT_EQ(working[0], (Rect{0, 0, 12, 12}));
    EXPECT_EQ(working[1], (Rect{}));  // the merged twin is dropped as a duplicate
}

TEST(DirtyRectList, SquaresTouchingAtACornerStaySeparate) {
    DirtyRectList list;
    list.Push({0, 0, 10, 10});
    list.Push({10, 10, 20, 20});  // box 400 is not below 200
    const auto working = Working(list);
    EXPECT_EQ(working[0], (Rect{0, 0, 10, 10}));
    EXPECT_EQ(working[1], (Rect{10, 10, 20, 20}));
}

TEST(DirtyRectList, MergesFollowListOrderAndGrownRectanglesReachFurther) {
    DirtyRectList list;
    list.Push({0, 0, 10, 10});   // A
    list.Push({12, 0, 22, 10});  // B: 2 pixels right of A, box 220 is not below 200
    list.Push({8, 0, 14, 10});   // C: overlaps both
    // A with C: box (0,0,14,10) = 140 < 100 + 60, both become it. B with the grown
    // C: box (0,0,22,10) = 220 < 100 + 140, both become that. C with B: equal, no
    // change. A was done before C grew, so it keeps (0,0,14,10).
    const auto working = Working(list);
    ASSERT_EQ(working.size(), 3u);
    EXPECT_EQ(working[0], (Rect{0, 0, 14, 10}));
    EXPECT_EQ(working[1], (Rect{0, 0, 22, 10}));
    EXPECT_EQ(working[2], (Rect{}));
}

TEST(DirtyRectList, RectanglesSharingOnlyAnEdgeStaySeparate) {
    struct Case {
        Rect a, b;
    };
    // Side by side or stacked, equal or unequal: the box is never below the sum.
    for (const Case& c : {Case{{0, 0, 10, 10}, {10, 0, 20, 10}}, Case{{0, 0, 10, 10}, {0, 10, 10, 30}},
                          Case{{0, 0, 10, 10}, {10, 2, 14, 6}}, Case{{5, 5, 6, 6}, {6, 5, 7, 6}}}) {
        DirtyRectList list;
        list.Push(c.a);
        list.Push(c.b);
        const auto working = Working(list);
        EXPECT_EQ(working[0], c.a);
        EXPECT_EQ(working[1], c.b);
    }
}

TEST(DirtyRectList, AnInvertedRectangleIsStillTriedAgainstTheOthers) {
    DirtyRectList list;
    list.Push({0, 0, 10, 10});
    list.Push({9, 9, 1, 1});  // right and bottom before left and top: area (-8) x (-8) = 64
    list.Push({20, 0, 30, 10});
    // The first two: box (0,0,10,10) = 100 < 100 + 64, both become it, and the
    // second goes as a duplicate. The third is 10 pixels away: 300 is not below 200.
    const auto working = Working(list);
    const std::vector<Rect> expected{{0, 0, 10, 10}, {}, {20, 0, 30, 10}};
    EXPECT_EQ(working, expected);
}

TEST(DirtyRectList, ManyRectanglesMergeAsTheyWouldOneByOne) {
    // Forty-one 4 x 4 squares in a row, each overlapping the next by one column
    // (steps of 3), then a far one. Square 0 grows along the whole chain: each
    // merge adds 3 columns for 4 x 4 = 16 more area, below the square's own 16.
    DirtyRectList list;
    for (int k = 0; k < 41; ++k) list.Push({3 * k, 0, 3 * k + 4, 4});
    list.Push({500, 0, 504, 4});
    const auto working = Working(list);
    ASSERT_EQ(working.size(), 42u);
    EXPECT_EQ(working[0], (Rect{0, 0, 124, 4}));  // 3 x 40 + 4
    EXPECT_EQ(working[41], (Rect{500, 0, 504, 4}));
    for (int k = 1; k < 41; ++k) EXPECT_EQ(working[k], (Rect{})) << k;
}

TEST(DirtyRectList, ARectangleInsideAnotherBecomesIt) {
    DirtyRectList list;
    list.Push({0, 0, 10, 10});
    list.Push({0, 0, 10, 10});
    list.Push({2, 2, 4, 4});  // box (0,0,10,10) = 100 < 100 + 4
    const auto working = Working(list);
    const std::vector<Rect> expected{{0, 0, 10, 10}, {}, {}};
    EXPECT_EQ(working, expected);
}

TEST(DirtyRectList, OnlyTheFirstCopyOfEachRectangleIsKept) {
    DirtyRectList list;
    // Three copies of one still sprite and two of another, interleaved, far apart
    // so none merge: the first of each stays where it was.
    for (const Rect& r : {Rect{50, 0, 54, 4}, Rect{0, 0, 4, 4}, Rect{50, 0, 54, 4}, Rect{0, 0, 4, 4},
                          Rect{50, 0, 54, 4}})
        list.Push(r);
    const auto working = Working(list);
    const std::vector<Rect> expected{{50, 0, 54, 4}, {0, 0, 4, 4}, {}, {}, {}};
    EXPECT_EQ(working, expected);
}

TEST(DirtyRectList, AStillSpriteCostsOneRectangleAndFramesRollOver) {
    DirtyRectList list;
    list.Push({5, 5, 9, 9});
    EXPECT_EQ(Working(list).size(), 1u);
    // Next frame: the same place again; previous and pending are equal.
    list.Push({5, 5, 9, 9});
    const auto working = Working(list);
    ASSERT_EQ(working.size(), 2u);
    EXPECT_EQ(working[0], (Rect{5, 5, 9, 9}));
    EXPECT_EQ(working[1], (Rect{}));
    EXPECT_EQ(list.Previous().size(), 1u);
    EXPECT_TRUE(list.Pending().empty());
}

TEST(DirtyRectList, TheWorkingListCoversLastFrameAndThisOne) {
    DirtyRectList list;
    list.Push({0, 0, 4, 4});
    Working(list);
    list.Push({100, 0, 104, 4});
    const auto working = Working(list);
    ASSERT_EQ(working.size(), 2u);
    EXPECT_EQ(working[0], (Rect{0, 0, 4, 4}));
    EXPECT_EQ(working[1], (Rect{100, 0, 104, 4}));
}

TEST(DirtyRectList, AFullFrameIsFoldedRatherThanOverrun) {
    DirtyRectList list;
    for (int i = 0; i < DirtyRectList::kCapacity + 10; ++i) list.Push({i * 20, 0, i * 20 + 4, 4});
    EXPECT_LE(list.Pending().size(), std::size_t(DirtyRectList::kCapacity));
    // Every pushed rectangle is still covered by some pending one.
    for (int i = 0; i < DirtyRectList::kCapacity + 10; ++i) {
        const Rect r{i * 20, 0, i * 20 + 4, 4};
        bool covered = false;
        for (const Rect& p : list.Pending())
            covered |= p.left <= r.left && p.top <= r.top && p.right >= r.right && p.bottom >= r.bottom;
        EXPECT_TRUE(covered) << i;
    }
}

TEST(DirtyRectList, ARectangleThatMissedIsTriedAgainOnceTheOtherHasGrown) {
    // b misses a (box 20 x 10 = 200, not below 100 + 11); c swallows a; then a
    // later copy of b merges with the grown a (200 < 190 + 11), and so does b
    // itself with the box it finds at position 2.
    const Rect a{0, 0, 10, 10}, b{9, 0, 20, 1}, c{0, 0, 19, 10};
    DirtyRectList list;
    for (const Rect& r : {a, b, c, b}) list.Push(r);
    const std::vector<Rect> expected{{0, 0, 20, 10}, {}, {}, {}};
    EXPECT_EQ(Working(list), expected);
}

TEST(DirtyRectList, PilesOfRepeatedBoxesMergeExactlyAsPairByPair) {
    // Sprites piled at the bottom of the view: two frames of up to 500 squares,
    // many of them copies of a few boxes that overlap without merging, the rest
    // jittered around them. Some runs add zero-width rectangles, which must be
    // tried against every other rectangle.
    std::mt19937 random(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int run = 0; run < 40; ++run) {
        std::vector<Rect> boxes;
        for (int k = 0, count = pick(1, 8); k < count; ++k) {
            const int left = pick(0, 300), top = pick(200, 260);
            boxes.push_back({left, top, left + pick(1, 120), top + pick(1, 60)});
        }
        auto square = [&]() -> Rect {
            if (pick(0, 3) > 0) return boxes[static_cast<std::size_t>(pick(0, static_cast<int>(boxes.size()) - 1))];
            const int left = pick(0, 400), top = pick(180, 280), side = run % 5 == 4 && pick(0, 20) == 0 ? 0 : pick(1, 40);
            return {left, top, left + side, top + pick(1, 40)};
        };
        // The working list is last frame's rectangles, then this frame's.
        DirtyRectList list;
        std::vector<Rect> both;
        for (int frame = 0; frame < 2; ++frame) {
            if (frame == 1) list.BuildWorkingList();
            for (int k = 0, count = pick(1, 500); k < count; ++k) {
                both.push_back(square());
                list.Push(both.back());
            }
        }
        ASSERT_EQ(Working(list), ByTheRule(both)) << "run " << run;
    }
}

TEST(DirtyRectList, SpreadSpritesMergeExactlyAsPairByPair) {
    // Sprites spread over a large view, alone or in small clusters whose merged
    // boxes reach rectangles that no single one of them overlaps: the shortcuts
    // taken for overlaps must give what the rule gives over the whole list.
    std::mt19937 random(1012);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int run = 0; run < 60; ++run) {
        DirtyRectList list;
        std::vector<Rect> both;
        for (int frame = 0; frame < 2; ++frame) {
            if (frame == 1) list.BuildWorkingList();
            for (int k = 0, clusters = pick(1, 120); k < clusters; ++k) {
                const int x = pick(0, 2000), y = pick(0, 1500);
                for (int m = 0, count = pick(1, 4); m < count; ++m) {
                    const int left = x + pick(-30, 30), top = y + pick(-30, 30);
                    both.push_back({left, top, left + pick(1, 40), top + pick(1, 40)});
                    list.Push(both.back());
                }
            }
        }
        ASSERT_EQ(Working(list), ByTheRule(both)) << "run " << run;
    }
}

}  // namespace
}  // namespace orb
