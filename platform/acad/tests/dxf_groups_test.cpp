#include "dxf_groups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dxf_codepage.h"

namespace {

TEST(DxfGroups, ValueTypeByCodeRange) {
    struct Case {
        int code;
        DxfValueType type;
    };
    const Case cases[] = {
        {0, DxfValueType::String},     {8, DxfValueType::String},    {10, DxfValueType::Double},
        {39, DxfValueType::Double},    {62, DxfValueType::Int16},    {79, DxfValueType::Int16},
        {80, DxfValueType::Unknown},   {89, DxfValueType::Unknown},  {90, DxfValueType::Int32},
        {100, DxfValueType::String},   {101, DxfValueType::Unknown}, {102, DxfValueType::String},
        {105, DxfValueType::Handle},   {160, DxfValueType::Int64},   {280, DxfValueType::Int16},
        {290, DxfValueType::Bool},     {310, DxfValueType::Binary},  {330, DxfValueType::Handle},
        {360, DxfValueType::Handle},   {370, DxfValueType::Int16},   {420, DxfValueType::Int32},
        {999, DxfValueType::String},   {1000, DxfValueType::String}, {1002, DxfValueType::String},
        {1004, DxfValueType::Binary},  {1005, DxfValueType::Handle}, {1010, DxfValueType::Double},
        {1040, DxfValueType::Double},  {1070, DxfValueType::Int16},  {1071, DxfValueType::Int32},
        {1072, DxfValueType::Unknown}, {-1, DxfValueType::Unknown},  {-3, DxfValueType::Unknown},
        {5000, DxfValueType::Unknown},
    };
    for (const Case& c : cases) EXPECT_EQ(dxfValueType(c.code), c.type) << c.code;
}

TEST(DxfGroups, ValueValidity) {
    struct Case {
        DxfValueType type;
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {DxfValueType::Double, "1.5", true},
        {DxfValueType::Double, " -2e3 ", true},
        {DxfValueType::Double, "+0.25", true},
        {DxfValueType::Double, "1.5x", false},
        {DxfValueType::Double, "", false},
        {DxfValueType::Double, "nan", false},
        {DxfValueType::Double, "inf", false},
        {DxfValueType::Double, "1e999", false},
        {DxfValueType::Double, "-1e999", false},
        {DxfValueType::Double, "1e-400", true},
        {DxfValueType::Double, "-4e-330", true},
        {DxfValueType::Int16, "   256", true},
        {DxfValueType::Int16, "32768", false},
        {DxfValueType::Int16, "-32768", true},
        {DxfValueType::Int16, "1.0", false},
        {DxfValueType::Int32, "2147483647", true},
        {DxfValueType::Int32, "2147483648", false},
        {DxfValueType::Int64, "-9223372036854775808", true},
        {DxfValueType::Bool, "1", true},
        {DxfValueType::Bool, "yes", false},
        {DxfValueType::Handle, "1F", true},
        {DxfValueType::Handle, "0", true},
        {DxfValueType::Handle, "", false},
        {DxfValueType::Handle, "G1", false},
        {DxfValueType::Handle, "12345678901234567", false},
        {DxfValueType::Handle, "7FFFFFFFFFFFFFFF", true},
        {DxfValueType::Handle, "8000000000000000", false},
        {DxfValueType::Binary, "00FFab", true},
        {DxfValueType::Binary, "0F0", false},
        {DxfValueType::String, "", true},
        {DxfValueType::Unknown, "1", false},
    };
    for (const Case& c : cases) EXPECT_EQ(dxfValueIsValid(c.type, c.text), c.valid) << c.text;
}

TEST(DxfGroups, DoublesRoundTripBitForBit) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             0.1,
                             -123.456,
                             1e-300,
                             1e300,
                             2.5e-8,
                             std::numeric_limits<double>::max(),
                             100000.00000001};
    for (double v : values) {
        double back = 42.0;
        ASSERT_TRUE(dxfParseDouble(dxfFormatDouble(v), back)) << dxfFormatDouble(v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
        EXPECT_EQ(back, v);
    }
}

TEST(DxfGroups, HandlesAreUpperCaseHex) {
    EXPECT_EQ(dxfFormatHandle(0), "0");
    EXPECT_EQ(dxfFormatHandle(0x1F), "1F");
    uint64_t h = 0;
    ASSERT_TRUE(dxfParseHandle("7ffFFFFFFFFFFFFF", h));
    EXPECT_EQ(h, 0x7FFFFFFFFFFFFFFFull);
}

TEST(DxfGroups, CaretEscapingIsReversible) {
    struct Case {
        const char* plain;
        const char* escaped;
    };
    const Case cases[] = {
        {"a\nb", "a^Jb"}, {"\r\n", "^M^J"}, {"x^y", "x^y"},   {"x^J", "x^ J"},     {"^ ", "^  "},
        {"^", "^"},       {"\t", "^I"},     {"场区", "场区"}, {"^\x1E@", "^ ^^@"}, {"^\n", "^ ^J"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dxfEscapeString(c.plain), c.escaped) << c.plain;
        EXPECT_EQ(dxfUnescapeString(c.escaped), c.plain) << c.escaped;
    }
    // A NUL cannot live in the host's strings, so "^@" is not turned into one.
    EXPECT_EQ(dxfUnescapeString("a^@b"), "a^@b");
}

TEST(DxfGroups, UnicodeEscapesAreDecoded) {
    struct Case {
        const char* escaped;
        const char* plain;
    };
    const Case cases[] = {
        {"\\U+571F\\U+65b9 T=1", "土方 T=1"},
        {"x\\U+20ac", "x€"},
        {"\\U+D83D\\U+DE00", "😀"},
        {"\\U+0001f600!", "😀!"},
        {"\\U+000A", "\n"},
        {"\\U+0000 \\U+DE00 \\U+D83D \\U+12 \\u+0041 \\U+GGGG",
         "\\U+0000 \\U+DE00 \\U+D83D \\U+12 \\u+0041 \\U+GGGG"},
        {"C:\\Users", "C:\\Users"},
    };
    for (const Case& c : cases) EXPECT_EQ(dxfUnescapeString(c.escaped), c.plain) << c.escaped;
}

TEST(DxfGroups, CodePageNames) {
    const std::pair<const char*, std::optional<unsigned>> cases[] = {
        {"ANSI_936", 936},         {"ansi_1252", 1252},       {"ANSI_950", 950},
        {"DOS850", 850},           {"ISO8859-1", 28591},      {"BIG5", 950},
        {"gb2312", 936},           {"UTF8", 65001},           {"ANSI_", std::nullopt},
        {"KLINGON", std::nullopt}, {"ANSI_9x", std::nullopt},
    };
    for (const auto& [name, codePage] : cases) EXPECT_EQ(dxfCodePageOfName(name), codePage) << name;
}

}  // namespace
