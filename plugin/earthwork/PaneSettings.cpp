#include "PaneSettings.h"

#include "wcrt.h"

// The text's leading integer (0 for a text that is not a number) selects the
// family; numbers without a family of their own select the squared-sum
// formulas. An empty text reads as the default, the zero-distance family.
SquareFamily ReadSquareFamily(const SettingsReader& settings) {
    switch (_wtoi(SettingText(settings, Setting::SquareFamily).c_str())) {
        case 0:
            return SquareFamily::UserFormulas;
        case 2:
            return SquareFamily::ZeroDistance;
        case 3:
            return SquareFamily::Cubic;
        case 4:
            return SquareFamily::FourTriangles;
        default:
            return SquareFamily::SquaredSum;
    }
}

TriangleMode ReadTriangleMode(const SettingsReader& settings) {
    switch (_wtoi(SettingText(settings, Setting::TriangleMode).c_str())) {
        case 1:
            return TriangleMode::Geometric;
        case 2:
            return TriangleMode::BuiltIn;
        default:
            return TriangleMode::UserFormula;
    }
}

std::wstring UserFormulaName(int number) { return RowOf(UserFormulaSetting(number)).name; }

std::wstring ReadUserFormula(const SettingsReader& settings, int number) {
    return SettingText(settings, UserFormulaSetting(number));
}
