#include "WizardRules.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(WizardRules, DestinationFolders) {
    struct Case {
        const char* chosen;
        const char* browsed;
    };
    const Case browsed[] = {
        {"D:\\", "D:\\Brontavex\\QUARN"},
        {"D:\\Tools", "D:\\Tools\\Brontavex\\QUARN"},
    };
    for (const Case& c : browsed) EXPECT_EQ(BrowsedDestination(c.chosen), c.browsed);

    for (const char* taken : {"C:\\", "D:\\Tools", "\\\\server\\share"}) {
        EXPECT_TRUE(AcceptsDestination(taken)) << taken;
    }
    for (const char* refused : {"", "abc", "D:/Tools"}) {
        EXPECT_FALSE(AcceptsDestination(refused)) << refused;
    }
    EXPECT_EQ(ReadmePath("C:\\Q  "), "C:\\Q\\readme.txt");
    EXPECT_EQ(ReadmePath("C:\\Q\\"), "C:\\Q\\readme.txt");
}

// r = height / width in single precision; a box is truncated, never rounded.
TEST(WizardRules, SlideBoxKeepsTheAspect) {
    struct Case {
        int width, height;
        Box box;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 1024, 768}},    {2048, 1536, {0, 0, 1024, 768}},
        {1600, 600, {0, 192, 1024, 384}}, {600, 800, {224, 0, 576, 768}},
        {100, 1000, {474, 0, 76, 768}},   {0, 0, {0, 0, 1024, 768}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SlideBox(c.width, c.height), c.box) << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace setup
