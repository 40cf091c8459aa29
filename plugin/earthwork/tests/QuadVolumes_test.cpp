#include "QuadVolumes.h"

#include <gtest/gtest.h>

#include "PaneTestSupport.h"
#include "TriangleVolumes.h"

namespace {

using panetest::MakePane;
using panetest::Near;
using panetest::Settings;

PaneVolumeResult Quad(const SettingsReader& settings, const std::vector<AcGePoint3d>& points,
                      const std::vector<double>& h) {
    const panetest::Pane pane = MakePane(points, h);
    return CalcQuadVolumes(settings, pane.points, pane.first, pane.second);
}

// Four equal sides make a square whatever the angles; a is the side.
TEST(CalcQuadVolumes, RhombusCountsAsSquare) {
    const std::vector<AcGePoint3d> rhombus = {{0, 0, 0}, {5, 0, 0}, {8, 4, 0}, {3, 4, 0}};
    const PaneVolumeResult r = Quad(Settings({}), rhombus, {1, 2, 3, 4});
    EXPECT_EQ(r.cut.formula, L"(a^2/4)*(h1+h2+h3+h4)");
    EXPECT_NEAR(r.cut.volume, 25.0 / 4.0 * 10.0, 1e-12);
}

struct SideCase {
    double stretch;  // added to sides 2-3 and 4-1
    bool square;
};

TEST(CalcQuadVolumes, SidesWithinAMillimetreMakeASquare) {
    const SideCase cases[] = {{0.0, true}, {0.0009, true}, {0.0011, false}, {0.5, false}};
    for (const SideCase& c : cases) {
        const std::vector<AcGePoint3d> points = {
            {0, 0, 0}, {10, 0, 0}, {10, 10 + c.stretch, 0}, {0, 10 + c.stretch, 0}};
        const PaneVolumeResult r = Quad(Settings({}), points, {1, 1, 1, 1});
        if (c.square) {
            EXPECT_EQ(r.cut.formula, L"(a^2/4)*(h1+h2+h3+h4)") << c.stretch;
        } else {
            EXPECT_EQ(r.cut.formula, L"s*(h1+h2+h3)/3+s*(h1+h2+h3)/3") << c.stretch;
            EXPECT_EQ(r.fill.formula, L" ") << c.stretch;
            EXPECT_NEAR(r.cut.volume, 10.0 * (10.0 + c.stretch), 1e-9) << c.stretch;
        }
    }
}

PaneVolumeResult TriangleOf(const SettingsReader& settings, const panetest::Pane& pane,
                            std::array<size_t, 3> t) {
    std::vector<AcGePoint3d> p;
    std::vector<double> f, s;
    for (size_t k : t)
        p.push_back(pane.points[k]), f.push_back(pane.first[k]), s.push_back(pane.second[k]);
    return CalcTriangleVolumes(settings, p, f, s);
}

// Family 4: every number is half the sum over the triangles (1, 2, 3),
// (1, 3, 4), (2, 3, 4), (2, 4, 1); texts "((t1+t2)+(t3+t4))/2".
TEST(CalcQuadVolumes, FourTriangleAverage) {
    const MapSettingsReader settings = Settings({{L"CALTUFMODE", L"4"}});
    const panetest::Pane pane = MakePane(panetest::SquareCorners(10.0), {0.5, -0.4, 0.3, 0.2});
    const PaneVolumeResult r = CalcQuadVolumes(settings, pane.points, pane.first, pane.second);
    const std::array<std::array<size_t, 3>, 4> order = {
        {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}, {1, 3, 0}}};
    std::array<PaneVolumeResult, 4> t;
    double fill = 0, cut = 0, fillArea = 0, cutArea = 0;
    for (size_t k = 0; k < 4; ++k) {
        t[k] = TriangleOf(settings, pane, order[k]);
        fill += t[k].fill.volume, cut += t[k].cut.volume;
        fillArea += t[k].fill.area, cutArea += t[k].cut.area;
    }
    EXPECT_NEAR(r.fill.volume, fill / 2.0, 1e-12);
    EXPECT_NEAR(r.cut.volume, cut / 2.0, 1e-12);
    EXPECT_NEAR(r.fill.area, fillArea / 2.0, 1e-12);
    EXPECT_NEAR(r.cut.area, cutArea / 2.0, 1e-12);
    EXPECT_EQ(r.cut.formula, L"((" + t[0].cut.formula + L"+" + t[1].cut.formula + L")+(" +
                                 t[2].cut.formula + L"+" + t[3].cut.formula + L"))/2");
    EXPECT_EQ(r.fill.process, L"((" + t[0].fill.process + L"+" + t[1].fill.process + L")+(" +
                                  t[2].fill.process + L"+" + t[3].fill.process + L"))/2");
}

// A dart whose reflex corner is 2 or 4: the diagonal 1-3 runs outside it, so
// it is split along 2-4 and a constant height gives area × height.
TEST(CalcQuadVolumes, NonConvexQuadIsSplitInside) {
    const std::vector<AcGePoint3d> dart = {{0, 0, 0}, {2, 1, 0}, {4, 0, 0}, {2, 4, 0}};  // reflex 2
    const double area = panetest::PlanArea(dart);
    for (size_t start = 0; start < 4; ++start) {
        std::vector<AcGePoint3d> turned;
        for (size_t k = 0; k < 4; ++k) turned.push_back(dart[(start + k) % 4]);
        const PaneVolumeResult r = Quad(Settings({}), turned, {0.5, 0.5, 0.5, 0.5});
        EXPECT_NEAR(r.cut.volume, area * 0.5, 1e-12) << start;
        EXPECT_NEAR(r.cut.area, area, 1e-12) << start;
    }
}

// A user triangle formula may give a negative number; the pane keeps its
// magnitude as volume.
TEST(CalcQuadVolumes, VolumesAreMagnitudes) {
    const MapSettingsReader settings =
        Settings({{L"CALTUFTriMODE", L"0"}, {L"CalTuFFormula5", L"[+V=0-s]"}});
    const std::vector<AcGePoint3d> points = {{0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}};
    const PaneVolumeResult r = Quad(settings, points, {1, 1, 1, 1});
    EXPECT_NEAR(r.cut.volume, 12.0, 1e-12);
}

}  // namespace
