#include "PhysConst.h"

#include <gtest/gtest.h>

#include <string>

#include "wcrt.h"

namespace {

TEST(PhysConst, NamesEndWithTheMarker) {
    CPhysConst constants;
    EXPECT_EQ(constants.GetConstantName(0), L"");
    EXPECT_EQ(constants.GetConstantName(1), L"_LAMBDA_BAR_e");
    EXPECT_EQ(constants.GetConstantName(44), L"_g");
    EXPECT_EQ(constants.GetConstantName(45), L"***");
    EXPECT_EQ(constants.GetConstantName(1000), L"***");
}

// Matching takes the first name the text begins with, so no name may begin
// with a name listed before it.
TEST(PhysConst, NoNameIsHiddenByAnEarlierPrefix) {
    CPhysConst constants;
    for (int later = 2; constants.GetConstantName(later) != L"***"; ++later) {
        for (int earlier = 1; earlier < later; ++earlier) {
            const std::wstring& a = constants.GetConstantName(earlier);
            const std::wstring& b = constants.GetConstantName(later);
            EXPECT_FALSE(b.size() >= a.size() && _wcsnicmp(a.c_str(), b.c_str(), a.size()) == 0)
                << later << " is hidden by " << earlier;
        }
    }
}

TEST(PhysConst, ValuesByNameIgnoringCase) {
    CPhysConst constants;
    EXPECT_EQ(constants.GetConstantValue(L"_Alpha"), 259.0);
    EXPECT_EQ(constants.GetConstantValue(L"_ALPHA"), 259.0);
    EXPECT_EQ(constants.GetConstantValue(L"_n_a"), 6.0221367e+23);
    EXPECT_EQ(constants.GetConstantValue(L"_h_BAR"), 1.05457266e-34);
    EXPECT_EQ(constants.GetConstantValue(L"_x"), 0.0);
    EXPECT_EQ(constants.GetConstantValue(L""), 0.0);
}

}  // namespace
