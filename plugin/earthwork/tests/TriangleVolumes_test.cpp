#include "TriangleVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>

#include "PaneTestSupport.h"
#include "PlanGeometry.h"
#include "TriangleCases.h"

namespace {

using panetest::MakePane;
using panetest::Near;
using panetest::Settings;

// Plan area 6: sides a = 4 (1-2), b = 5 (2-3), c = 3 (3-1).
const std::vector<AcGePoint3d> kRight = {{0, 0, 0}, {4, 0, 0}, {0, 3, 0}};

PaneVolumeResult Triangle(const SettingsReader& settings, const std::vector<AcGePoint3d>& points,
                          const std::vector<double>& h) {
    const panetest::Pane pane = MakePane(points, h);
    return CalcTriangleVolumes(settings, pane.points, pane.first, pane.second);
}

TEST(CalcTriangleVolumes, OneSignPrism) {
    const PaneVolumeResult r = Triangle(Settings({}), kRight, {1, 1, 1});
    EXPECT_NEAR(r.cut.volume, 6.0, 1e-12);
    EXPECT_NEAR(r.cut.area, 6.0, 1e-12);
    EXPECT_EQ(r.cut.formula, L"s*(h1+h2+h3)/3");
    EXPECT_EQ(r.cut.process, L"6*(1+1+1)/3");
    EXPECT_EQ(r.fill.formula, L"");
    EXPECT_EQ(r.fill.process, L"");
    EXPECT_EQ(r.fill.volume, 0.0);
}

struct SignRow {
    std::vector<double> h;
    int order;
    PaneSide oddSide;
};

// Every mixed row: the odd corner's side gets "(h3*s填)/3", the other side the
// remainder; both are exact for a linear height field (to the six digits of
// the written values).
TEST(CalcTriangleVolumes, EveryMixedRowSplitsAtTheZeroLine) {
    const SignRow rows[] = {
        {{0.5, 0.8, -0.3}, 3, PaneSide::Fill}, {{0.5, -0.8, 0.3}, 4, PaneSide::Fill},
        {{-0.5, 0.8, 0.3}, 5, PaneSide::Fill}, {{0.5, -0.8, -0.3}, 6, PaneSide::Cut},
        {{-0.5, 0.8, -0.3}, 7, PaneSide::Cut}, {{-0.5, -0.8, 0.3}, 8, PaneSide::Cut},
    };
    for (const SignRow& row : rows) {
        EXPECT_EQ(SelectTriangleCase({row.h[0], row.h[1], row.h[2]}).order, row.order);
        const PaneVolumeResult r = Triangle(Settings({}), kRight, row.h);
        const PaneSideResult& odd = row.oddSide == PaneSide::Fill ? r.fill : r.cut;
        const PaneSideResult& rest = row.oddSide == PaneSide::Fill ? r.cut : r.fill;
        EXPECT_EQ(odd.formula, L"(h3*s填)/3") << row.order;
        EXPECT_EQ(rest.formula, L"((s挖+s填)/3)*(h1+h2-h3)+(h3*s填)/3") << row.order;
        const panetest::Volumes exact = panetest::ExactLinearVolumes(kRight, row.h);
        EXPECT_TRUE(Near(r.fill.volume, exact.fill, 1e-4)) << row.order;
        EXPECT_TRUE(Near(r.cut.volume, exact.cut, 1e-4)) << row.order;
        EXPECT_NEAR(r.fill.area + r.cut.area, 6.0, 1e-9) << row.order;
    }
}

// Corner 3 alone (fill): Q1 = 1, Q2 = 2; D halfway on 1-3, E halfway on 2-3,
// so s填 = 6/4 = 1.5 and s挖 = 4.5.
TEST(CalcTriangleVolumes, MixedProcessTexts) {
    const PaneVolumeResult r = Triangle(Settings({}), kRight, {1, 1, -1});
    EXPECT_EQ(r.fill.process, L"(1*1.5)/3");
    EXPECT_EQ(r.cut.process, L"((4.5+1.5)/3)*(1+1-1)+(1*1.5)/3");
    EXPECT_NEAR(r.fill.volume, 0.5, 1e-12);
    EXPECT_NEAR(r.cut.volume, 2.5, 1e-12);
}

// A small boundary triangle with a corner just below zero: its odd area is
// written by "%G" as "...E-05". The volume is still the value of that
// rounded number, not what the evaluator makes of the exponent's letter.
TEST(CalcTriangleVolumes, TinyOddAreaWrittenWithExponentIsEvaluatedWhole) {
    const std::vector<AcGePoint3d> small = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}};
    const std::vector<double> h = {2.0, 1.5, -0.01};
    const PaneVolumeResult r = Triangle(Settings({}), small, h);
    EXPECT_NE(r.cut.process.find(L"E-05"), std::wstring::npos) << r.cut.process;
    const panetest::Volumes exact = panetest::ExactLinearVolumes(small, h);
    EXPECT_TRUE(Near(r.cut.volume, exact.cut, 1e-5)) << r.cut.volume << " vs " << exact.cut;
    EXPECT_NEAR(r.fill.volume, exact.fill, 1e-9);
}

TEST(CalcTriangleVolumes, CoincidentCornersInSpaceGiveNothing) {
    const std::vector<AcGePoint3d> close = {{0, 0, 0}, {0.00005, 0, 0}, {0, 3, 0}};
    const panetest::Pane pane0{close, {6, 6, 6}, {5, 5, 5}};
    const PaneVolumeResult r =
        CalcTriangleVolumes(Settings({}), pane0.points, pane0.first, pane0.second);
    EXPECT_EQ(r.cut.volume, 0.0);
    EXPECT_EQ(r.cut.formula, L"");
    // The same plan corners on surfaces 1 apart in z are not one corner.
    const std::vector<AcGePoint3d> plan = {{0, 0, 0}, {0, 0, 0}, {0, 3, 0}};
    const panetest::Pane pane{plan, {2, 3, 2}, {0, 1, 0}};
    const PaneVolumeResult apart =
        CalcTriangleVolumes(Settings({}), pane.points, pane.first, pane.second);
    EXPECT_EQ(apart.cut.formula, L"s*(h1+h2+h3)/3");
    EXPECT_EQ(apart.cut.volume, 0.0);
}

// Triangles without plan area: two corners at one plan point (at different
// elevations, so the check in space lets them through) or three corners on
// one line, at survey coordinates where rounding leaves Heron's formula a
// trace of area. Every family gives no area and no volume, never a negative
// area.
const MapSettingsReader kFamilies[] = {
    Settings({}), Settings({{L"CALTUFTriMODE", L"1"}}),
    Settings({{L"CALTUFTriMODE", L"0"}, {L"CalTuFFormula5", L"[+V=a+b+c+x]"}})};

void ExpectNothing(const PaneVolumeResult& r, const std::string& what) {
    EXPECT_EQ(r.fill.volume, 0.0) << what;
    EXPECT_EQ(r.cut.volume, 0.0) << what;
    EXPECT_EQ(r.fill.area, 0.0) << what;
    EXPECT_EQ(r.cut.area, 0.0) << what;
}

TEST(CalcTriangleVolumes, FlatTrianglesHaveNoAreaAndNoVolumeInEveryFamily) {
    const double x = 3512433.5646660337, y = 2801244.3124309727;
    const panetest::Pane cases[] = {
        {{{x, y, 0}, {x, y, 0}, {x - 7.2806228, y - 5.6602612, 0}},
         {378.97258569783173, 455.22558019329756, 21.148512566409863},
         {103.33477119996147, 100.74022735289563, 100.34103084989444}},
        {{{0, 0, 0}, {1.1, 2.3, 0}, {3.3, 6.9, 0}}, {1105, 90, 1103}, {100, 101, 100}},
        {{{x, y, 0}, {x + 1.1, y + 2.3, 0}, {x + 3.3, y + 6.9, 0}},
         {105, 190, 103},
         {100, 101, 100}},
    };
    for (const MapSettingsReader& settings : kFamilies)
        for (const panetest::Pane& pane : cases)
            ExpectNothing(CalcTriangleVolumes(settings, pane.points, pane.first, pane.second),
                          std::to_string(pane.first[1]));
}

TEST(CalcTriangleVolumes, RandomCornersOnOneLineAtSurveyCoordinates) {
    std::mt19937 rng(936);
    std::uniform_real_distribution<double> offset(0.0, 100.0), side(-10.0, 10.0), t(0.1, 0.9),
        height(-50.0, 50.0);
    for (int trial = 0; trial < 600; ++trial) {
        const AcGePoint3d a(3512345.678 + offset(rng), 2801234.567 + offset(rng), 0.0);
        const AcGeVector3d v(side(rng), side(rng), 0.0);
        std::vector<AcGePoint3d> points = {a, a + v * t(rng), a + v};
        std::shuffle(points.begin(), points.end(), rng);
        const panetest::Pane pane = MakePane(points, {height(rng), height(rng), height(rng)});
        ExpectNothing(
            CalcTriangleVolumes(kFamilies[trial % 3], pane.points, pane.first, pane.second),
            "trial " + std::to_string(trial));
    }
}

struct ModeCase {
    const wchar_t* mode;
    const wchar_t* formula5;
    double cutVolume;
    const wchar_t* cutFormula;
    const wchar_t* cutProcess;
};

TEST(CalcTriangleVolumes, TriangleModesAndTheUserFormula) {
    const ModeCase cases[] = {
        {L"", L"[+V=s*2]", 6.0, L"s*(h1+h2+h3)/3", L"6*(1+1+1)/3"},
        {L"2", L"[+V=s*2]", 6.0, L"s*(h1+h2+h3)/3", L"6*(1+1+1)/3"},
        {L"0", L"[+V= S*(H1+h2+h3)/3*2 ]", 12.0, L"s*(h1+h2+h3)/3*2", L"6*(1+1+1)/3*2"},
        {L"0", L"[+V=a+b+c+x]", 16.0, L"a+b+c+x", L"4+5+3+4"},
        // An empty +V part keeps the prism volume, without texts.
        {L"0", L"[+V=][-V=s]", 6.0, L"", L""},
        {L"7", L"[-V=s*5]", 6.0, L"", L""},
    };
    for (const ModeCase& c : cases) {
        const MapSettingsReader settings =
            Settings({{L"CALTUFTriMODE", c.mode}, {L"CalTuFFormula5", c.formula5}});
        const PaneVolumeResult r = Triangle(settings, kRight, {1, 1, 1});
        EXPECT_NEAR(r.cut.volume, c.cutVolume, 1e-12) << c.formula5;
        EXPECT_EQ(r.cut.formula, c.cutFormula) << c.formula5;
        EXPECT_EQ(r.cut.process, c.cutProcess) << c.formula5;
        EXPECT_NEAR(r.cut.area, 6.0, 1e-12);
    }
}

// Mixed triangles use the built-in split whatever the user formula says.
TEST(CalcTriangleVolumes, MixedTrianglesIgnoreTheUserFormula) {
    const MapSettingsReader settings =
        Settings({{L"CALTUFTriMODE", L"0"}, {L"CalTuFFormula5", L"[+V=1000]"}});
    const PaneVolumeResult r = Triangle(settings, kRight, {1, 1, -1});
    EXPECT_EQ(r.fill.formula, L"(h3*s填)/3");
    EXPECT_NEAR(r.fill.volume, 0.5, 1e-12);
}

TEST(HeronArea, AnyOrderOfSidesAndZeroWhenTheyDoNotClose) {
    for (const auto& [a, b, c] :
         {std::tuple{3.0, 4.0, 5.0}, std::tuple{5.0, 3.0, 4.0}, std::tuple{4.0, 5.0, 3.0}})
        EXPECT_NEAR(HeronArea(a, b, c), 6.0, 1e-15);
    EXPECT_EQ(HeronArea(1, 1, 3), 0.0);
    EXPECT_EQ(HeronArea(3, 1, 1), 0.0);
    EXPECT_EQ(HeronArea(1, 2, 3), 0.0);
}

}  // namespace
