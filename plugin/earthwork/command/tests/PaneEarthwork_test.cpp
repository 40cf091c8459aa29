// The pure parts of the earthwork command: layer pairs of one pane and the
// position of its volume texts.
#include "PaneEarthwork.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "VolumeAnnotations.h"

namespace {

const std::vector<AcGePoint3d> kSquare = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};

struct PairCase {
    const char* name;
    std::vector<std::vector<double>> layers;  // per corner
    bool computed;
    std::vector<double> fills, cuts;
};

TEST(LayerPairEarthwork, EachAdjacentPairIsOneEntry) {
    const MapSettingsReader settings;
    const std::vector<std::vector<double>> flat3(4, {10, 8, 9});
    const PairCase cases[] = {
        {"one layer", std::vector<std::vector<double>>(4, {10}), true, {}, {}},
        {"cut only", std::vector<std::vector<double>>(4, {10, 8}), true, {0}, {200}},
        {"cut then fill", flat3, true, {0, 100}, {200, 0}},
        {"no layers", std::vector<std::vector<double>>(4), true, {}, {}},
        {"layer counts differ", {{10, 8}, {10, 8}, {10}, {10, 8}}, false, {}, {}},
    };
    for (const PairCase& c : cases) {
        const auto r = LayerPairEarthwork(settings, kSquare, c.layers);
        ASSERT_EQ(r.has_value(), c.computed) << c.name;
        if (!r) continue;
        EXPECT_EQ(r->fills, c.fills) << c.name;
        EXPECT_EQ(r->cuts, c.cuts) << c.name;
        double fill = 0, cut = 0;
        for (double v : c.fills) fill += v;
        for (double v : c.cuts) cut += v;
        EXPECT_DOUBLE_EQ(r->fill, fill) << c.name;
        EXPECT_DOUBLE_EQ(r->cut, cut) << c.name;
    }
}

TEST(LayerPairEarthwork, APaneNeedsThreeCorners) {
    const MapSettingsReader settings;
    const std::vector<AcGePoint3d> two(kSquare.begin(), kSquare.begin() + 2);
    EXPECT_FALSE(LayerPairEarthwork(settings, two, {{10, 8}, {10, 8}}));
}

// Turning the layers upside down turns cut into fill, pair by pair. (The
// heights of each pair change sign on adjacent corners: a square whose cut
// corners face each other is split unevenly and is not symmetric.)
TEST(LayerPairEarthwork, ReversedLayersSwapCutAndFill) {
    const MapSettingsReader settings;
    const std::vector<std::vector<double>> down = {
        {10.2, 8.1, 8.9}, {9.7, 7.9, 7.0}, {11.0, 11.4, 8.8}, {10.5, 10.6, 10.9}};
    std::vector<std::vector<double>> up = down;
    for (auto& l : up) std::reverse(l.begin(), l.end());
    const auto a = LayerPairEarthwork(settings, kSquare, down);
    const auto b = LayerPairEarthwork(settings, kSquare, up);
    ASSERT_TRUE(a && b);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_NEAR(a->fills[k], b->cuts[1 - k], 1e-9);
        EXPECT_NEAR(a->cuts[k], b->fills[1 - k], 1e-9);
    }
}

struct PositionCase {
    const char* name;
    std::vector<AcGePoint3d> vertices;
    std::optional<AcGePoint3d> expected;
};

TEST(VolumeTextPosition, FollowsTheSidesOfThePane) {
    const PositionCase cases[] = {
        {"two vertices", {{0, 0, 0}, {1, 0, 0}}, std::nullopt},
        {"triangle", {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, AcGePoint3d(2.5, 5, 0)},
        {"square", kSquare, AcGePoint3d(5, 5, 0)},
        {"square with closing vertex",
         {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}},
         AcGePoint3d(5, 5, 0)},
        // d12 = 10, d23 = 4, d34 = 4: midpoint of vertices 2 and 4.
        {"equal second and third side",
         {{0, 0, 0}, {10, 0, 0}, {10, 4, 0}, {6, 4, 0}},
         AcGePoint3d(8, 2, 0)},
        // All sides different: halfway between the midpoints of 1-2 and 3-4.
        {"uneven quadrilateral",
         {{0, 0, 0}, {10, 0, 0}, {10, 4, 0}, {0, 7, 0}},
         AcGePoint3d(5, 2.75, 0)},
        // d34 = d45: midpoint of vertices 3 and 5.
        {"pentagon",
         {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {7, 5, 0}, {7, 8, 0}},
         AcGePoint3d(8.5, 6.5, 0)},
    };
    for (const PositionCase& c : cases) {
        const auto at = VolumeTextPosition(c.vertices);
        ASSERT_EQ(at.has_value(), c.expected.has_value()) << c.name;
        if (at) {
            EXPECT_TRUE(at->isEqualTo(*c.expected)) << c.name << ": " << at->x << "," << at->y;
        }
    }
}

}  // namespace
