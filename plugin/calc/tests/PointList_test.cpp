#include "PointList.h"

#include <gtest/gtest.h>

#include <random>
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

// The hashed list gives the linear scan's answer on points spaced about the
// tolerance apart (many near its limit and on cell borders), including
// coordinates of survey size and ones too large for a cell.
TEST(PointList, AgreesWithTheLinearScan) {
    std::mt19937 rng(42);
    // Cell edges at the origin, far out, and where cells end (1e8).
    const double origins[] = {0.0, -0.00005, 3512345.678,  64 * kSamePointDistance * 12345,
                              1e9, -1e300,   1e8 - 0.0005, -1e8 + 0.0003};
    for (const double origin : origins) {
        std::uniform_int_distribution<int> step(-80, 80);
        std::uniform_int_distribution<int> pick(0, 3);
        auto near = [&] {
            return AcGePoint3d(origin + step(rng) * kSamePointDistance / 16,
                               origin + step(rng) * kSamePointDistance / 16,
                               pick(rng) == 0 ? kSamePointDistance / 2 : 0.0);
        };
        PointList hashed;
        std::vector<AcGePoint3d> plain;
        for (int i = 0; i < 3000; ++i) {
            const AcGePoint3d p = near();
            ASSERT_EQ(hashed.find(p), FindPointInList(p, plain)) << origin << " " << i;
            if (pick(rng) != 0) {
                EXPECT_EQ(hashed.append(p), static_cast<int>(plain.size()));
                plain.push_back(p);
            }
        }
        EXPECT_EQ(FindPointInList(plain.front(), hashed), 0);
        EXPECT_EQ(hashed.points(), plain);
    }
}

}  // namespace
