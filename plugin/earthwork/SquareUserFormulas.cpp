// User formulas of square panes (CALTUFMODE 0). A user formula is written
// for a canonical numbering of the corners: canonical corner 1 is the case's
// turning corner t, and canonical corner n is pane corner ((t + n − 2) mod 4) + 1.
#include <array>

#include "FormulaText.h"
#include "PaneSettings.h"
#include "SquareVolumes.h"
#include "UserFormula.h"
#include "wcrt.h"

namespace {

// The setting number of each class's formula (CalTuFFormula<n>).
int FormulaNumberOf(SquareClass kind) {
    switch (kind) {
        case SquareClass::AllOneSide:
            return 1;
        case SquareClass::Pair:
            return 2;
        case SquareClass::LoneCorner:
            return 3;
        case SquareClass::Opposite:
            return 4;
    }
    return 1;
}

// Pane corner of canonical corner n for turning corner t.
int PaneCornerOf(int canonical, int turn) { return (turn + canonical - 2) % 4 + 1; }

struct EvaluatedPart {
    double volume = 0.0;
    std::wstring process;
};

// The formula of one class of square as the calculation uses it: its setting,
// for telling the user about a formula that is empty or fails.
struct UserFormula {
    const SettingsReader& settings;
    int number;
};

// Lower-cases the part, turns every "a" into the variable x, writes in the
// canonical heights (and b, c where the class has them) and evaluates it with
// x = a. The process text shows a where x stands.
EvaluatedPart EvaluatePart(const std::wstring& part, const SquarePane& pane, const SquareCase& row,
                           const UserFormula& formula) {
    FormulaText text(ReplaceAll(LowerAscii(part), L"a", L"x"));
    static const std::array<const wchar_t*, 4> kHeights = {L"h1", L"h2", L"h3", L"h4"};
    for (int n = 1; n <= 4; ++n)
        text.Substitute(kHeights[static_cast<size_t>(n - 1)], pane.Hk(PaneCornerOf(n, row.turn)));
    if (row.kind == SquareClass::LoneCorner || row.kind == SquareClass::Pair) {
        const CaseZeroDistances z = ZeroDistancesOf(pane, row);
        text.Substitute(L"b", z.b);
        text.Substitute(L"c", z.c);
    }
    EvaluatedPart result;
    std::wstring error;
    result.volume = EvaluateFormula(text.Evaluated(), pane.a, &error);
    result.process = ReplaceAll(text.Shown(), L"x", GText(pane.a));
    if (wcrtTrim(part).empty() || !error.empty())
        formula.settings.formulaFailed(UserFormulaName(formula.number), error);
    return result;
}

void SetFromPart(PaneSideResult& side, const std::wstring& part, const SquarePane& pane,
                 const SquareCase& row, const UserFormula& formula) {
    const EvaluatedPart evaluated = EvaluatePart(part, pane, row, formula);
    side.volume = evaluated.volume;
    side.formula = part;
    side.process = evaluated.process;
}

// All corners on one side: one formula, the +V part when it uses the
// variable (after "a" became x), otherwise the -V part.
void AllOneSideUser(PaneVolumeResult& r, const std::wstring& plus, const std::wstring& minus,
                    const SquarePane& pane, const SquareCase& row, const UserFormula& formula) {
    const std::wstring plusX = ReplaceAll(LowerAscii(plus), L"a", L"x");
    const std::wstring& used = plusX.find(L'x') != std::wstring::npos ? plus : minus;
    PaneSideResult& occupied = SideOf(r, row.side);
    SetFromPart(occupied, used, pane, row, formula);
    occupied.formula = ReplaceAll(LowerAscii(used), L"x", L"a");
    SideOf(r, OtherSide(row.side)).process = L"0.0";
}

}  // namespace

PaneVolumeResult UserSquareVolumes(const SettingsReader& settings, const SquarePane& pane,
                                   const SquareCase& row) {
    const UserFormula formula{settings, FormulaNumberOf(row.kind)};
    std::wstring plus, minus;
    SplitUserFormula(ReadUserFormula(settings, formula.number), plus, minus);
    PaneVolumeResult r;
    switch (row.kind) {
        case SquareClass::AllOneSide:
            AllOneSideUser(r, plus, minus, pane, row, formula);
            break;
        case SquareClass::LoneCorner:  // +V the remainder, -V the lone corner
            SetFromPart(SideOf(r, OtherSide(row.side)), plus, pane, row, formula);
            SetFromPart(SideOf(r, row.side), minus, pane, row, formula);
            break;
        case SquareClass::Pair:  // +V the fill pair, -V the cut pair
            SetFromPart(r.fill, plus, pane, row, formula);
            SetFromPart(r.cut, minus, pane, row, formula);
            break;
        case SquareClass::Opposite:  // +V the two cut pyramids, -V the fill
            SetFromPart(r.cut, plus, pane, row, formula);
            SetFromPart(r.fill, minus, pane, row, formula);
            break;
    }
    SetSquareAreas(r, pane, row);
    return r;
}
