#include "ExampleSites.h"

#include <numbers>

namespace {

// Outline corners given in grid coordinates of the site, as a surveyor's
// sketch of the site boundary over the planned grid.
std::vector<AcGePoint2d> OutlineFromGrid(const SitePlan& plan,
                                         const std::vector<AcGePoint2d>& grid) {
    std::vector<AcGePoint2d> world;
    for (const AcGePoint2d& p : grid) world.push_back(ToWorld(plan, p));
    return world;
}

SitePlan MainSite() {
    SitePlan plan{L"1", {}, {{4, 5, 5, 6}}, {1000.0, 2000.0}, 15.0 * std::numbers::pi / 180.0,
                  20.0};
    plan.outline = OutlineFromGrid(
        plan, {{-7, 3}, {96, -12}, {187, 18}, {214, 94}, {176, 161}, {63, 176}, {-14, 112}});
    return plan;
}

SitePlan EastSite() {
    SitePlan plan{L"2", {}, {}, {1250.0, 2010.0}, 0.0, 10.0};
    plan.outline = OutlineFromGrid(plan, {{0, 0}, {72, -6}, {95, 40}, {60, 78}, {8, 61}});
    return plan;
}

}  // namespace

SiteDrawingPlan ExampleDrawing() {
    SiteDrawingPlan drawing{{MainSite(), EastSite()}, {}};
    const SitePlan& main = drawing.sites[0];
    SurveyModel model{main.origin, 52.0, 0.02, -0.012, ToWorld(main, {150, 60}), 60.0, 4};
    drawing.points = MakeSurveyPoints(model, {935, 1985}, {1200, 2220}, 60, 20240611);
    const std::vector<SurveyPoint> east =
        MakeSurveyPoints(model, {1240, 1995}, {1355, 2095}, 18, 20240612);
    drawing.points.insert(drawing.points.end(), east.begin(), east.end());
    return drawing;
}

SiteDrawingPlan GridDrawing(int rows, int columns, int pointCount, int layerCount,
                            std::uint32_t seed) {
    const double s = 20.0;
    SitePlan plan{L"1", {{0, 0}, {columns * s, 0}, {columns * s, rows * s}, {0, rows * s}},
                  {},   {0, 0},
                  0.0,  s};
    const AcGePoint2d far(columns * s, rows * s);
    SurveyModel model{{0, 0}, 52.0, 0.01, -0.005, {far.x / 2, far.y / 2}, far.x / 6, layerCount};
    return {{plan}, MakeSurveyPoints(model, {0, 0}, far, pointCount, seed)};
}
