#include "SquareVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "PaneTestSupport.h"
#include "QuadVolumes.h"

namespace {

using panetest::MakePane;
using panetest::Near;
using panetest::Settings;
using panetest::SquareCorners;

// Magnitudes of the four corners; a row's signs are put on them.
constexpr std::array<double, 4> kMagnitudes = {0.3, 0.6, 0.4, 0.2};

std::vector<double> HeightsOfRow(int order) {
    const SquareCase& row = SquareCaseTable()[static_cast<size_t>(order - 1)];
    std::vector<double> h;
    for (size_t k = 0; k < 4; ++k)
        h.push_back(row.signs[k] == L'+' ? kMagnitudes[k] : -kMagnitudes[k]);
    return h;
}

PaneVolumeResult Square(const wchar_t* family, const std::vector<double>& heights,
                        double a = 20.0) {
    const MapSettingsReader settings = Settings({{L"CALTUFMODE", family}});
    const panetest::Pane pane = MakePane(SquareCorners(a), heights);
    return CalcSquareVolumes(settings, pane.points, pane.first, pane.second);
}

struct TextRow {
    int order;
    const wchar_t* family;  // CALTUFMODE
    const wchar_t* fill;
    const wchar_t* cut;
};

const TextRow kTexts[] = {
    // Zero-distance family.
    {3, L"2", L"(b*c*h4)/6", L"(a^2-b*c/2)*((h1+h2+h3)/5)"},
    {4, L"2", L"(b*c*h3)/6", L"(a^2-b*c/2)*((h1+h2+h4)/5)"},
    {5, L"2", L"(a/8)*(b+c)*(h3+h4)", L"(a/8)*(2*a-(b+c))*(h1+h2)"},
    {6, L"2", L"(b*c*h2)/6", L"(a^2-b*c/2)*((h1+h3+h4)/5)"},
    {7, L"2", L"(a^2-b*c/2)*((h2+h3+h4)/5)", L"(b*c*h1)/6"},
    {8, L"2", L"(a/8)*(b+c)*(h2+h3)", L"(a/8)*(2*a-(b+c))*(h1+h4)"},
    {9, L"2", L"(b*c*h1)/6", L"(a^2-b*c/2)*((h2+h3+h4)/5)"},
    {10, L"2", L"(a^2-b*c/2)*((h1+h2+h3)/5)", L"(b*c*h4)/6"},
    {11, L"2", L"(a^2-b*c/2)*((h1+h2+h4)/5)", L"(b*c*h3)/6"},
    {12, L"2", L"(a^2-b*c/2)*((h1+h3+h4)/5)", L"(b*c*h2)/6"},
    {13, L"2", L"(a/8)*(b+c)*(h1+h2)", L"(a/8)*(2*a-(b+c))*(h3+h4)"},
    {14, L"2", L"(a/8)*(b+c)*(h1+h4)", L"(a/8)*(2*a-(b+c))*(h2+h3)"},
    // Cubic family.
    {3, L"3", L"(a^2/6)*(h4^3/((h1+h4)*(h3+h4)))", L"(a^2/6)*(2*h1+h2+2*h3-h4)+S填"},
    {4, L"3", L"(a^2/6)*(h3^3/((h2+h3)*(h4+h3)))", L"(a^2/6)*(2*h2+h1+2*h4-h3)+S填"},
    {5, L"3", L"(a^2/4)*(h4^2/(h1+h4)+h3^2/(h2+h3))", L"(a^2/4)*(h1^2/(H4+h1)+h2^2/(h3+h2))"},
    {6, L"3", L"(a^2/6)*(h2^3/((h1+h2)*(h3+h2)))", L"(a^2/6)*(2*h1+h4+2*h3-h2)+S填"},
    {7, L"3", L"(a^2/6)*(2*h2+h3+2*h4-h1)+S挖", L"(a^2/6)*(h1^3/((h2+h1)*(h4+h1)))"},
    {8, L"3", L"(a^2/4)*(h2^2/(h1+h2)+h3^2/(h4+h3))", L"(a^2/4)*(h1^2/(H2+h1)+h4^2/(h3+h4))"},
    {9, L"3", L"(a^2/6)*(h1^3/((h2+h1)*(h4+h1)))", L"(a^2/6)*(2*h2+h3+2*h4-h1)+S填"},
    {10, L"3", L"(a^2/6)*(2*h1+h2+2*h3-h4)+S挖", L"(a^2/6)*(h4^3/((h1+h4)*(h3+h4)))"},
    {11, L"3", L"(a^2/6)*(2*h2+h1+2*h4-h3)+S挖", L"(a^2/6)*(h3^3/((h2+h3)*(h4+h3)))"},
    {12, L"3", L"(a^2/6)*(2*h1+h4+2*h3-h2)+S挖", L"(a^2/6)*(h2^3/((h1+h2)*(h3+h2)))"},
    {13, L"3", L"(a^2/4)*(h1^2/(h4+h1)+h2^2/(h3+h2))", L"(a^2/4)*(h3^2/(H2+h3)+h4^2/(h1+h4))"},
    {14, L"3", L"(a^2/4)*(h1^2/(h2+h1)+h4^2/(h3+h4))", L"(a^2/4)*(h2^2/(H1+h2)+h3^2/(h4+h3))"},
    // Squared-sum family.
    {3, L"1", L"(a^2*h4^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h1+h2+h3)^2)/(4*(h1+h2+h3+h4))"},
    {4, L"1", L"(a^2*h3^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h1+h2+h4)^2)/(4*(h1+h2+h3+h4))"},
    {5, L"1", L"(a^2*(h3+h4)^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h1+h2)^2)/(4*(h1+h2+h3+h4))"},
    {6, L"1", L"(a^2*h2^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h1+h3+h4)^2)/(4*(h1+h2+h3+h4))"},
    {7, L"1", L"(a^2*(h2+h3+h4)^2)/(4*(h1+h2+h3+h4))", L"(a^2*h1^2)/(4*(h1+h2+h3+h4))"},
    {8, L"1", L"(a^2*(h2+h3)^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h1+h4)^2)/(4*(h1+h2+h3+h4))"},
    {9, L"1", L"(a^2*h1^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h2+h3+h4)^2)/(4*(h1+h2+h3+h4))"},
    {10, L"1", L"(a^2*(h1+h2+h3)^2)/(4*(h1+h2+h3+h4))", L"(a^2*h4^2)/(4*(h1+h2+h3+h4))"},
    {11, L"1", L"(a^2*(h1+h2+h4)^2)/(4*(h1+h2+h3+h4))", L"(a^2*h3^2)/(4*(h1+h2+h3+h4))"},
    {12, L"1", L"(a^2*(h1+h3+h4)^2)/(4*(h1+h2+h3+h4))", L"(a^2*h2^2)/(4*(h1+h2+h3+h4))"},
    {13, L"1", L"(a^2*(h1+h2)^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h3+h4)^2)/(4*(h1+h2+h3+h4))"},
    {14, L"1", L"(a^2*(h1+h4)^2)/(4*(h1+h2+h3+h4))", L"(a^2*(h2+h3)^2)/(4*(h1+h2+h3+h4))"},
};

// Rows whose texts do not depend on the family.
const TextRow kSharedTexts[] = {
    {1, nullptr, L"", L"(a^2/4)*(h1+h2+h3+h4)"},
    {2, nullptr, L"(a^2/4)*(h1+h2+h3+h4)", L""},
    {15, nullptr, L"(a^2/6)*(2*h2+2*h4-h1-h3)+S挖",
     L"(a^2*h1^3)/(6*(h1+h2)*(h1+h4))+(a^2*h3^3)/(6*(h3+h2)*(h3+h4))"},
    {16, nullptr, L"(a^2/6)*(2*h1+2*h3-h2-h4)+S挖",
     L"(a^2*h2^3)/(6*(h2+h1)*(h2+h3))+(a^2*h4^3)/(6*(h4+h1)*(h4+h3))"},
};

// The process text, evaluated, gives the volume (to the six digits of "%G").
void ExpectProcessMatchesVolume(const PaneSideResult& side, const std::wstring& what) {
    if (side.process.empty()) return;
    EXPECT_TRUE(Near(panetest::Evaluate(side.process), side.volume, 1e-4))
        << what << ": " << side.process << " vs " << side.volume;
}

void CheckRow(const TextRow& t, const wchar_t* family) {
    const std::vector<double> h = HeightsOfRow(t.order);
    const std::wstring what =
        std::wstring(L"row ") + std::to_wstring(t.order) + L" family " + family;
    ASSERT_EQ(SelectSquareCase({h[0], h[1], h[2], h[3]}).order, t.order) << what;
    const PaneVolumeResult r = Square(family, h);
    EXPECT_EQ(r.fill.formula, t.fill) << what;
    EXPECT_EQ(r.cut.formula, t.cut) << what;
    ExpectProcessMatchesVolume(r.fill, what + L" fill");
    ExpectProcessMatchesVolume(r.cut, what + L" cut");
    EXPECT_NEAR(r.fill.area + r.cut.area, 400.0, 1e-9) << what;
    EXPECT_GE(r.fill.volume, 0.0) << what;
    EXPECT_GE(r.cut.volume, 0.0) << what;
}

TEST(CalcSquareVolumes, EveryRowOfEveryFamilyHasItsTexts) {
    for (const TextRow& t : kTexts) CheckRow(t, t.family);
    for (const TextRow& t : kSharedTexts)
        for (const wchar_t* family : {L"1", L"2", L"3"}) CheckRow(t, family);
}

struct ProcessRow {
    int order;
    const wchar_t* family;
    const wchar_t* fillProcess;
    const wchar_t* cutProcess;
};

// One row of each class, the numbers worked out by hand for a = 20 and
// magnitudes 0.3, 0.6, 0.4, 0.2: lone corner 4 has b = 20·0.2/0.5 = 8,
// c = 20·0.2/0.6 = 6.66667; pair 3, 4 has b = 20·0.4/1.0 = 8, c = 20·0.2/0.5 = 8.
const ProcessRow kProcesses[] = {
    {1, L"2", L"0.0", L"(20*20/4.0)*(0.3+0.6+0.4+0.2)"},
    {2, L"3", L"(20*20/4.0)*(0.3+0.6+0.4+0.2)", L"0.0"},
    {3, L"2", L"(8*6.66667*0.2)/6", L"(20*20-8*6.66667/2)*((0.3+0.6+0.4)/5)"},
    {3, L"3", L"(20*20*0.2^3)/(6*(0.3+0.2)*(0.4+0.2))",
     L"(20*20/6)*(2*0.3+0.6+2*0.4-0.2) + 1.77778"},
    {3, L"1", L"((20*20)*(0.2*0.2))/(4*(0.3+0.6+0.4+0.2))",
     L"((20*20)*(0.3+0.6+0.4)^2)/(4*(0.3+0.6+0.4+0.2))"},
    {5, L"2", L"20*(8+8)*(0.4+0.2)/8", L"20*(2*20-(8+8))*(0.3+0.6)/8"},
    {5, L"3", L"(20*20/4)*(0.2*0.2/(0.3+0.2)+0.4*0.4/(0.6+0.4))",
     L"(20*20/4)*(0.3*0.3/(0.2+0.3)+0.6*0.6/(0.4+0.6))"},
    {5, L"1", L"((20*20)*(0.4+0.2)^2)/(4*(0.3+0.6+0.4+0.2))",
     L"((20*20)*(0.3+0.6)^2)/(4*(0.3+0.6+0.4+0.2))"},
    {15, L"2", L"(20*20/6.0)*(2*0.6+2*0.2-0.3-0.4) + 11.1111",
     L"(20*20*0.3^3)/(6*(0.3+0.6)*(0.3+0.2))+(20*20*0.4^3)/(6*(0.4+0.6)*(0.4+0.2))"},
};

TEST(CalcSquareVolumes, ProcessTextsOfEachClass) {
    for (const ProcessRow& p : kProcesses) {
        const PaneVolumeResult r = Square(p.family, HeightsOfRow(p.order));
        EXPECT_EQ(r.fill.process, p.fillProcess) << p.order << " " << p.family;
        EXPECT_EQ(r.cut.process, p.cutProcess) << p.order << " " << p.family;
    }
}

// A 20 m square with heights +0.30, +0.60, −0.40, −0.20 (pair 3, 4 fill):
// S = 1.5, a² = 400.
//   squared sum: fill = 400·(0.4 + 0.2)²/(4·1.5) = 24, cut = 400·(0.3 + 0.6)²/6 = 54.
//   zero distance: b = 20·0.4/(0.4 + 0.6) = 8 (corner 3 toward 2),
//     c = 20·0.2/(0.2 + 0.3) = 8 (corner 4 toward 1);
//     fill = (20/8)·(8 + 8)·(0.4 + 0.2) = 24, cut = (20/8)·(40 − 16)·(0.3 + 0.6) = 54;
//     fill area = 20·16/2 = 160, cut area = 20·24/2 = 240.
TEST(CalcSquareVolumes, HandCheckedTwentyMetreSquare) {
    const std::vector<double> h = {0.30, 0.60, -0.40, -0.20};
    const PaneVolumeResult squared = Square(L"1", h);
    EXPECT_NEAR(squared.cut.volume, 54.0, 1e-9);
    EXPECT_NEAR(squared.fill.volume, 24.0, 1e-9);
    const PaneVolumeResult zero = Square(L"2", h);
    EXPECT_NEAR(zero.cut.volume, 54.0, 1e-9);
    EXPECT_NEAR(zero.fill.volume, 24.0, 1e-9);
    EXPECT_NEAR(zero.fill.area, 160.0, 1e-9);
    EXPECT_NEAR(zero.cut.area, 240.0, 1e-9);
}

struct PrecedenceCase {
    std::array<double, 4> h;
    int order;
};

TEST(SelectSquareCase, ZeroHeightsTakeTheFirstMatchingRow) {
    const PrecedenceCase cases[] = {
        {{0, 0, 0, 0}, 1},   {{2, 0, -1, 1}, 4},   {{-1, 0, 0, 0}, 2},   {{1, 0, 0, 0}, 1},
        {{0, 0, -1, -1}, 2}, {{1, -1, 0, 0}, 6},   {{0, 1, 0, -1}, 3},   {{0, -1, 0, 1}, 6},
        {{-1, 0, 1, 0}, 9},  {{1, -1, 1, -1}, 15}, {{-1, 1, -1, 1}, 16},
    };
    for (const PrecedenceCase& c : cases)
        EXPECT_EQ(SelectSquareCase(c.h).order, c.order) << c.h[0] << c.h[1] << c.h[2] << c.h[3];
}

TEST(CalcSquareVolumes, AllHeightsZeroIsAllCutWithNothing) {
    const PaneVolumeResult r = Square(L"2", {0, 0, 0, 0});
    EXPECT_EQ(r.cut.volume, 0.0);
    EXPECT_EQ(r.cut.area, 400.0);
    EXPECT_EQ(r.fill.area, 0.0);
    EXPECT_EQ(r.fill.process, L"0.0");
    EXPECT_EQ(r.fill.formula, L"");
}

// Corner 3 alone: b runs toward corner 2 whose height is 0, so b = a; c = a/2.
TEST(CalcSquareVolumes, ZeroNeighbourGivesFullZeroDistance) {
    const PaneVolumeResult r = Square(L"2", {2, 0, -1, 1});
    EXPECT_EQ(r.fill.process, L"(20*10*1)/6");
    EXPECT_NEAR(r.fill.area, 20.0 * 10.0 / 2.0, 1e-12);
}

// Family 3, corner 4 alone on the fill side: the cut is the rest of the
// prism plus the fill pyramid.
TEST(CalcSquareVolumes, CubicRemainderAddsTheLoneVolume) {
    const PaneVolumeResult r = Square(L"3", {0.3, 0.6, 0.4, -0.2});
    EXPECT_NEAR(r.cut.volume, (2 * 0.3 + 0.6 + 2 * 0.4 - 0.2) * 400.0 / 6.0 + r.fill.volume, 1e-9);
    EXPECT_NEAR(r.fill.volume, 400.0 * 0.008 / (6.0 * 0.5 * 0.6), 1e-12);
}

// ---- Properties over random squares, through the four-corner entry. ----

const wchar_t* const kBuiltInFamilies[] = {L"1", L"2", L"3", L"4"};

// Symmetric user formulas, written like the zero-distance family.
MapSettingsReader UserFamilySettings() {
    return Settings({{L"CALTUFMODE", L"0"},
                     {L"CalTuFFormula1", L"[+V=(a^2/4)*(h1+h2+h3+h4)]"},
                     {L"CalTuFFormula2", L"[+V=(a/8)*(b+c)*(h1+h2)][-V=(a/8)*(2*a-(b+c))*(h3+h4)]"},
                     {L"CalTuFFormula3", L"[+V=(a^2-b*c/2)*((h2+h3+h4)/5)][-V=(b*c*h1)/6]"},
                     {L"CalTuFFormula4",
                      L"[+V=(a^2*h1^3)/(6*(h1+h2)*(h1+h4))+(a^2*h3^3)/(6*(h3+h2)*(h3+h4))]"
                      L"[-V=(a^2/6)*(2*h2+2*h4-h1-h3)]"}});
}

PaneVolumeResult Quad(const SettingsReader& settings, const panetest::Pane& pane) {
    return CalcQuadVolumes(settings, pane.points, pane.first, pane.second);
}

template <typename T>
std::vector<T> Turned(const std::vector<T>& v) {
    std::vector<T> out(v.begin() + 1, v.end());
    out.push_back(v.front());
    return out;
}

TEST(SquareProperties, TurningTheCornersKeepsTheVolumesInEveryFamily) {
    std::mt19937 rng(20240611);
    std::vector<MapSettingsReader> families;
    for (const wchar_t* f : kBuiltInFamilies) families.push_back(Settings({{L"CALTUFMODE", f}}));
    families.push_back(UserFamilySettings());
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> h(4);
        for (double& v : h) v = panetest::NonZeroHeight(rng);
        panetest::Pane pane = MakePane(SquareCorners(17.5, 1000.0, 2000.0), h);
        const panetest::Pane turned{Turned(pane.points), Turned(pane.first), Turned(pane.second)};
        for (const MapSettingsReader& settings : families) {
            const PaneVolumeResult a = Quad(settings, pane), b = Quad(settings, turned);
            EXPECT_TRUE(Near(a.fill.volume, b.fill.volume, 1e-9)) << trial;
            EXPECT_TRUE(Near(a.cut.volume, b.cut.volume, 1e-9)) << trial;
        }
    }
}

// The opposite class puts its pyramids on the cut side (the pane is split
// along the diagonal of its fill corners), so it is not symmetric under a
// swap of the surfaces; every other case is.
TEST(SquareProperties, SwappingTheSurfacesSwapsCutAndFill) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> h(4);
        for (double& v : h) v = panetest::NonZeroHeight(rng);
        const bool opposite =
            SelectSquareCase({h[0], h[1], h[2], h[3]}).kind == SquareClass::Opposite;
        const panetest::Pane pane = MakePane(SquareCorners(10.0), h);
        const panetest::Pane swapped{pane.points, pane.second, pane.first};
        for (const wchar_t* family : kBuiltInFamilies) {
            if (opposite && std::wstring(family) != L"4") continue;
            const MapSettingsReader settings = Settings({{L"CALTUFMODE", family}});
            const PaneVolumeResult a = Quad(settings, pane), b = Quad(settings, swapped);
            EXPECT_TRUE(Near(a.fill.volume, b.cut.volume, 1e-9)) << trial << " " << family;
            EXPECT_TRUE(Near(a.cut.volume, b.fill.volume, 1e-9)) << trial << " " << family;
            EXPECT_TRUE(Near(a.fill.area, b.cut.area, 1e-9)) << trial << " " << family;
        }
    }
}

TEST(SquareProperties, AllOnOneSideIsQuarterSquareTimesHeightSum) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> magnitude(0.0, 3.0);
    for (int trial = 0; trial < 100; ++trial) {
        const double sign = trial % 2 == 0 ? 1.0 : -1.0;
        std::vector<double> h(4);
        double sum = 0.0;
        for (double& v : h) {
            v = magnitude(rng);
            sum += v;
            v *= sign;
        }
        const panetest::Pane pane = MakePane(SquareCorners(12.0, 3500000.0, 2800000.0), h);
        for (const wchar_t* family : kBuiltInFamilies) {
            const PaneVolumeResult r = Quad(Settings({{L"CALTUFMODE", family}}), pane);
            const double expected = 144.0 / 4.0 * sum;
            const PaneSideResult& occupied = sign > 0 ? r.cut : r.fill;
            const PaneSideResult& empty = sign > 0 ? r.fill : r.cut;
            EXPECT_TRUE(Near(occupied.volume, expected, 1e-9)) << trial << " " << family;
            EXPECT_EQ(empty.volume, 0.0);
        }
    }
}

// The user formulas written like the zero-distance family give its volumes,
// up to the six digits with which the values are written in.
TEST(SquareProperties, UserFormulasReproduceTheZeroDistanceFamily) {
    std::mt19937 rng(3);
    const MapSettingsReader user = UserFamilySettings();
    const MapSettingsReader builtIn = Settings({{L"CALTUFMODE", L"2"}});
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<double> h(4);
        for (double& v : h) v = panetest::NonZeroHeight(rng);
        if (SelectSquareCase({h[0], h[1], h[2], h[3]}).kind == SquareClass::Opposite) continue;
        const panetest::Pane pane = MakePane(SquareCorners(20.0), h);
        const PaneVolumeResult a = Quad(user, pane), b = Quad(builtIn, pane);
        EXPECT_TRUE(Near(a.fill.volume, b.fill.volume, 1e-4)) << trial;
        EXPECT_TRUE(Near(a.cut.volume, b.cut.volume, 1e-4)) << trial;
        EXPECT_EQ(a.fill.area, b.fill.area);
    }
}

}  // namespace
