#include "PaneVolumes.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "PaneVolumeResult.h"
#include "QuadVolumes.h"
#include "Region.h"
#include "TriangleVolumes.h"
#include "wcrt.h"

namespace {

// Moves of the cutting phase after which the rest of a pane is given up.
constexpr int kMaxMoves = 51;

// The working lists of a pane being cut into triangles: corners and the two
// surfaces' values, turned and shortened together.
struct WorkingPane {
    std::vector<AcGePoint3d> points;
    std::vector<double> first;
    std::vector<double> second;

    size_t size() const { return points.size(); }

    void MoveFirstToEnd() {
        std::rotate(points.begin(), points.begin() + 1, points.end());
        std::rotate(first.begin(), first.begin() + 1, first.end());
        std::rotate(second.begin(), second.begin() + 1, second.end());
    }
    void RemoveSecond() {
        points.erase(points.begin() + 1);
        first.erase(first.begin() + 1);
        second.erase(second.begin() + 1);
    }
    std::vector<AcGePoint2d> Plan() const {
        std::vector<AcGePoint2d> plan;
        plan.reserve(points.size());
        for (const AcGePoint3d& p : points) plan.push_back(p.convert2d());
        return plan;
    }
};

// The midpoint of corners 1 and 3 lies in the current region.
bool MidpointInside(const std::vector<AcGePoint2d>& plan) {
    const AcGePoint2d mid(plan[0].x + (plan[2].x - plan[0].x) / 2.0,
                          plan[0].y + (plan[2].y - plan[0].y) / 2.0);
    return JudgePointInRegion(mid, plan) != 0;
}

// Corners 1, 2, 3 are cut off as a triangle when the midpoint of corners 1
// and 3 lies in the region and the triangle is an ear of it (it neither
// leaves the region nor covers another corner). On a convex pane every
// triangle passes both tests, so convex panes give the same triangles in the
// same order as the midpoint test alone. The last three corners are the last
// triangle.
bool TakesLeadingTriangle(const WorkingPane& pane) {
    if (pane.size() == 3) return true;
    const std::vector<AcGePoint2d> plan = pane.Plan();
    return MidpointInside(plan) && IsLeadingEar(plan);
}

// Appends a triangle's formula (or process) text to the running one: as it
// is while the running formula is still empty, after a "+" once it is not,
// and not at all when the triangle has no formula on that side.
void JoinSide(PaneSideResult& total, const PaneSideResult& t) {
    total.volume += t.volume;
    total.area += t.area;
    if (wcrtTrim(total.formula).empty()) {
        total.formula += t.formula;
        total.process += t.process;
    } else if (!wcrtTrim(t.formula).empty()) {
        total.formula += L"+" + t.formula;
        total.process += L"+" + t.process;
    }
}

void AddLeadingTriangle(const SettingsReader& settings, const WorkingPane& pane,
                        PaneVolumeResult& total) {
    const PaneVolumeResult t =
        CalcTriangleVolumes(settings, std::span(pane.points).first(3),
                            std::span(pane.first).first(3), std::span(pane.second).first(3));
    JoinSide(total.fill, t.fill);
    JoinSide(total.cut, t.cut);
}

PaneVolumeResult CutIntoTriangles(const SettingsReader& settings, WorkingPane pane) {
    PaneVolumeResult total;
    // Start where the midpoint of corners 1 and 3 lies outside, if anywhere.
    for (size_t k = 0; k < pane.size(); ++k) {
        if (!MidpointInside(pane.Plan())) break;
        pane.MoveFirstToEnd();
    }
    int moves = 0;
    while (pane.size() >= 3 && moves < kMaxMoves) {
        if (TakesLeadingTriangle(pane)) {
            AddLeadingTriangle(settings, pane, total);
            pane.RemoveSecond();
        } else {
            pane.MoveFirstToEnd();
            ++moves;
        }
    }
    return total;
}

}  // namespace

PaneVolumeResult CalcPolygonResult(const SettingsReader& settings,
                                   std::span<const AcGePoint3d> points,
                                   std::span<const double> first, std::span<const double> second) {
    assert(points.size() == first.size() && points.size() == second.size());
    if (points.size() < 3) return {};
    if (points.size() == 3) return CalcTriangleVolumes(settings, points, first, second);
    if (points.size() == 4) return CalcQuadVolumes(settings, points, first, second);
    return CutIntoTriangles(settings, {{points.begin(), points.end()},
                                       {first.begin(), first.end()},
                                       {second.begin(), second.end()}});
}

void CalcPolygonVolumes(const SettingsReader& settings, std::span<const AcGePoint3d> points,
                        std::span<const double> first, std::span<const double> second, double& fill,
                        double& cut) {
    const PaneVolumeResult result = CalcPolygonResult(settings, points, first, second);
    fill = result.fill.volume;
    cut = result.cut.volume;
}
