#include "FormulaText.h"

#include <gtest/gtest.h>

#include "PaneTestSupport.h"

namespace {

TEST(FormulaText, GTextIsPrintfG) {
    EXPECT_EQ(GText(20.0), L"20");
    EXPECT_EQ(GText(0.1234567), L"0.123457");
    EXPECT_EQ(GText(6.6e-5), L"6.6E-05");
    EXPECT_EQ(GText(1234567.0), L"1.23457E+06");
}

// The evaluator stops at the letter of an exponent, so values that "%G"
// writes with one are written in plain decimals of the same rounded value.
TEST(FormulaText, EvaluableTextKeepsTheRoundedValueWithoutExponent) {
    const std::pair<double, const wchar_t*> cases[] = {
        {20.0, L"20"},           {0.1234567, L"0.123457"},      {6.6e-5, L"0.0000660000"},
        {1234567.0, L"1234570"}, {-2.5e-7, L"-0.000000250000"}, {0.0, L"0"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(EvaluableGText(value), text) << value;
        EXPECT_DOUBLE_EQ(panetest::Evaluate(EvaluableGText(value)),
                         std::wcstod(GText(value).c_str(), nullptr));
    }
}

TEST(FormulaText, SubstituteFillsShownAndEvaluatedAlike) {
    FormulaText text(L"(h1*s)/3+h1");
    text.Substitute(L"h1", 2.0);
    text.Substitute(L"s", 3e-5);
    EXPECT_EQ(text.Shown(), L"(2*3E-05)/3+2");
    EXPECT_EQ(text.Evaluated(), L"(2*0.0000300000)/3+2");
    EXPECT_NEAR(EvaluateFormula(text.Evaluated(), 1.0), 2.00002, 1e-12);
}

TEST(FormulaText, ReplaceAllDoesNotRescanInsertedText) {
    EXPECT_EQ(ReplaceAll(L"aXa", L"a", L"aa"), L"aaXaa");
    EXPECT_EQ(ReplaceAll(L"abc", L"", L"z"), L"abc");
    EXPECT_EQ(LowerAscii(L"TAN(H1)+S填"), L"tan(h1)+s填");
}

}  // namespace
