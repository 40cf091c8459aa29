#include "PointList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FindPointInList, FirstPointCloserThanATenthOfAMillimetre) {
    const std::vector<AcGePoint3d> list = {{0, 0, 0}, {10, 0, 0}, {10.00005, 0, 0}, {20, 5, 0}};
    struct Case {
        AcGePoint3d point;
        int expected;
    } cases[] = {
        {{0, 0, 0}, 0},         {{10.00003, 0, 0}, 1},  // both 1 and 2 are close: the first wins
        {{10.00012, 0, 0}, 2},  {{-0.0001, 0, 0}, -1},  // exactly the limit is not below it
        {{20, 5.00011, 0}, -1}, {{20, 5.00009, 0}, 3}, {{0, 0, 0.001}, -1},  // z counts
        {{5, 5, 0}, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(FindPointInList(c.point, list), c.expected) << c.point.x;
    EXPECT_EQ(FindPointInList({0, 0, 0}, std::vector<AcGePoint3d>{}), -1);

    AcGePoint3dArray array;
    EXPECT_EQ(FindPointInList({0, 0, 0}, array), -1);
    array.append({1, 1, 0});
    array.append({2, 2, 0});
    EXPECT_EQ(FindPointInList({2, 2.00001, 0}, array), 1);
}

}  // namespace
