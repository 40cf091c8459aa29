#include <gtest/gtest.h>

#include "PaneTestSupport.h"
#include "SquareVolumes.h"

namespace {

using panetest::MakePane;
using panetest::Settings;

struct UserCase {
    const char* what;
    std::vector<double> h;  // a = 20 throughout
    const wchar_t* name;    // CalTuFFormula<n>
    const wchar_t* setting;
    double fill;
    double cut;
    const wchar_t* fillFormula;
    const wchar_t* fillProcess;
    const wchar_t* cutFormula;
    const wchar_t* cutProcess;
};

// Canonical numbering: corner 1 of the formula is the lone corner, the pair
// corner followed by its partner, or corner 1 / 2 of the opposite rows.
const UserCase kCases[] = {
    // Corner 4 alone (fill): h1 = H4 = 0.2, h2 = H1 = 0.3; b = 8, c = 6.66667.
    {"lone corner turned",
     {0.3, 0.6, 0.4, -0.2},
     L"CalTuFFormula3",
     L"[+V=H1+h2*A][-V=b*c*h1]",
     8 * 6.66667 * 0.2,
     0.2 + 0.3 * 20,
     L"b*c*h1",
     L"8*6.66667*0.2",
     L"H1+h2*A",
     L"0.2+0.3*20"},
    // Pair 3, 4 (fill): h1 = H3 = 0.4, h2 = H4 = 0.2; the -V part stands first.
    {"pair, -V first",
     {0.3, 0.6, -0.4, -0.2},
     L"CalTuFFormula2",
     L"[-V=h1*x][+V=h2*x]",
     0.2 * 20,
     0.4 * 20,
     L"h2*x",
     L"0.2*20",
     L"h1*x",
     L"0.4*20"},
    // Pair 1, 4 turns at corner 4: h1 = H4, h2 = H1, h3 = H2, h4 = H3.
    {"pair 1, 4",
     {-0.3, 0.6, 0.4, -0.2},
     L"CalTuFFormula2",
     L"[+V=h1*10+h2][-V=h3*10+h4]",
     2.3,
     6.4,
     L"h1*10+h2",
     L"0.2*10+0.3",
     L"h3*10+h4",
     L"0.6*10+0.4"},
    // Opposite 2, 4 cut: turned at corner 2.
    {"opposite 2, 4",
     {-0.3, 0.6, -0.4, 0.2},
     L"CalTuFFormula4",
     L"[+V=h1*100+h3][-V=h2*100+h4]",
     40.3,
     60.2,
     L"h2*100+h4",
     L"0.4*100+0.3",
     L"h1*100+h3",
     L"0.6*100+0.2"},
    // All on one side with an empty +V part: the -V part is used.
    {"all cut, empty +V",
     {0.3, 0.6, 0.4, 0.2},
     L"CalTuFFormula1",
     L"[+V=][-V=x*x*h1]",
     0,
     120,
     L"",
     L"0.0",
     L"a*a*h1",
     L"20*20*0.3"},
    // +V without the variable: the -V part is used.
    {"all fill, +V without x",
     {-0.3, -0.6, -0.4, -0.2},
     L"CalTuFFormula1",
     L"[+V=h1+h2][-V=X*h2]",
     12,
     0,
     L"a*h2",
     L"20*0.6",
     L"",
     L"0.0"},
    {"all cut, +V with a",
     {0.3, 0.6, 0.4, 0.2},
     L"CalTuFFormula1",
     L"[+V=A*H1]",
     0,
     6,
     L"",
     L"0.0",
     L"a*h1",
     L"20*0.3"},
    // The a inside "tan" becomes x too, and "txn" is no function: 0.
    {"tan loses its a",
     {0.3, 0.6, 0.4, -0.2},
     L"CalTuFFormula3",
     L"[+V=tan(h1)][-V=1]",
     1,
     0,
     L"1",
     L"1",
     L"tan(h1)",
     L"t20n(0.2)"},
    // No setting: both parts empty, volumes 0.
    {"no setting", {0.3, 0.6, -0.4, -0.2}, L"CalTuFFormula9", L"", 0, 0, L"", L"", L"", L""},
};

TEST(UserSquareVolumes, PartsTurningAndTexts) {
    for (const UserCase& c : kCases) {
        const MapSettingsReader settings = Settings({{L"CALTUFMODE", L"0"}, {c.name, c.setting}});
        const panetest::Pane pane = MakePane(panetest::SquareCorners(20.0), c.h);
        const PaneVolumeResult r =
            CalcSquareVolumes(settings, pane.points, pane.first, pane.second);
        EXPECT_NEAR(r.fill.volume, c.fill, 1e-9) << c.what;
        EXPECT_NEAR(r.cut.volume, c.cut, 1e-9) << c.what;
        EXPECT_EQ(r.fill.formula, c.fillFormula) << c.what;
        EXPECT_EQ(r.fill.process, c.fillProcess) << c.what;
        EXPECT_EQ(r.cut.formula, c.cutFormula) << c.what;
        EXPECT_EQ(r.cut.process, c.cutProcess) << c.what;
        // Areas are those of the built-in families.
        const PaneVolumeResult builtIn =
            CalcSquareVolumes(Settings({}), pane.points, pane.first, pane.second);
        EXPECT_EQ(r.fill.area, builtIn.fill.area) << c.what;
        EXPECT_EQ(r.cut.area, builtIn.cut.area) << c.what;
    }
}

}  // namespace
