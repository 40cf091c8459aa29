// Formula texts with their symbols replaced by numbers. The process text shows
// every number as printf's "%G" prints it (six significant digits); the volume
// is evaluated from the same rounded numbers.
#pragma once

#include <string>
#include <string_view>

// The "%G" text of a value.
std::wstring GText(double value);

// The value that GText shows, written so that the evaluator reads it whole:
// the "%G" text itself when it is plain decimal, otherwise the same rounded
// value without an exponent (the evaluator stops at the letter of "1E-05").
std::wstring EvaluableGText(double value);

// Every occurrence of `symbol` in `text` replaced by `replacement`, scanning
// left to right without rescanning what was inserted.
std::wstring ReplaceAll(std::wstring text, std::wstring_view symbol, std::wstring_view replacement);

// Lower case of the ASCII letters; other characters are kept.
std::wstring LowerAscii(std::wstring text);

// A formula being filled in: `shown` receives the "%G" texts for the user,
// `evaluated` the same rounded values in a form the evaluator reads.
class FormulaText {
  public:
    explicit FormulaText(std::wstring text) : mShown(text), mEvaluated(std::move(text)) {}

    void Substitute(std::wstring_view symbol, double value);
    const std::wstring& Shown() const { return mShown; }
    const std::wstring& Evaluated() const { return mEvaluated; }

  private:
    std::wstring mShown;
    std::wstring mEvaluated;
};

// Value of a formula text with X = x, from a fresh evaluator per text. The
// value is the evaluator's whatever went wrong; `error`, when given, receives
// its error text (empty when there was none).
double EvaluateFormula(const std::wstring& text, double x, std::wstring* error = nullptr);
