#include "PaneVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <numbers>
#include <random>

#include "PaneTestSupport.h"
#include "Region.h"
#include "TriangleVolumes.h"

namespace {

using panetest::MakePane;
using panetest::Near;
using panetest::Settings;

panetest::Volumes Polygon(const SettingsReader& settings, const panetest::Pane& pane) {
    panetest::Volumes v;
    CalcPolygonVolumes(settings, pane.points, pane.first, pane.second, v.fill, v.cut);
    return v;
}

// Reference of what was wrong: the cutting rule that takes corners 1, 2, 3
// whenever the midpoint of corners 1 and 3 lies in the region, the last
// triangle included. Kept only here, to show that the tests below catch it.
panetest::Volumes MidpointRuleOnly(const SettingsReader& settings, panetest::Pane pane) {
    panetest::Volumes v;
    auto midpointInside = [&pane]() {
        std::vector<AcGePoint2d> plan;
        for (const AcGePoint3d& p : pane.points) plan.push_back(p.convert2d());
        const AcGePoint2d mid((plan[0].x + plan[2].x) / 2.0, (plan[0].y + plan[2].y) / 2.0);
        return JudgePointInRegion(mid, plan) != 0;
    };
    auto turn = [&pane]() {
        for (auto* list : {&pane.first, &pane.second})
            std::rotate(list->begin(), list->begin() + 1, list->end());
        std::rotate(pane.points.begin(), pane.points.begin() + 1, pane.points.end());
    };
    for (size_t k = 0; k < pane.points.size() && midpointInside(); ++k) turn();
    for (int moves = 0; pane.points.size() >= 3 && moves < 51;) {
        if (!midpointInside()) {
            turn(), ++moves;
            continue;
        }
        const PaneVolumeResult t =
            CalcTriangleVolumes(settings, std::span(pane.points).first(3),
                                std::span(pane.first).first(3), std::span(pane.second).first(3));
        v.fill += t.fill.volume, v.cut += t.cut.volume;
        for (auto* list : {&pane.first, &pane.second}) list->erase(list->begin() + 1);
        pane.points.erase(pane.points.begin() + 1);
    }
    return v;
}

std::vector<AcGePoint3d> TurnedBy(const std::vector<AcGePoint3d>& p, size_t start) {
    std::vector<AcGePoint3d> out;
    for (size_t k = 0; k < p.size(); ++k) out.push_back(p[(start + k) % p.size()]);
    return out;
}

panetest::Pane Constant(const std::vector<AcGePoint3d>& p, double h) {
    return MakePane(p, std::vector<double>(p.size(), h));
}

// A convex pentagon is the fan of triangles from corner 1, the last
// triangle (found with the midpoint on its boundary) included.
TEST(CalcPolygonVolumes, ConvexPentagonIsTheSumOfItsTriangles) {
    const std::vector<AcGePoint3d> p = {{0, 0, 0}, {10, 0, 0}, {13, 6, 0}, {5, 11, 0}, {-2, 6, 0}};
    const panetest::Pane pane = MakePane(p, {0.4, -0.3, 0.6, 0.2, -0.5});
    const MapSettingsReader settings = Settings({});
    double fill = 0, cut = 0;
    for (size_t k = 1; k + 1 < p.size(); ++k) {
        const std::vector<AcGePoint3d> tp = {p[0], p[k], p[k + 1]};
        const std::vector<double> f = {pane.first[0], pane.first[k], pane.first[k + 1]};
        const std::vector<double> s = {pane.second[0], pane.second[k], pane.second[k + 1]};
        const PaneVolumeResult t = CalcTriangleVolumes(settings, tp, f, s);
        fill += t.fill.volume, cut += t.cut.volume;
    }
    const panetest::Volumes v = Polygon(settings, pane);
    EXPECT_DOUBLE_EQ(v.fill, fill);
    EXPECT_DOUBLE_EQ(v.cut, cut);
}

TEST(CalcPolygonVolumes, ThreeAndFourCornersUseTheirOwnCalculations) {
    const panetest::Pane square = MakePane(panetest::SquareCorners(20.0), {0.3, 0.6, -0.4, -0.2});
    const panetest::Volumes v = Polygon(Settings({{L"CALTUFMODE", L"1"}}), square);
    EXPECT_NEAR(v.cut, 54.0, 1e-9);
    EXPECT_NEAR(v.fill, 24.0, 1e-9);
    const panetest::Pane two = MakePane({{0, 0, 0}, {1, 0, 0}}, {1, 1});
    EXPECT_EQ(Polygon(Settings({}), two).cut, 0.0);
}

struct ShapeCase {
    const char* name;
    std::vector<AcGePoint3d> corners;
};

const ShapeCase kShapes[] = {
    {"L", {{0, 0, 0}, {20, 0, 0}, {20, 8, 0}, {9, 8, 0}, {9, 20, 0}, {0, 20, 0}}},
    {"two notches",
     {{0, 0, 0},
      {6, 0, 0},
      {6, 5, 0},
      {9, 5, 0},
      {9, 0, 0},
      {20, 0, 0},
      {20, 20, 0},
      {13, 20, 0},
      {13, 12, 0},
      {10, 12, 0},
      {10, 20, 0},
      {0, 20, 0}}},
};

TEST(CalcPolygonVolumes, LShapeAndNotchesInEveryStartingCornerAndOrientation) {
    const MapSettingsReader settings = Settings({});
    for (const ShapeCase& shape : kShapes) {
        const double area = panetest::PlanArea(shape.corners);
        for (bool reversed : {false, true}) {
            std::vector<AcGePoint3d> corners = shape.corners;
            if (reversed) std::reverse(corners.begin(), corners.end());
            for (size_t start = 0; start < corners.size(); ++start) {
                const panetest::Volumes v =
                    Polygon(settings, Constant(TurnedBy(corners, start), -0.7));
                EXPECT_NEAR(v.fill, area * 0.7, 1e-9) << shape.name << " start " << start;
                EXPECT_EQ(v.cut, 0.0);
            }
        }
    }
}

// ---- Random non-convex panes with a constant height. ----

struct Origin {
    double x, y;
};
const Origin kOrigins[] = {{0.0, 0.0}, {3512345.0, 2801234.0}};

// Star-shaped around its origin: corners at increasing angles, random radii.
std::vector<AcGePoint3d> RandomStar(std::mt19937& rng, const Origin& o, bool clockwise) {
    std::uniform_int_distribution<int> count(5, 12);
    std::uniform_real_distribution<double> radius(2.0, 20.0), jitter(0.1, 0.9);
    const int n = count(rng);
    std::vector<AcGePoint3d> p;
    for (int k = 0; k < n; ++k) {
        const double angle = 2.0 * std::numbers::pi * (k + jitter(rng)) / n;
        const double r = radius(rng);
        p.emplace_back(o.x + r * std::cos(angle), o.y + r * std::sin(angle), 0.0);
    }
    if (clockwise) std::reverse(p.begin(), p.end());
    return p;
}

bool VolumeIsAreaTimesHeight(const panetest::Volumes& v, const std::vector<AcGePoint3d>& p,
                             double h) {
    return Near(v.cut, panetest::PlanArea(p) * h, 1e-6) && v.fill == 0.0;
}

TEST(CalcPolygonVolumes, NonConvexStarsGiveAreaTimesHeight) {
    std::mt19937 rng(8128);
    const MapSettingsReader settings = Settings({});
    int literalFailures = 0, panes = 0;
    for (const Origin& o : kOrigins) {
        for (int trial = 0; trial < 1500; ++trial) {
            const std::vector<AcGePoint3d> p = RandomStar(rng, o, trial % 2 == 1);
            const panetest::Pane pane = Constant(p, 1.25);
            ++panes;
            EXPECT_TRUE(VolumeIsAreaTimesHeight(Polygon(settings, pane), p, 1.25))
                << "trial " << trial << " corners " << p.size();
            literalFailures += !VolumeIsAreaTimesHeight(MidpointRuleOnly(settings, pane), p, 1.25);
        }
    }
    EXPECT_GT(literalFailures, 0) << "of " << panes;
    std::cout << "star panes: " << panes
              << ", wrong with the midpoint rule alone: " << literalFailures << "\n";
}

// Clips the subject polygon to the convex cell (Sutherland-Hodgman, one
// cell side at a time).
std::vector<AcGePoint3d> ClipToCell(std::vector<AcGePoint3d> poly, double x0, double y0,
                                    double size) {
    struct Side {
        double nx, ny, limit;  // keep points with nx·x + ny·y <= limit
    };
    const Side sides[] = {{-1, 0, -x0}, {1, 0, x0 + size}, {0, -1, -y0}, {0, 1, y0 + size}};
    for (const Side& s : sides) {
        std::vector<AcGePoint3d> out;
        for (size_t i = 0; i < poly.size() && !poly.empty(); ++i) {
            const AcGePoint3d &a = poly[i], &b = poly[(i + 1) % poly.size()];
            const double da = s.nx * a.x + s.ny * a.y - s.limit,
                         db = s.nx * b.x + s.ny * b.y - s.limit;
            if (da <= 0) out.push_back(a);
            if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
                AcGePoint3d q = a + (b - a) * (da / (da - db));
                if (s.nx != 0)
                    q.x = s.nx > 0 ? s.limit : -s.limit;  // exactly on the cell side
                else
                    q.y = s.ny > 0 ? s.limit : -s.limit;
                out.push_back(q);
            }
        }
        poly = out;
    }
    std::vector<AcGePoint3d> clean;
    for (const AcGePoint3d& p : poly)
        if (clean.empty() || p.distanceTo(clean.back()) > 1e-9) clean.push_back(p);
    while (clean.size() > 1 && clean.front().distanceTo(clean.back()) <= 1e-9) clean.pop_back();
    return clean;
}

// Touching itself: a corner lies on an edge it does not belong to.
bool TouchesItself(const std::vector<AcGePoint3d>& p) {
    const size_t n = p.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) {
            if (j == i || j == (i + 1) % n) continue;
            const AcGePoint3d &a = p[i], &b = p[(i + 1) % n], &q = p[j];
            const AcGeVector3d ab = b - a;
            const double t = std::clamp((q - a).dotProduct(ab) / ab.dotProduct(ab), 0.0, 1.0);
            if (q.distanceTo(a + ab * t) <= 1e-9) return true;
        }
    return false;
}

TEST(CalcPolygonVolumes, BoundaryPanesOfIrregularOutlinesGiveAreaTimesHeight) {
    std::mt19937 rng(31337);
    std::uniform_real_distribution<double> radius(40.0, 95.0), jitter(0.0, 1.0);
    const MapSettingsReader settings = Settings({});
    int polygonPanes = 0, literalFailures = 0, touching = 0;
    for (const Origin& o : kOrigins) {
        for (int outlineNo = 0; outlineNo < 6; ++outlineNo) {
            std::vector<AcGePoint3d> outline;
            const int n = 120;
            for (int k = 0; k < n; ++k) {
                const double angle = 2.0 * std::numbers::pi * (k + jitter(rng)) / n;
                const double r = radius(rng);
                outline.emplace_back(o.x + r * std::cos(angle), o.y + r * std::sin(angle), 0.0);
            }
            for (double x = -100; x < 100; x += 10)
                for (double y = -100; y < 100; y += 10) {
                    const std::vector<AcGePoint3d> pane =
                        ClipToCell(outline, o.x + x, o.y + y, 10.0);
                    if (pane.size() < 5) continue;
                    ++polygonPanes;
                    touching += TouchesItself(pane);
                    const panetest::Pane p = Constant(pane, 0.8);
                    EXPECT_TRUE(VolumeIsAreaTimesHeight(Polygon(settings, p), pane, 0.8))
                        << "outline " << outlineNo << " cell " << x << "," << y;
                    literalFailures +=
                        !VolumeIsAreaTimesHeight(MidpointRuleOnly(settings, p), pane, 0.8);
                }
        }
    }
    EXPECT_GT(polygonPanes, 300);
    EXPECT_GT(touching, 0);
    std::cout << "boundary panes of five or more corners: " << polygonPanes
              << ", touching themselves: " << touching
              << ", wrong with the midpoint rule alone: " << literalFailures << "\n";
}

// ---- Panes that touch themselves. ----

// Panes whose outline meets itself, as a concave site outline clipped to a
// grid square gives them: a notch reaching back to the square's side at one
// corner, along a stretch of it (a slot of zero width), or twice.
const ShapeCase kSelfTouching[] = {
    {"notch touching at one corner",
     {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {7, 10, 0}, {5, 0, 0}, {3, 10, 0}, {0, 10, 0}}},
    {"notch along the side",
     {{0, 0, 0},
      {10, 0, 0},
      {10, 10, 0},
      {7, 10, 0},
      {6, 0, 0},
      {4, 0, 0},
      {3, 10, 0},
      {0, 10, 0}}},
    {"two notches touching",
     {{0, 0, 0},
      {10, 0, 0},
      {10, 10, 0},
      {8, 10, 0},
      {7, 0, 0},
      {6, 10, 0},
      {4, 10, 0},
      {3, 0, 0},
      {2, 10, 0},
      {0, 10, 0}}},
    {"a notch touching at a corner and one along the side",
     {{0, 0, 0},
      {10, 0, 0},
      {10, 10, 0},
      {9, 10, 0},
      {8, 0, 0},
      {6, 10, 0},
      {5, 10, 0},
      {4, 0, 0},
      {2, 0, 0},
      {1, 10, 0},
      {0, 10, 0}}},
};

// Every start, both orientations, small and survey coordinates, the shape
// turned by quarter turns: a constant height gives area × height.
TEST(CalcPolygonVolumes, PanesTouchingThemselvesGiveAreaTimesHeight) {
    const MapSettingsReader settings = Settings({});
    for (const ShapeCase& shape : kSelfTouching) {
        const double area = panetest::PlanArea(shape.corners);
        for (const Origin& o : kOrigins)
            for (int quarter = 0; quarter < 4; ++quarter)
                for (bool reversed : {false, true}) {
                    std::vector<AcGePoint3d> corners;
                    for (const AcGePoint3d& p : shape.corners) {
                        AcGePoint3d q = p;
                        for (int k = 0; k < quarter; ++k) q = AcGePoint3d(-q.y, q.x, 0.0);
                        corners.emplace_back(o.x + q.x, o.y + q.y, 0.0);
                    }
                    if (reversed) std::reverse(corners.begin(), corners.end());
                    for (size_t start = 0; start < corners.size(); ++start) {
                        const std::vector<AcGePoint3d> p = TurnedBy(corners, start);
                        EXPECT_TRUE(
                            VolumeIsAreaTimesHeight(Polygon(settings, Constant(p, 0.6)), p, 0.6))
                            << shape.name << " quarter " << quarter << " reversed " << reversed
                            << " start " << start << " area " << area;
                    }
                }
    }
}

// Random cells with notches from the top side whose tips reach the bottom
// side, at a point or along a stretch.
std::vector<AcGePoint3d> RandomNotchedCell(std::mt19937& rng, const Origin& o) {
    std::uniform_int_distribution<int> notches(1, 3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = notches(rng);
    std::vector<AcGePoint3d> top;  // from x = 10 back to x = 0 along the top, with the notches
    const double width = 10.0 / n;
    for (int k = n - 1; k >= 0; --k) {
        const double left = k * width, right = left + width;
        const double a = left + width * (0.05 + 0.1 * unit(rng));
        const double d = right - width * (0.05 + 0.1 * unit(rng));
        const double b = a + (d - a) * (0.2 + 0.3 * unit(rng));
        const double c = rng() % 2 == 0 ? b : b + (d - b) * 0.8 * unit(rng);
        top.emplace_back(d, 10.0, 0.0);
        top.emplace_back(c, 0.0, 0.0);
        if (c != b) top.emplace_back(b, 0.0, 0.0);
        top.emplace_back(a, 10.0, 0.0);
    }
    std::vector<AcGePoint3d> p = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    p.insert(p.end(), top.begin(), top.end());
    p.emplace_back(0, 10, 0);
    for (AcGePoint3d& q : p) q = AcGePoint3d(o.x + q.x, o.y + q.y, 0.0);
    return p;
}

TEST(CalcPolygonVolumes, RandomCellsWithNotchesReachingTheOtherSide) {
    std::mt19937 rng(2442);
    const MapSettingsReader settings = Settings({});
    for (const Origin& o : kOrigins)
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<AcGePoint3d> p = RandomNotchedCell(rng, o);
            if (trial % 2 == 1) std::reverse(p.begin(), p.end());
            p = TurnedBy(p, rng() % p.size());
            EXPECT_TRUE(VolumeIsAreaTimesHeight(Polygon(settings, Constant(p, 1.1)), p, 1.1))
                << "trial " << trial << " corners " << p.size();
        }
}

// On convex panes the ear test changes nothing: same triangles, same order,
// identical volumes, in every triangle mode and family.
TEST(CalcPolygonVolumes, ConvexPanesAreUnchangedInEveryMode) {
    std::mt19937 rng(77);
    const MapSettingsReader modes[] = {
        Settings({}), Settings({{L"CALTUFTriMODE", L"1"}}),
        Settings({{L"CALTUFTriMODE", L"0"}, {L"CalTuFFormula5", L"[+V=s*(h1+2*h2+h3)/4]"}}),
        Settings({{L"CALTUFMODE", L"3"}})};
    std::uniform_int_distribution<int> count(5, 14);
    for (const Origin& o : kOrigins) {
        for (int trial = 0; trial < 200; ++trial) {
            const int n = count(rng);
            std::vector<AcGePoint3d> p;
            std::uniform_real_distribution<double> jitter(0.0, 0.8), radius(5.0, 15.0);
            const double r = radius(rng);
            for (int k = 0; k < n; ++k) {
                const double angle = 2.0 * std::numbers::pi * (k + jitter(rng)) / n;
                p.emplace_back(o.x + r * std::cos(angle), o.y + r * std::sin(angle), 0.0);
            }
            std::vector<double> h;
            for (int k = 0; k < n; ++k) h.push_back(panetest::NonZeroHeight(rng));
            const panetest::Pane pane = MakePane(p, h);
            for (const MapSettingsReader& settings : modes) {
                const panetest::Volumes a = Polygon(settings, pane),
                                        b = MidpointRuleOnly(settings, pane);
                EXPECT_EQ(a.fill, b.fill) << trial;
                EXPECT_EQ(a.cut, b.cut) << trial;
            }
        }
    }
}

// The whole result of a pentagon, corners 1, 2, 3 cut off first: every
// number is the sum over its triangles, and each side's texts join the
// texts of the triangles that have a formula on that side with "+".
TEST(CalcPolygonResult, SumsTheTrianglesAndJoinsTheirTexts) {
    const std::vector<AcGePoint3d> p = {{0, 0, 0}, {10, 0, 0}, {13, 6, 0}, {5, 11, 0}, {-2, 6, 0}};
    const std::vector<double> heights[] = {
        {1, 1, 1, 1, 1}, {-1, -2, -1, -1, -3}, {0.4, -0.3, 0.6, 0.2, -0.5}};
    const MapSettingsReader settings = Settings({});
    auto join = [](PaneSideResult& sum, const PaneSideResult& t) {
        sum.volume += t.volume, sum.area += t.area;
        if (t.formula.empty()) return;
        sum.formula += (sum.formula.empty() ? L"" : L"+") + t.formula;
        sum.process += (sum.process.empty() ? L"" : L"+") + t.process;
    };
    for (const std::vector<double>& h : heights) {
        const panetest::Pane pane = MakePane(p, h);
        PaneVolumeResult sum;
        for (size_t k = 1; k + 1 < p.size(); ++k) {
            std::vector<AcGePoint3d> tp;
            std::vector<double> f, s;
            for (size_t i : {size_t{0}, k, k + 1})
                tp.push_back(p[i]), f.push_back(pane.first[i]), s.push_back(pane.second[i]);
            const PaneVolumeResult t = CalcTriangleVolumes(settings, tp, f, s);
            join(sum.fill, t.fill), join(sum.cut, t.cut);
        }
        const PaneVolumeResult whole =
            CalcPolygonResult(settings, pane.points, pane.first, pane.second);
        for (auto [w, e] : {std::pair{&whole.fill, &sum.fill}, std::pair{&whole.cut, &sum.cut}}) {
            EXPECT_TRUE(Near(w->volume, e->volume, 1e-12) && Near(w->area, e->area, 1e-12));
            EXPECT_EQ(w->formula, e->formula);
            EXPECT_EQ(w->process, e->process);
        }
        double fill = 0, cut = 0;
        CalcPolygonVolumes(settings, pane.points, pane.first, pane.second, fill, cut);
        EXPECT_EQ(fill, whole.fill.volume);
        EXPECT_EQ(cut, whole.cut.volume);
    }
}

}  // namespace

namespace {

// Settings that note which user formulas the calculation found empty or
// failing, and with what error.
class NotingSettings : public MapSettingsReader {
  public:
    using MapSettingsReader::MapSettingsReader;
    void formulaFailed(const std::wstring& setting, const std::wstring& error) const override {
        noted += setting + L":" + error + L";";
    }
    mutable std::wstring noted;
};

// The volumes stay what the formulas give; the user is told which formula
// they come from, for every user formula the pane uses and no other.
TEST(CalcPolygonVolumes, UserFormulasThatAreEmptyOrFailAreTold) {
    const struct {
        const char* what;
        std::vector<AcGePoint3d> corners;
        std::vector<double> h;
        std::map<std::wstring, std::wstring> settings;
        const wchar_t* noted;
    } cases[] = {
        {"junk family, no formula",
         panetest::SquareCorners(20),
         {1, 1, 1, 1},
         {{L"CALTUFMODE", L"junk"}},
         L"CalTuFFormula1:;"},
        {"division by zero",
         panetest::SquareCorners(20),
         {1, 1, -1, -1},
         {{L"CALTUFMODE", L"0"}, {L"CalTuFFormula2", L"[+V=h1/0][-V=h2*x]"}},
         L"CalTuFFormula2: Divide by zero!;"},
        {"evaluator stops",
         panetest::SquareCorners(20),
         {1, 1, 1, 1},
         {{L"CALTUFMODE", L"0"}, {L"CalTuFFormula1", L"[+V=x*h1)]"}},
         L"CalTuFFormula1:Error found on position 4!;"},
        {"sound formula",
         panetest::SquareCorners(20),
         {1, 1, 1, 1},
         {{L"CALTUFMODE", L"0"}, {L"CalTuFFormula1", L"[+V=x*x*h1]"}},
         L""},
        {"built-in family",
         panetest::SquareCorners(20),
         {1, 1, 1, 1},
         {{L"CALTUFMODE", L"2"}},
         L""},
        {"triangle formula fails",
         {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}},
         {1, 1, 1},
         {{L"CALTUFTriMODE", L"0"}, {L"CalTuFFormula5", L"[+V=s/(h1-h2)]"}},
         L"CalTuFFormula5: Divide by zero!;"},
        {"empty triangle formula keeps the built-in",
         {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}},
         {1, 1, 1},
         {{L"CALTUFTriMODE", L"0"}},
         L""},
    };
    for (const auto& c : cases) {
        const NotingSettings settings(c.settings);
        const panetest::Pane pane = MakePane(c.corners, c.h);
        const panetest::Volumes told = Polygon(settings, pane);
        EXPECT_EQ(settings.noted, c.noted) << c.what;
        const panetest::Volumes silent = Polygon(MapSettingsReader(c.settings), pane);
        EXPECT_EQ(told.fill, silent.fill) << c.what;
        EXPECT_EQ(told.cut, silent.cut) << c.what;
    }
}

}  // namespace
