#include <gtest/gtest.h>

#include "viewer/engine/view_size.h"

namespace orb {
namespace {

TEST(ViewSize, AcceptsDecimalSidesFromOneTo8192) {
    struct Case {
        const char* text;
        int width, height;
    };
    for (const Case& c : {Case{"1920x1080", 1920, 1080}, Case{"3840X2160", 3840, 2160},
                          Case{"1x1", 1, 1}, Case{"8192x8192", 8192, 8192}}) {
        int width = 0, height = 0;
        EXPECT_TRUE(ParseViewSize(c.text, width, height)) << c.text;
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
    }
}

TEST(ViewSize, RefusesEverythingElseAndLeavesTheOutputs) {
    for (const char* text : {"", "1920", "x1080", "1920x", "0x480", "640x0", "8193x600", "640x8193",
                             "-640x480", "640x480x2", " 640x480", "640 x480", "6.4x480",
                             "99999999999x1"}) {
        int width = 7, height = 9;
        EXPECT_FALSE(ParseViewSize(text, width, height)) << text;
        EXPECT_EQ(width, 7) << text;
        EXPECT_EQ(height, 9) << text;
    }
}

}  // namespace
}  // namespace orb
