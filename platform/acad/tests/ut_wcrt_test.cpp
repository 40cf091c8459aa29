#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

// Stored numbers are written by the fast path; printf stays the rule.
TEST(Wcrt, FixedIsPrintfWithDecimals) {
    const double chosen[] = {0.0,
                             -0.0,
                             0.125,
                             0.375,
                             2.5,
                             -2.5,
                             2.345,
                             1e-7,
                             -1e-7,
                             0.5,
                             1.5,
                             52.785,
                             1e22,
                             1.7976931348623157e308,
                             4.9e-324,
                             123456.785,
                             std::numeric_limits<double>::infinity(),
                             std::nan("")};
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> magnitude(-8.0, 8.0);
    std::vector<double> values(std::begin(chosen), std::end(chosen));
    for (int i = 0; i < 20000; ++i)
        values.push_back((rng() % 2 ? -1.0 : 1.0) * std::pow(10.0, magnitude(rng)));
    for (double v : values)
        for (int decimals = 0; decimals <= 16; ++decimals)
            ASSERT_EQ(wcrtFixed(v, decimals), wcrtFormat(L"%.*f", decimals, v))
                << v << " with " << decimals << " decimals";
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
