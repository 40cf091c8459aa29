// The generator's site layout and survey log: panes cover the site exactly,
// boundary panes take the shapes a real site has, and the layers read like a
// borehole log with one lens.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "ExampleSites.h"
#include "SurveyFile.h"

namespace {

double Area(const std::vector<AcGePoint2d>& polygon) { return std::abs(SignedArea(polygon)); }

struct ClipCase {
    const char* name;
    std::vector<AcGePoint2d> polygon;
    double area;
    size_t corners;
};

TEST(ClipToBox, KeepsThePartInsideTheBox) {
    const ClipCase cases[] = {
        {"inside", {{2, 2}, {8, 2}, {8, 8}}, 18, 3},
        {"covering", {{-5, -5}, {20, -5}, {20, 20}, {-5, 20}}, 100, 4},
        {"corner cut off", {{-5, -5}, {20, -5}, {-5, 20}}, 100 - 12.5, 5},
        {"half", {{5, -5}, {20, -5}, {20, 20}, {5, 20}}, 50, 4},
        {"outside", {{20, 20}, {30, 20}, {30, 30}}, 0, 0},
        {"touching one side", {{10, 0}, {20, 0}, {20, 10}, {10, 10}}, 0, 0},
    };
    for (const ClipCase& c : cases) {
        const std::vector<AcGePoint2d> piece = ClipToBox(c.polygon, 0, 0, 10, 10);
        EXPECT_NEAR(Area(piece), c.area, 1e-9) << c.name;
        EXPECT_EQ(piece.size(), c.corners) << c.name;
        if (!piece.empty()) {
            EXPECT_GT(SignedArea(piece), 0) << c.name << ": counter-clockwise";
        }
    }
}

TEST(LayOutPanes, TheExamplePanesCoverEachSiteOnce) {
    for (const SitePlan& site : ExampleDrawing().sites) {
        const std::vector<PaneShape> panes = LayOutPanes(site);
        double covered = 0;
        std::set<std::pair<int, int>> cells;
        std::set<size_t> shapes;
        for (size_t i = 0; i < panes.size(); ++i) {
            EXPECT_EQ(panes[i].number, int(i) + 1);
            EXPECT_TRUE(cells.insert({panes[i].row, panes[i].column}).second);
            covered += Area(panes[i].corners);
            shapes.insert(std::min<size_t>(panes[i].corners.size(), 5));
        }
        double holes = 0;
        for (const CellBlock& h : site.holes) holes += Area(HoleOutline(site, h));
        // Slivers below a thousandth of a pane are left out.
        EXPECT_NEAR(covered, Area(site.outline) - holes, panes.size() * 1e-3 * 400);
        EXPECT_EQ(shapes, (std::set<size_t>{3, 4, 5})) << "triangles, quadrilaterals, polygons";
    }
}

TEST(LayOutPanes, WholeSquaresStartAtTheirLowerLeftGridCorner) {
    const SitePlan site = ExampleDrawing().sites[0];
    size_t squares = 0;
    for (const PaneShape& pane : LayOutPanes(site)) {
        if (std::abs(Area(pane.corners) - 400) > 1e-6) continue;
        ++squares;
        const AcGePoint2d first = ToGrid(site, pane.corners[0]);
        EXPECT_NEAR(first.x, (pane.column - 1) * 20.0, 1e-9);
        EXPECT_NEAR(first.y, (pane.row - 1) * 20.0, 1e-9);
    }
    EXPECT_GT(squares, 40u);
}

TEST(LayOutPanes, NoPaneLiesInAnInnerOutline) {
    const SitePlan site = ExampleDrawing().sites[0];
    ASSERT_FALSE(site.holes.empty());
    const CellBlock& h = site.holes[0];
    for (const PaneShape& pane : LayOutPanes(site))
        EXPECT_FALSE(pane.row >= h.firstRow && pane.row <= h.lastRow &&
                     pane.column >= h.firstColumn && pane.column <= h.lastColumn);
}

TEST(SurveyLog, LayersDescendExceptInTheLens) {
    const SurveyModel model{{0, 0}, 50, 0.01, 0, {100, 100}, 30, 4};
    const std::vector<double> atLens = ModelElevations(model, {100, 100});
    EXPECT_NEAR(atLens[2] - atLens[1], 2.0, 1e-9) << "layer 3 two metres above layer 2";
    for (const AcGePoint2d at : {AcGePoint2d(0, 0), AcGePoint2d(300, 40), AcGePoint2d(131, 100)}) {
        const std::vector<double> layers = ModelElevations(model, at);
        ASSERT_EQ(layers.size(), 4u);
        for (size_t k = 1; k < 4; ++k) EXPECT_LT(layers[k], layers[k - 1] - 0.3);
    }
}

TEST(SurveyLog, TheSameSeedGivesTheSamePointsInCentimetres) {
    const SurveyModel model{{0, 0}, 50, 0.01, 0, {}, 0, 3};
    const auto a = MakeSurveyPoints(model, {0, 0}, {100, 50}, 20, 7);
    const auto b = MakeSurveyPoints(model, {0, 0}, {100, 50}, 20, 7);
    ASSERT_EQ(a.size(), 20u);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].position.x, b[i].position.x);
        EXPECT_EQ(a[i].elevations, b[i].elevations);
        EXPECT_EQ(a[i].elevations.size(), 3u);
        for (double e : a[i].elevations) EXPECT_NEAR(e * 100, std::round(e * 100), 1e-6);
        EXPECT_GE(a[i].position.x, 0);
        EXPECT_LE(a[i].position.y, 50);
    }
}

}  // namespace

// Survey numbers keep the surveyor's decimals only when they lose nothing.
TEST(SurveyNumber, HandsOverEveryValueWhole) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {2041.37, 3, "2041.370"},
        {52.04, 2, "52.04"},
        {-0.5, 2, "-0.50"},
        {0.125, 2, "0.125"},
        {1.0 / 3, 2, "0.33333333333333331"},
    };
    for (const auto& c : cases) EXPECT_EQ(SurveyNumber(c.value, c.decimals), c.text) << c.value;
}

TEST(SurveyFileText, OneNumberedLinePerPointAfterTheTitle) {
    const std::string text =
        SurveyFileText({{AcGePoint3d(1.5, 2, 0), {3.25, 2}}, {AcGePoint3d(4, 5, 0), {6}}});
    ASSERT_FALSE(text.empty());
    const size_t body = text.find("\r\n") + 2;
    EXPECT_EQ(text.substr(body), "1,1.500,2.000,3.25,2.00\r\n2,4.000,5.000,6.00\r\n");
    EXPECT_EQ(text.substr(0, body).find(','), std::string::npos);
}
