#include "QuadVolumes.h"

#include <cassert>
#include <cmath>

#include "GeometricVolumes.h"
#include "PaneSettings.h"
#include "PlanGeometry.h"
#include "SquareVolumes.h"
#include "TriangleVolumes.h"
#include "wcrt.h"

namespace {

// Sides of a square pane may differ by drawing noise up to a millimetre.
constexpr double kSquareSideTolerance = 0.001;

using Triangle = std::array<size_t, 3>;

PaneVolumeResult TriangleOf(const SettingsReader& settings, const std::array<AcGePoint3d, 4>& p,
                            const std::array<double, 4>& h, const Triangle& t) {
    return CalcTriangleByFormula(settings, {p[t[0]], p[t[1]], p[t[2]]},
                                 {h[t[0]], h[t[1]], h[t[2]]});
}

// Twice the signed plan area of a, b, c, computed relative to a.
double Turn(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The diagonal 1-3 leaves the pane when corner 2 or 4 is a reflex corner:
// then 2 and 4 lie on the same side of the line 1-3 while 1 and 3 lie on the
// two sides of the line 2-4.
bool DiagonalOneThreeOutside(const std::array<AcGePoint3d, 4>& p) {
    const bool sameSide13 = Turn(p[0], p[2], p[1]) * Turn(p[0], p[2], p[3]) > 0.0;
    const bool apart24 = Turn(p[1], p[3], p[2]) * Turn(p[1], p[3], p[0]) < 0.0;
    return sameSide13 && apart24;
}

// "first+second", the first text trimmed; " " instead of "+" when it is empty.
std::wstring JoinTexts(const std::wstring& first, const std::wstring& second) {
    const std::wstring trimmed = wcrtTrim(first);
    return trimmed + (trimmed.empty() ? L" " : L"+") + second;
}

void SumSide(PaneSideResult& sum, const PaneSideResult& a, const PaneSideResult& b) {
    sum.volume = a.volume + b.volume;
    sum.area = a.area + b.area;
    sum.formula = JoinTexts(a.formula, b.formula);
    sum.process = JoinTexts(a.process, b.process);
}

// Half the sum of four sides; texts "((t1+t2)+(t3+t4))/2".
void AverageSide(PaneSideResult& avg, const std::array<const PaneSideResult*, 4>& t) {
    avg.volume = (t[0]->volume + t[1]->volume + t[2]->volume + t[3]->volume) / 2.0;
    avg.area = (t[0]->area + t[1]->area + t[2]->area + t[3]->area) / 2.0;
    const wchar_t* format = L"((%s+%s)+(%s+%s))/2";
    avg.formula = wcrtFormat(format, t[0]->formula.c_str(), t[1]->formula.c_str(),
                             t[2]->formula.c_str(), t[3]->formula.c_str());
    avg.process = wcrtFormat(format, t[0]->process.c_str(), t[1]->process.c_str(),
                             t[2]->process.c_str(), t[3]->process.c_str());
}

}  // namespace

bool IsSquarePane(std::span<const AcGePoint3d> p) {
    assert(p.size() == 4);
    const double d12 = PlanDistance(p[0], p[1]), d23 = PlanDistance(p[1], p[2]);
    const double d34 = PlanDistance(p[2], p[3]), d41 = PlanDistance(p[3], p[0]);
    return std::fabs(d12 - d23) < kSquareSideTolerance &&
           std::fabs(d23 - d34) < kSquareSideTolerance &&
           std::fabs(d41 - d12) < kSquareSideTolerance;
}

PaneVolumeResult CalcSquareByFourTriangles(const SettingsReader& settings,
                                           const std::array<AcGePoint3d, 4>& p,
                                           const std::array<double, 4>& h) {
    static const std::array<Triangle, 4> kTriangles = {
        {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}, {1, 3, 0}}};
    std::array<PaneVolumeResult, 4> t;
    for (size_t k = 0; k < 4; ++k) t[k] = TriangleOf(settings, p, h, kTriangles[k]);
    PaneVolumeResult result;
    AverageSide(result.fill, {&t[0].fill, &t[1].fill, &t[2].fill, &t[3].fill});
    AverageSide(result.cut, {&t[0].cut, &t[1].cut, &t[2].cut, &t[3].cut});
    return result;
}

// Split along corners 1-3: triangles (1, 2, 3) and (1, 3, 4). When that
// diagonal leaves a non-convex pane the two triangles would overlap outside
// it, so such a pane is split along 2-4: (2, 3, 4) and (2, 4, 1).
PaneVolumeResult CalcQuadByTwoTriangles(const SettingsReader& settings,
                                        const std::array<AcGePoint3d, 4>& p,
                                        const std::array<double, 4>& h) {
    if (ReadTriangleMode(settings) == TriangleMode::Geometric) return GeometricQuadVolumes(p, h);
    const bool along24 = DiagonalOneThreeOutside(p);
    const Triangle first = along24 ? Triangle{1, 2, 3} : Triangle{0, 1, 2};
    const Triangle second = along24 ? Triangle{1, 3, 0} : Triangle{0, 2, 3};
    const PaneVolumeResult a = TriangleOf(settings, p, h, first);
    const PaneVolumeResult b = TriangleOf(settings, p, h, second);
    PaneVolumeResult result;
    SumSide(result.fill, a.fill, b.fill);
    SumSide(result.cut, a.cut, b.cut);
    return result;
}

PaneVolumeResult CalcQuadVolumes(const SettingsReader& settings,
                                 std::span<const AcGePoint3d> points, std::span<const double> first,
                                 std::span<const double> second) {
    assert(points.size() == 4 && first.size() == 4 && second.size() == 4);
    std::array<AcGePoint3d, 4> corners;
    std::array<double, 4> h{};
    for (size_t k = 0; k < 4; ++k) {
        corners[k] = AcGePoint3d(points[k].x, points[k].y, second[k]);
        h[k] = first[k] - second[k];
    }
    PaneVolumeResult result;
    if (!IsSquarePane(points))
        result = CalcQuadByTwoTriangles(settings, corners, h);
    else if (ReadSquareFamily(settings) == SquareFamily::FourTriangles)
        result = CalcSquareByFourTriangles(settings, corners, h);
    else
        result = CalcSquareVolumes(settings, points, first, second);
    result.fill.volume = std::fabs(result.fill.volume);
    result.cut.volume = std::fabs(result.cut.volume);
    return result;
}
