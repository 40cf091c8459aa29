#include "TriangleVolumes.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "FormulaText.h"
#include "GeometricVolumes.h"
#include "PaneSettings.h"
#include "PlanGeometry.h"
#include "TriangleCases.h"
#include "UserFormula.h"
#include "wcrt.h"

namespace {

// Two corners closer than this in space are one corner: a tenth of a
// millimetre is below any survey's resolution.
constexpr double kCoincidentCorners = 0.0001;

std::array<double, 3> Magnitudes(const std::array<double, 3>& h) {
    return {std::fabs(h[0]), std::fabs(h[1]), std::fabs(h[2])};
}

// Substitutes the triangle's measures into a lower-cased formula and
// evaluates it with x = d12; the process shows d12 where x stands.
struct TriangleMeasures {
    std::array<double, 3> H;  // h1, h2, h3
    double d12, d23, d31;     // a, b, c
};

// `user` is given for the user's triangle formula, so that a failure of it
// is told.
void SetFromFormula(PaneSideResult& side, FormulaText text, const TriangleMeasures& m,
                    const SettingsReader* user = nullptr) {
    std::wstring error;
    side.volume = EvaluateFormula(text.Evaluated(), m.d12, &error);
    side.process = ReplaceAll(text.Shown(), L"x", GText(m.d12));
    if (user != nullptr && !error.empty()) user->formulaFailed(UserFormulaName(5), error);
}

FormulaText SubstituteMeasures(const std::wstring& formula, const TriangleMeasures& m) {
    FormulaText text(LowerAscii(formula));
    text.Substitute(L"h1", m.H[0]);
    text.Substitute(L"h2", m.H[1]);
    text.Substitute(L"h3", m.H[2]);
    text.Substitute(L"a", m.d12);
    text.Substitute(L"b", m.d23);
    text.Substitute(L"c", m.d31);
    return text;
}

// The +V part of CalTuFFormula5 replaces the prism volume of a triangle of
// one sign; "s" stands for the triangle's area.
void ApplyUserFormula(PaneSideResult& side, const SettingsReader& settings,
                      const std::array<AcGePoint3d, 3>& p, const std::array<double, 3>& H,
                      double area) {
    std::wstring plus, minus;
    SplitUserFormula(ReadUserFormula(settings, 5), plus, minus);
    plus = LowerAscii(wcrtTrim(plus));
    if (plus.empty()) return;
    const TriangleMeasures m{H, PlanDistance(p[0], p[1]), PlanDistance(p[1], p[2]),
                             PlanDistance(p[2], p[0])};
    FormulaText text = SubstituteMeasures(plus, m);
    text.Substitute(L"s", area);
    side.formula = plus;
    SetFromFormula(side, text, m, &settings);
}

}  // namespace

bool IsDegenerateTriangle(const std::array<AcGePoint3d, 3>& p) {
    for (size_t k = 0; k < 3; ++k)
        if (p[k].distanceTo(p[(k + 1) % 3]) < kCoincidentCorners) return true;
    return false;
}

// Prism volume of a triangle of one sign: V = s·(H1 + H2 + H3)/3 with s its
// plan area (Heron; 0 for a triangle flat in the plan, which keeps volume 0
// and empty texts in the user formula mode, whatever the formula makes of
// its sides).
PaneVolumeResult CalcTriangleByFormula(const SettingsReader& settings,
                                       const std::array<AcGePoint3d, 3>& p,
                                       const std::array<double, 3>& h) {
    const TriangleCase& row = SelectTriangleCase(h);
    if (!row.oneSide) return CalcTriangleMixed(p, h, row.oddCorner, row.side);
    const double s = TriangleFormulaArea(p[0], p[1], p[2]);
    const std::array<double, 3> H = Magnitudes(h);
    PaneVolumeResult result;
    PaneSideResult& side = SideOf(result, row.side);
    side.volume = (H[0] + H[1] + H[2]) * s / 3.0;
    side.area = s;
    if (ReadTriangleMode(settings) == TriangleMode::UserFormula) {
        if (s > 0.0) ApplyUserFormula(side, settings, p, H, s);
    } else {
        side.formula = L"s*(h1+h2+h3)/3";
        side.process = wcrtFormat(L"%G*(%G+%G+%G)/3", s, H[0], H[1], H[2]);
    }
    return result;
}

// The odd corner Q3 is cut off by the zero line D-E, D on Q1-Q3 and E on
// Q2-Q3 at the zero of the linearly interpolated height. With s填 the area
// of Q3-D-E and s挖 the rest:
//   odd corner:  (h3·s填)/3                      (pyramid over Q3-D-E)
//   remainder:   ((s挖 + s填)/3)·(h1 + h2 − h3) + (h3·s填)/3
// where h are magnitudes; the remainder is the whole prism with the odd
// corner counted negative, plus the odd pyramid back. Rounding can make the
// Heron area of Q3-D-E exceed the triangle's on a nearly flat triangle:
// s填 is kept within [0, s_all], so s挖 is never negative.
PaneVolumeResult CalcTriangleMixed(const std::array<AcGePoint3d, 3>& p,
                                   const std::array<double, 3>& h, int oddCorner,
                                   PaneSide oddSide) {
    assert(oddCorner >= 1 && oddCorner <= 3);
    const size_t i3 = static_cast<size_t>(oddCorner - 1), i1 = (i3 + 1) % 3, i2 = (i3 + 2) % 3;
    const AcGePoint3d &q1 = p[i1], &q2 = p[i2], &q3 = p[i3];
    const TriangleMeasures m{{std::fabs(h[i1]), std::fabs(h[i2]), std::fabs(h[i3])},
                             PlanDistance(q1, q2),
                             PlanDistance(q2, q3),
                             PlanDistance(q3, q1)};
    const double G1 = m.H[0], G2 = m.H[1], G3 = m.H[2];
    const AcGePoint3d d = Interpolate(q1, q3, G1 + G3 == 0.0 ? 0.0 : G1 / (G1 + G3));
    const AcGePoint3d e = Interpolate(q2, q3, G2 + G3 == 0.0 ? 0.0 : G2 / (G2 + G3));
    const double sAll = TriangleFormulaArea(q1, q2, q3);
    const double sOdd = std::clamp(PlanHeronArea(q3, d, e), 0.0, sAll);
    const double sRest = sAll - sOdd;

    const std::wstring oddFormula = L"(h3*s填)/3";
    const std::wstring restFormula = L"((s挖+s填)/3)*(h1+h2-h3)+(h3*s填)/3";
    PaneVolumeResult result;
    const std::wstring* formulas[2] = {&oddFormula, &restFormula};
    PaneSideResult* sides[2] = {&SideOf(result, oddSide), &SideOf(result, OtherSide(oddSide))};
    const double areas[2] = {sOdd, sRest};
    for (size_t k = 0; k < 2; ++k) {
        FormulaText text = SubstituteMeasures(*formulas[k], m);
        text.Substitute(L"s填", sOdd);
        text.Substitute(L"s挖", sRest);
        SetFromFormula(*sides[k], text, m);
        sides[k]->formula = *formulas[k];
        sides[k]->area = areas[k];
    }
    return result;
}

PaneVolumeResult CalcTriangleVolumes(const SettingsReader& settings,
                                     std::span<const AcGePoint3d> points,
                                     std::span<const double> first,
                                     std::span<const double> second) {
    assert(points.size() == 3 && first.size() == 3 && second.size() == 3);
    std::array<AcGePoint3d, 3> corners;
    std::array<double, 3> h{};
    for (size_t k = 0; k < 3; ++k) {
        corners[k] = AcGePoint3d(points[k].x, points[k].y, second[k]);
        h[k] = first[k] - second[k];
    }
    if (IsDegenerateTriangle(corners)) return PaneVolumeResult();
    if (ReadTriangleMode(settings) == TriangleMode::Geometric)
        return GeometricTriangleVolumes(corners, h);
    return CalcTriangleByFormula(settings, corners, h);
}
