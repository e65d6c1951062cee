#include <gtest/gtest.h>

#include "viewer/engine/dirty_rect_list.h"

namespace orb {
namespace {

std::vector<Rect> Working(DirtyRectList& list) {
    list.BuildWorkingList();
    return {list.Working().begin(), list.Working().end()};
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

}  // namespace
}  // namespace orb
