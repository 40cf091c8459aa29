#include <gtest/gtest.h>

#include <cmath>

#include "wcrt.h"

namespace {

struct NumberCase {
    const wchar_t* text;
    double value;
};

TEST(Wcrt, WtofFollowsTheRuntimeRules) {
    const NumberCase cases[] = {
        {L"  12.5", 12.5}, {L"-3", -3.0},    {L"1E3x", 1000.0}, {L"abc", 0.0},
        {L"", 0.0},        {L"7.25m", 7.25}, {L".5", 0.5},      {L"+4", 4.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(_wtof(c.text), c.value) << c.text;
}

TEST(Wcrt, WtoiStopsAndClamps) {
    EXPECT_EQ(_wtoi(L" 42abc"), 42);
    EXPECT_EQ(_wtoi(L"3.9"), 3);
    EXPECT_EQ(_wtoi(L"x"), 0);
    EXPECT_EQ(_wtoi(L"99999999999"), 2147483647);
    EXPECT_EQ(_wtoi(L"-99999999999"), -2147483647 - 1);
}

TEST(Wcrt, CaseInsensitiveCompare) {
    EXPECT_EQ(_wcsicmp(L"_h_BAR", L"_H_bar"), 0);
    EXPECT_LT(_wcsicmp(L"abc", L"abd"), 0);
    EXPECT_EQ(_wcsnicmp(L"SINH", L"sin", 3), 0);
}

TEST(Wcrt, FormatTakesWideStringsForPercentS) {
    EXPECT_EQ(wcrtFormat(L"场区%s方格标高标注", L"1"), L"场区1方格标高标注");
    EXPECT_EQ(wcrtFormat(L"%G|%0.2f|%c", 0.3, 2.345, L'x'), L"0.3|2.35|x");
    EXPECT_EQ(wcrtFormat(L"%G", 1e-5), L"1E-05");
    EXPECT_EQ(wcrtFormat(L"%d%%", 5), L"5%");
    std::wstring longText(5000, L'a');
    EXPECT_EQ(wcrtFormat(L"%s", longText.c_str()), longText);
}

TEST(Wcrt, Utf8RoundTripAndInvalidBytes) {
    const std::wstring text = L"场区填方量 T=12.5 😀";
    EXPECT_EQ(wcrtFromUtf8(wcrtToUtf8(text)), text);
    EXPECT_EQ(wcrtFromUtf8(std::string("a\xff"
                                       "b")),
              L"a\uFFFDb");
    EXPECT_EQ(wcrtFromUtf8(std::string("\xe5\x9c")), L"\uFFFD\uFFFD");
}

}  // namespace
