#include "FormulaParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

const std::wstring kNone;
const std::wstring kDivide = L" Divide by zero!";
const std::wstring kRoot = L" No SQRT from neg. values!";
const std::wstring kDomain = L" General Parser Error blocked!";
constexpr double kPi = std::numbers::pi;
constexpr double kTinyX = 1.1754943508222875e-38;  // what x = 0 becomes

struct Case {
    const wchar_t* text;
    double x;
    double value;
    std::wstring error;
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        CFormulaParser parser;
        const double value = parser.Evaluate(c.text, c.x);
        SCOPED_TRACE(testing::Message()
                     << "formula " << std::string(c.text, c.text + std::wcslen(c.text)));
        // Relative tolerance: the table's values are written with up to 9
        // significant digits, and some are as small as 1e-34.
        EXPECT_NEAR(value, c.value, std::fabs(c.value) * 1e-12 + 1e-300);
        EXPECT_EQ(parser.ErrorText(), c.error);
    }
}

TEST(FormulaParser, PrecedenceAndAssociativity) {
    expectCases({
        {L"2+3*4", 1, 14, kNone},
        {L"2^3^2", 1, 64, kNone},
        {L"10-4-3", 1, 3, kNone},
        {L"24/4/3", 1, 2, kNone},
        {L"-2^2", 1, 4, kNone},  // unary minus binds tighter than ^
        {L"2^-2", 1, 0.25, kNone},
        {L"2^-1", 1, 0.5, kNone},
        {L"--2", 1, -2, kNone},  // -(empty) then binary minus
        {L"(20^2/4)*(0.3+0.6+0.4+0.2)", 1, 150, kNone},
        {L"(1+2", 1, 3, kNone},  // a missing ")" is accepted
    });
}

TEST(FormulaParser, PowersOfNonPositiveBases) {
    expectCases({
        {L"(-8)^(1/3)", 1, -8, kRoot},
        {L"(-3)^0", 1, -3, kRoot},
        {L"(-3)^1", 1, -3, kRoot},
        {L"(-3)^2", 1, 9, kNone},
        {L"(-2)^-2", 1, 0.25, kNone},
        {L"0^2", 1, 0, kNone},
        {L"0^0.5", 1, 0, kRoot},
    });
}

TEST(FormulaParser, ErrorsKeepTheValueAndTheLastOneWins) {
    expectCases({
        {L"5/0", 1, 5, kDivide},
        {L"5/(2-2)*3", 1, 15, kDivide},
        {L"SQRT(-4)", 1, -4, kDomain},
        {L"EXP(42)", 1, 42, kDomain},
        {L"ARCSIN(1)", 1, 1, kDomain},
        {L"ARCCOS(1)", 1, 0, kNone},
        {L"LN(-1)", 1, -1, kDomain},
        {L"ARCOSH(0.5)", 1, 0.5, kDomain},
        {L"ARTANH(2)", 1, 2, kDomain},
        {L"TAN(0)", 1, 0, kNone},
        {L"5/0+SQRT(-4)", 1, 1, kDomain},
        {L"SQRT(-4)+5/0", 1, 1, kDivide},
    });
}

TEST(FormulaParser, FunctionsAndPrefixMatching) {
    expectCases({
        {L"sinh(0)", 1, 0, kNone},  // "SINH" is tried before "SIN"
        {L"cos(0)", 1, 1, kNone},
        {L"sinx", 0.5, std::sin(0.5), kNone},
        {L"cot(1)", 1, std::cos(1.0) / std::sin(1.0), kNone},
        {L"ABS(-2.5)", 1, 2.5, kNone},
        {L"LOG(100)", 1, 2, kNone},
        {L"LN(1)", 1, 0, kNone},
        {L"EXP(0)", 1, 1, kNone},
        {L"ARCTAN(1)", 1, kPi / 4, kNone},
        {L"INT(3.7)", 1, 3, kNone},
        {L"INT(-3.7)", 1, -3, kNone},
        {L"INT(10000000000)", 1, -2147483648.0, kNone},
        {L"SIGN(-2)+SIGN(3)+SIGN(0)", 1, 0, kNone},
        {L"RAD(180)", 1, kPi, kNone},
        {L"DEG(PI)", 1, 180, kNone},
        {L"ARSINH(-1)", 1, -std::asinh(1.0), kNone},
        {L"ARSINH(1)", 1, std::asinh(1.0), kNone},
        {L"ARCOSH(2)", 1, std::acosh(2.0), kNone},
        {L"ARTANH(0.5)", 1, std::atanh(0.5), kNone},
        {L"KGV(7)+GGT(8)", 1, 15, kNone},
        {L"PI*2", 1, 2 * kPi, kNone},
        {L"PI+1", 1, kPi + 1, kNone},
        {L"PIX", 5, kPi, kNone},  // PI takes X as its ignored argument
        {L"SQRTSQRT16", 1, 2, kNone},
    });
}

TEST(FormulaParser, ConstantsAndVariables) {
    expectCases({
        {L"_c", 1, 299792458, kNone},
        {L"_h_bar", 1, 1.05457266e-34, kNone},
        {L"_h", 1, 6.6260755e-34, kNone},
        {L"_h_BAR_MeVs", 1, 6.582122e-22, kNone},
        {L"_G_SI", 1, 6.67259e-11, kNone},
        {L"_g_s", 1, 0.117, kNone},
        {L"_Alpha", 1, 259, kNone},
        {L"_g*2", 1, 19.6133, kNone},
        {L"_c+1", 1, 299792459, kNone},
        {L"A+B*2+h", 1, 0, kNone},  // variables nobody sets are 0
    });
}

TEST(FormulaParser, VariableX) {
    expectCases({
        {L"x*2", 3, 6, kNone},
        {L"X*2", 3, 6, kNone},
        {L"x*2", 0, 2 * kTinyX, kNone},
        {L"x*2", -0.0, 2 * kTinyX, kNone},
        {L"1/x", 0, 1 / kTinyX, kNone},
    });
}

TEST(FormulaParser, NumbersAndNormalisedText) {
    expectCases({
        {L"3,5*2", 1, 7, kNone},
        {L"[1+2]*{3}", 1, 9, kNone},
        {L"((1+2))", 1, 3, kNone},
        {L"2 3", 1, 23, kNone},
        {L"+5", 1, 5, kNone},
        {L"2+3\t", 1, 5, kNone},
        {L"1.2.3", 1, 1.2, kNone},
        {L".5+.", 1, 0.5, kNone},
        {L"", 1, 0, kNone},
        {L"   ", 1, 0, kNone},
    });
}

TEST(FormulaParser, UnexpectedCharacterStopsTheEvaluation) {
    expectCases({
        {L"2*1E-005+3", 1, 2, L"Error found on position 4!"},
        {L"2)3", 1, 2, L"Error found on position 2!"},
        {L"2*\u9ad8", 1, 0, L"Error found on position 3!"},
        {L"5/0)", 1, 5, L"Error found on position 4!"},
    });
}

TEST(FormulaParser, NormalisationKeepsTheValue) {
    expectCases({
        {L"((1)+(2))", 1, 3, kNone},
        {L"(1+((2)))*3", 1, 9, kNone},
        {L"((2)+3)*((4))", 1, 20, kNone},
        {L"2/(1)*3", 1, 6, kNone},
        {L"2^(1)*3", 1, 6, kNone},
        {L"2*(1)^3", 1, 2, kNone},
        {L"SQRT(1)*4", 1, 4, kNone},
        {L"-(1)*2^2", 1, -4, kNone},
        {L"2^-(1)*3", 1, 1.5, kNone},
        {L"2*(1)+3", 1, 5, kNone},
        {L"5-(1)*3", 1, 2, kNone},
        {L"2*(x)^2", 3, 18, kNone},
        {L"(sin(x))^2", 0.5, std::sin(0.5) * std::sin(0.5), kNone},
        {L"ABS(sin(x))", -0.5, std::sin(0.5), kNone},
    });
}

std::wstring repeat(const std::wstring& part, size_t count) {
    std::wstring out;
    for (size_t i = 0; i < count; ++i) out += part;
    return out;
}

TEST(FormulaParser, DeepNestingGivesZeroWithAnError) {
    const std::vector<std::wstring> deep = {
        repeat(L"(1+", 100000) + L"1" + repeat(L")", 100000),
        repeat(L"(", 100000) + L"1+1",
        repeat(L"SQRT", 100000) + L"4",
        repeat(L"-(", 100000) + L"1",
    };
    for (const std::wstring& text : deep) {
        CFormulaParser parser;
        EXPECT_EQ(parser.Evaluate(text, 1), 0.0);
        EXPECT_EQ(parser.ErrorText(), L"System Error: formula nested too deeply");
    }
    CFormulaParser parser;  // nesting as deep as real formulas is fine
    EXPECT_EQ(parser.Evaluate(repeat(L"(1+", 50) + L"1" + repeat(L")", 50), 1), 51.0);
}

TEST(FormulaParser, EachEvaluationStartsClean) {
    CFormulaParser parser;
    EXPECT_EQ(parser.Evaluate(L"5/0", 1), 5.0);
    EXPECT_EQ(parser.ErrorText(), kDivide);
    EXPECT_EQ(parser.Evaluate(L"x", 4), 4.0);
    EXPECT_EQ(parser.ErrorText(), kNone);
    EXPECT_EQ(parser.Evaluate(L"SQRT(-1)", 1), -1.0);
    EXPECT_EQ(parser.Evaluate(L"", 1), 0.0);
    EXPECT_EQ(parser.ErrorText(), kNone);
}

}  // namespace
