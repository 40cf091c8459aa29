#include "SquareVolumes.h"

#include <array>

#include "wcrt.h"

namespace {

// Occupied side: V = (a²/4)·(H1 + H2 + H3 + H4); the empty side shows "0.0".
void AllOneSideVolumes(PaneVolumeResult& r, const SquarePane& p, const SquareCase& row) {
    PaneSideResult& occupied = SideOf(r, row.side);
    occupied.volume = p.A / 4.0 * p.S;
    occupied.formula = L"(a^2/4)*(h1+h2+h3+h4)";
    occupied.process =
        wcrtFormat(L"(%G*%G/4.0)*(%G+%G+%G+%G)", p.a, p.a, p.H[0], p.H[1], p.H[2], p.H[3]);
    SideOf(r, OtherSide(row.side)).process = L"0.0";
}

// The three corners other than k, ascending.
std::array<int, 3> OthersOf(int k) {
    std::array<int, 3> others{};
    size_t n = 0;
    for (int c = 1; c <= 4; ++c)
        if (c != k) others[n++] = c;
    return others;
}

// Zero-distance family, lone corner k:
//   V_k = b·c·H_k/6,  V_r = (a² − b·c/2)·(S − H_k)/5.
void LoneZeroDistance(PaneSideResult& lone, PaneSideResult& rest, const SquarePane& p, int k,
                      const CaseZeroDistances& z) {
    const std::array<int, 3> o = OthersOf(k);
    lone.volume = z.b * z.c * p.Hk(k) / 6.0;
    rest.volume = (p.A - z.b * z.c / 2.0) * (p.S - p.Hk(k)) / 5.0;
    lone.formula = wcrtFormat(L"(b*c*h%d)/6", k);
    lone.process = wcrtFormat(L"(%G*%G*%G)/6", z.b, z.c, p.Hk(k));
    rest.formula = wcrtFormat(L"(a^2-b*c/2)*((h%d+h%d+h%d)/5)", o[0], o[1], o[2]);
    rest.process = wcrtFormat(L"(%G*%G-%G*%G/2)*((%G+%G+%G)/5)", p.a, p.a, z.b, z.c, p.Hk(o[0]),
                              p.Hk(o[1]), p.Hk(o[2]));
}

// Cubic family, lone corner k with neighbours lo, hi and opposite op:
//   V_k = a²·H_k³ / (6·(H_k + H_lo)·(H_k + H_hi))   (0 without denominator),
//   V_r = (2·H_lo + H_op + 2·H_hi − H_k)·a²/6 + V_k.
void LoneCubic(PaneSideResult& lone, PaneSideResult& rest, const SquarePane& p, int k,
               PaneSide loneSide) {
    const CornerNeighbours& n = NeighboursOf(k);
    const double Hk = p.Hk(k), Hlo = p.Hk(n.lower), Hhi = p.Hk(n.higher), Hop = p.Hk(n.opposite);
    const double denominator = 6.0 * (Hk + Hlo) * (Hk + Hhi);
    lone.volume = denominator == 0.0 ? 0.0 : p.A * Hk * Hk * Hk / denominator;
    rest.volume = (2.0 * Hlo + Hop + 2.0 * Hhi - Hk) * p.A / 6.0 + lone.volume;
    lone.formula = wcrtFormat(L"(a^2/6)*(h%d^3/((h%d+h%d)*(h%d+h%d)))", k, n.lower, k, n.higher, k);
    lone.process = wcrtFormat(L"(%G*%G*%G^3)/(6*(%G+%G)*(%G+%G))", p.a, p.a, Hk, Hlo, Hk, Hhi, Hk);
    rest.formula = wcrtFormat(L"(a^2/6)*(2*h%d+h%d+2*h%d-h%d)+%s", n.lower, n.opposite, n.higher, k,
                              loneSide == PaneSide::Fill ? L"S填" : L"S挖");
    rest.process =
        wcrtFormat(L"(%G*%G/6)*(2*%G+%G+2*%G-%G) + %G", p.a, p.a, Hlo, Hop, Hhi, Hk, lone.volume);
}

// Squared-sum family, lone corner k:
//   V_k = a²·H_k²/(4·S),  V_r = a²·(S − H_k)²/(4·S)   (both 0 when S = 0).
void LoneSquaredSum(PaneSideResult& lone, PaneSideResult& rest, const SquarePane& p, int k) {
    const std::array<int, 3> o = OthersOf(k);
    const double Hk = p.Hk(k), R3 = p.S - Hk;
    lone.volume = p.S == 0.0 ? 0.0 : p.A * Hk * Hk / (4.0 * p.S);
    rest.volume = p.S == 0.0 ? 0.0 : p.A * R3 * R3 / (4.0 * p.S);
    lone.formula = wcrtFormat(L"(a^2*h%d^2)/(4*(h1+h2+h3+h4))", k);
    lone.process = wcrtFormat(L"((%G*%G)*(%G*%G))/(4*(%G+%G+%G+%G))", p.a, p.a, Hk, Hk, p.H[0],
                              p.H[1], p.H[2], p.H[3]);
    rest.formula = wcrtFormat(L"(a^2*(h%d+h%d+h%d)^2)/(4*(h1+h2+h3+h4))", o[0], o[1], o[2]);
    rest.process = wcrtFormat(L"((%G*%G)*(%G+%G+%G)^2)/(4*(%G+%G+%G+%G))", p.a, p.a, p.Hk(o[0]),
                              p.Hk(o[1]), p.Hk(o[2]), p.H[0], p.H[1], p.H[2], p.H[3]);
}

void LoneCornerVolumes(PaneVolumeResult& r, const SquarePane& p, const SquareCase& row,
                       SquareFamily family) {
    PaneSideResult& lone = SideOf(r, row.side);
    PaneSideResult& rest = SideOf(r, OtherSide(row.side));
    if (family == SquareFamily::ZeroDistance)
        LoneZeroDistance(lone, rest, p, row.corner, ZeroDistancesOf(p, row));
    else if (family == SquareFamily::Cubic)
        LoneCubic(lone, rest, p, row.corner, row.side);
    else
        LoneSquaredSum(lone, rest, p, row.corner);
}

// The corners of the cut pair, ascending, for a fill pair (j, k).
std::array<int, 2> CutPairOf(int j, int k) {
    std::array<int, 2> cut{};
    size_t n = 0;
    for (int c = 1; c <= 4; ++c)
        if (c != j && c != k) cut[n++] = c;
    return cut;
}

// Zero-distance family, fill pair (j, k), cut pair (m, n):
//   V_fill = (a/8)·(b + c)·(H_j + H_k),  V_cut = (a/8)·(2a − (b + c))·(H_m + H_n).
void PairZeroDistance(PaneVolumeResult& r, const SquarePane& p, const SquareCase& row) {
    const int j = row.corner, k = row.partner;
    const std::array<int, 2> o = CutPairOf(j, k);
    const CaseZeroDistances z = ZeroDistancesOf(p, row);
    r.fill.volume = p.a / 8.0 * (z.b + z.c) * (p.Hk(j) + p.Hk(k));
    r.cut.volume = p.a / 8.0 * (2.0 * p.a - (z.b + z.c)) * (p.Hk(o[0]) + p.Hk(o[1]));
    r.fill.formula = wcrtFormat(L"(a/8)*(b+c)*(h%d+h%d)", j, k);
    r.fill.process = wcrtFormat(L"%G*(%G+%G)*(%G+%G)/8", p.a, z.b, z.c, p.Hk(j), p.Hk(k));
    r.cut.formula = wcrtFormat(L"(a/8)*(2*a-(b+c))*(h%d+h%d)", o[0], o[1]);
    r.cut.process =
        wcrtFormat(L"%G*(2*%G-(%G+%G))*(%G+%G)/8", p.a, p.a, z.b, z.c, p.Hk(o[0]), p.Hk(o[1]));
}

// One fraction H_x²/(H_y + H_z) of the cubic pair formula, corners as they
// stand in the text.
struct CubicFraction {
    int x, y, z;
};

struct CubicPairTexts {
    int j, k;  // fill pair
    const wchar_t* fillFormula;
    std::array<CubicFraction, 2> fill;
    const wchar_t* cutFormula;
    std::array<CubicFraction, 2> cut;
};

// The texts as the system has always written them (the capital H in the cut
// formulas included); each fraction's denominator is its corner plus that
// corner's edge neighbour on the other side.
const std::array<CubicPairTexts, 4> kCubicPairs = {{
    {3,
     4,
     L"(a^2/4)*(h4^2/(h1+h4)+h3^2/(h2+h3))",
     {{{4, 1, 4}, {3, 2, 3}}},
     L"(a^2/4)*(h1^2/(H4+h1)+h2^2/(h3+h2))",
     {{{1, 4, 1}, {2, 3, 2}}}},
    {2,
     3,
     L"(a^2/4)*(h2^2/(h1+h2)+h3^2/(h4+h3))",
     {{{2, 1, 2}, {3, 4, 3}}},
     L"(a^2/4)*(h1^2/(H2+h1)+h4^2/(h3+h4))",
     {{{1, 2, 1}, {4, 3, 4}}}},
    {1,
     2,
     L"(a^2/4)*(h1^2/(h4+h1)+h2^2/(h3+h2))",
     {{{1, 4, 1}, {2, 3, 2}}},
     L"(a^2/4)*(h3^2/(H2+h3)+h4^2/(h1+h4))",
     {{{3, 2, 3}, {4, 1, 4}}}},
    {1,
     4,
     L"(a^2/4)*(h1^2/(h2+h1)+h4^2/(h3+h4))",
     {{{1, 2, 1}, {4, 3, 4}}},
     L"(a^2/4)*(h2^2/(H1+h2)+h3^2/(h4+h3))",
     {{{2, 1, 2}, {3, 4, 3}}}},
}};

// (a²/4)·Σ H_x²/(H_y + H_z), each fraction 0 when its denominator is 0.
void SetCubicPairSide(PaneSideResult& side, const SquarePane& p, const wchar_t* formula,
                      const std::array<CubicFraction, 2>& f) {
    double sum = 0.0;
    for (const CubicFraction& q : f) {
        const double denominator = p.Hk(q.y) + p.Hk(q.z);
        if (denominator != 0.0) sum += p.Hk(q.x) * p.Hk(q.x) / denominator;
    }
    side.volume = p.A / 4.0 * sum;
    side.formula = formula;
    side.process = wcrtFormat(L"(%G*%G/4)*(%G*%G/(%G+%G)+%G*%G/(%G+%G))", p.a, p.a, p.Hk(f[0].x),
                              p.Hk(f[0].x), p.Hk(f[0].y), p.Hk(f[0].z), p.Hk(f[1].x), p.Hk(f[1].x),
                              p.Hk(f[1].y), p.Hk(f[1].z));
}

void PairCubic(PaneVolumeResult& r, const SquarePane& p, const SquareCase& row) {
    for (const CubicPairTexts& t : kCubicPairs) {
        if (t.j != row.corner || t.k != row.partner) continue;
        SetCubicPairSide(r.fill, p, t.fillFormula, t.fill);
        SetCubicPairSide(r.cut, p, t.cutFormula, t.cut);
    }
}

// Squared-sum family: V = a²·(H_x + H_y)²/(4·S) for each pair (0 when S = 0).
void SetSquaredSumPairSide(PaneSideResult& side, const SquarePane& p, int x, int y) {
    const double sum = p.Hk(x) + p.Hk(y);
    side.volume = p.S == 0.0 ? 0.0 : p.A * sum * sum / (4.0 * p.S);
    side.formula = wcrtFormat(L"(a^2*(h%d+h%d)^2)/(4*(h1+h2+h3+h4))", x, y);
    side.process = wcrtFormat(L"((%G*%G)*(%G+%G)^2)/(4*(%G+%G+%G+%G))", p.a, p.a, p.Hk(x), p.Hk(y),
                              p.H[0], p.H[1], p.H[2], p.H[3]);
}

void PairVolumes(PaneVolumeResult& r, const SquarePane& p, const SquareCase& row,
                 SquareFamily family) {
    if (family == SquareFamily::ZeroDistance) return PairZeroDistance(r, p, row);
    if (family == SquareFamily::Cubic) return PairCubic(r, p, row);
    const std::array<int, 2> o = CutPairOf(row.corner, row.partner);
    SetSquaredSumPairSide(r.fill, p, row.corner, row.partner);
    SetSquaredSumPairSide(r.cut, p, o[0], o[1]);
}

// Pyramid of cut corner c between fill neighbours r and s:
//   a²·H_c³ / (6·(H_c + H_r)·(H_c + H_s)), 0 without denominator.
double CornerPyramid(const SquarePane& p, int c, int r, int s) {
    const double Hc = p.Hk(c);
    const double denominator = 6.0 * (Hc + p.Hk(r)) * (Hc + p.Hk(s));
    return denominator == 0.0 ? 0.0 : p.A * Hc * Hc * Hc / denominator;
}

// Opposite corners p, q cut, r, s fill (every family):
//   V_cut = pyramid(p) + pyramid(q),
//   V_fill = (2·H_r + 2·H_s − H_p − H_q)·a²/6 + V_cut.
void OppositeVolumes(PaneVolumeResult& res, const SquarePane& p, const SquareCase& row) {
    const int cp = row.corner, cq = row.partner;
    const CornerNeighbours& n = NeighboursOf(cp);
    const int r = n.lower, s = n.higher;
    const double Hp = p.Hk(cp), Hq = p.Hk(cq), Hr = p.Hk(r), Hs = p.Hk(s);
    res.cut.volume = CornerPyramid(p, cp, r, s) + CornerPyramid(p, cq, r, s);
    res.fill.volume = (2.0 * Hr + 2.0 * Hs - Hp - Hq) * p.A / 6.0 + res.cut.volume;
    res.cut.formula =
        wcrtFormat(L"(a^2*h%d^3)/(6*(h%d+h%d)*(h%d+h%d))+(a^2*h%d^3)/(6*(h%d+h%d)*(h%d+h%d))", cp,
                   cp, r, cp, s, cq, cq, r, cq, s);
    res.cut.process =
        wcrtFormat(L"(%G*%G*%G^3)/(6*(%G+%G)*(%G+%G))+(%G*%G*%G^3)/(6*(%G+%G)*(%G+%G))", p.a, p.a,
                   Hp, Hp, Hr, Hp, Hs, p.a, p.a, Hq, Hq, Hr, Hq, Hs);
    res.fill.formula = wcrtFormat(L"(a^2/6)*(2*h%d+2*h%d-h%d-h%d)+S挖", r, s, cp, cq);
    res.fill.process =
        wcrtFormat(L"(%G*%G/6.0)*(2*%G+2*%G-%G-%G) + %G", p.a, p.a, Hr, Hs, Hp, Hq, res.cut.volume);
}

}  // namespace

PaneVolumeResult BuiltInSquareVolumes(const SquarePane& pane, const SquareCase& row,
                                      SquareFamily family) {
    PaneVolumeResult result;
    switch (row.kind) {
        case SquareClass::AllOneSide:
            AllOneSideVolumes(result, pane, row);
            break;
        case SquareClass::LoneCorner:
            LoneCornerVolumes(result, pane, row, family);
            break;
        case SquareClass::Pair:
            PairVolumes(result, pane, row, family);
            break;
        case SquareClass::Opposite:
            OppositeVolumes(result, pane, row);
            break;
    }
    SetSquareAreas(result, pane, row);
    return result;
}

PaneVolumeResult CalcSquareVolumes(const SettingsReader& settings,
                                   std::span<const AcGePoint3d> points,
                                   std::span<const double> first, std::span<const double> second) {
    const SquareFamily family = ReadSquareFamily(settings);
    const SquarePane pane = MakeSquarePane(points, first, second);
    const SquareCase& row = SelectSquareCase(pane.h);
    if (family == SquareFamily::UserFormulas) return UserSquareVolumes(settings, pane, row);
    return BuiltInSquareVolumes(pane, row, family);
}
