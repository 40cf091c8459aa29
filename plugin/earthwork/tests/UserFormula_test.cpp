#include "UserFormula.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const wchar_t* text;
    const wchar_t* plus;
    const wchar_t* minus;
};

const SplitCase kSplitCases[] = {
    {L"[+V=h1*x][-V=h2*x]", L"h1*x", L"h2*x"},
    {L"[-V=h1*x][+V=h2*x]", L"h2*x", L"h1*x"},
    {L"[+V=][-V=x*x*h1]", L"", L"x*x*h1"},
    {L"[+V=h1*x]", L"h1*x", L""},
    // Only a -V part: there is no +V formula.
    {L"[-V=h1*x]", L"", L"h1*x"},
    {L"[-V=h1*x]trailing", L"", L"h1*x"},
    {L"", L"", L""},
    {L"[+V=h1*x", L"", L""},
    {L"h1*x]", L"h1*x", L""},
    {L"[+V=h1][-V=h2]extra]", L"h1", L"h2"},
    {L"[+V=a+b][c]", L"a+b", L"[c"},
};

TEST(SplitUserFormula, SplitsBothOrdersAndMissingParts) {
    for (const SplitCase& c : kSplitCases) {
        std::wstring plus = L"stale", minus = L"stale";
        SplitUserFormula(c.text, plus, minus);
        EXPECT_EQ(plus, c.plus) << c.text;
        EXPECT_EQ(minus, c.minus) << c.text;
    }
}

}  // namespace
