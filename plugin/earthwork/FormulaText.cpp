#include "FormulaText.h"

#include <cmath>
#include <cstdlib>

#include "FormulaParser.h"
#include "wcrt.h"

std::wstring GText(double value) { return wcrtFormat(L"%G", value); }

std::wstring EvaluableGText(double value) {
    std::wstring shown = GText(value);
    if (shown.find(L'E') == std::wstring::npos || !std::isfinite(value)) return shown;
    const double rounded = std::wcstod(shown.c_str(), nullptr);
    if (rounded == 0.0) return L"0";
    // Six significant digits need this many decimals below the first digit;
    // large values have no decimals beyond their integer part.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = exponent >= 5 ? 0 : 5 - exponent;
    return wcrtFormat(L"%.*f", decimals, rounded);
}

std::wstring ReplaceAll(std::wstring text, std::wstring_view symbol,
                        std::wstring_view replacement) {
    if (symbol.empty()) return text;
    size_t at = 0;
    while ((at = text.find(symbol, at)) != std::wstring::npos) {
        text.replace(at, symbol.size(), replacement);
        at += replacement.size();
    }
    return text;
}

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

void FormulaText::Substitute(std::wstring_view symbol, double value) {
    mShown = ReplaceAll(std::move(mShown), symbol, GText(value));
    mEvaluated = ReplaceAll(std::move(mEvaluated), symbol, EvaluableGText(value));
}

double EvaluateFormula(const std::wstring& text, double x, std::wstring* error) {
    CFormulaParser parser;
    const double value = parser.Evaluate(text, x);
    if (error != nullptr) *error = parser.ErrorText();
    return value;
}
