#include "PaneSettings.h"

#include "wcrt.h"

namespace {

const wchar_t* const kSquareFamilyName = L"CALTUFMODE";
const wchar_t* const kTriangleModeName = L"CALTUFTriMODE";
const wchar_t* const kUserFormulaStem = L"CalTuFFormula";

std::wstring ReadTrimmed(const SettingsReader& settings, const wchar_t* name) {
    return wcrtTrim(settings.value(name).value_or(std::wstring()));
}

}  // namespace

// Empty selects the zero-distance family; otherwise the text's leading
// integer (0 for a text that is not a number) selects it, and numbers without
// a family of their own select the squared-sum formulas.
SquareFamily ReadSquareFamily(const SettingsReader& settings) {
    const std::wstring text = ReadTrimmed(settings, kSquareFamilyName);
    if (text.empty()) return SquareFamily::ZeroDistance;
    switch (_wtoi(text.c_str())) {
        case 0: return SquareFamily::UserFormulas;
        case 2: return SquareFamily::ZeroDistance;
        case 3: return SquareFamily::Cubic;
        case 4: return SquareFamily::FourTriangles;
        default: return SquareFamily::SquaredSum;
    }
}

TriangleMode ReadTriangleMode(const SettingsReader& settings) {
    const std::wstring text = ReadTrimmed(settings, kTriangleModeName);
    if (text.empty()) return TriangleMode::BuiltIn;
    switch (_wtoi(text.c_str())) {
        case 1: return TriangleMode::Geometric;
        case 2: return TriangleMode::BuiltIn;
        default: return TriangleMode::UserFormula;
    }
}

std::wstring UserFormulaName(int number) { return kUserFormulaStem + std::to_wstring(number); }

std::wstring ReadUserFormula(const SettingsReader& settings, int number) {
    return settings.value(UserFormulaName(number)).value_or(std::wstring());
}
