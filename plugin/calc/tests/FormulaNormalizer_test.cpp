#include "FormulaNormalizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const wchar_t* text;
    const wchar_t* normalised;
};

TEST(FormulaNormalizer, RewritesInOrder) {
    const std::vector<Case> cases = {
        {L"( 1 , 5 )", L"1.5"},
        {L"[1+2]*{3}", L"(1+2)*(3)"},
        {L"2*(1)+3", L"2+3"},
        {L"(1)*3", L"3"},
        {L"(1)*(1)*3", L"3"},
        {L"2*(1)*(1)^2", L"2*(1)^2"},
        {L"2/(1)*3", L"2/(1)*3"},
        {L"2^(1)*3", L"2^(1)*3"},
        {L"SQRT(1)*4", L"SQRT(1)*4"},
        {L"-(1)*2", L"-(1)*2"},
        {L"5-(1)*2", L"5-2"},
        {L"2*(x)", L"2*x"},
        {L"((x)*2)", L"x*2"},
        {L"1+(x)*2-(x)*3", L"1+x*2-x*3"},
        {L"2*(X)", L"2*(X)"},  // the rewrites are case-sensitive
        {L"(sin(x))*2+(ln(x))", L"sin(x)*2+ln(x)"},
        {L"((1)+(2))", L"(1)+(2)"},
        {L"(((2)))", L"2"},
        {L"((1)", L"((1)"},
        {L"(1))", L"(1))"},
        {L"(1+((2)))*3", L"(1+(2))*3"},
        {L"2*((3+4))", L"2*(3+4)"},
        {L"2*(((3)+(4)))", L"2*((3)+(4))"},
        {L"+ +5\t\n", L"5"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalizeFormula(c.text), std::wstring(c.normalised))
            << "formula " << std::string(c.text, c.text + std::wcslen(c.text));
    }
}

}  // namespace
