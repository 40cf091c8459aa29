#include <gtest/gtest.h>

#include "aced.h"
#include "acedparse.h"

namespace {

TEST(AcedParse, KeywordListsWithGlobalNames) {
    const auto plain = acedParseKeywordList(L"B A ");
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0].local, L"B");
    EXPECT_EQ(plain[1].global, L"A");
    const auto both = acedParseKeywordList(L"Oui Non _ Yes No");
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].local, L"Oui");
    EXPECT_EQ(both[0].global, L"Yes");
    EXPECT_EQ(both[1].global, L"No");
    EXPECT_TRUE(acedParseKeywordList(L"   ").empty());
}

struct KeywordCase {
    const wchar_t* list;
    const wchar_t* answer;
    const wchar_t* global;  // null: no match
};

TEST(AcedParse, KeywordMatching) {
    const KeywordCase cases[] = {
        {L"Set ", L"S", L"Set"},
        {L"Set ", L"se", L"Set"},
        {L"Set ", L"SET", L"Set"},
        {L"Set ", L"", nullptr},
        {L"Set ", L"Sets", nullptr},
        {L"Set ", L"x", nullptr},
        {L"B A ", L"a", L"A"},
        {L"B A ", L"b", L"B"},
        {L"B A ", L"AB", nullptr},
        {L"eXit Erase", L"x", L"eXit"},
        {L"eXit Erase", L"ex", L"eXit"},
        {L"eXit Erase", L"e", L"Erase"},
        {L"all none", L"a", nullptr},
        {L"all none", L"ALL", L"all"},
        {L"场区 方格", L"方格", L"方格"},
        {L"Oui _ Yes", L"o", L"Yes"},
        {L"Oui _ Yes", L"_yes", L"Yes"},
        {L"Oui _ Yes", L"y", nullptr},
    };
    for (const KeywordCase& c : cases) {
        const auto list = acedParseKeywordList(c.list);
        const AcEdKeyword* k = acedMatchKeyword(list, c.answer);
        if (c.global == nullptr) {
            EXPECT_EQ(k, nullptr) << c.list << " / " << c.answer;
        } else {
            ASSERT_NE(k, nullptr) << c.list << " / " << c.answer;
            EXPECT_EQ(k->global, c.global) << c.list << " / " << c.answer;
        }
    }
}

TEST(AcedParse, Numbers) {
    const std::pair<const wchar_t*, std::optional<double>> reals[] = {
        {L"12", 12.0},
        {L" -0.5 ", -0.5},
        {L"1e3", 1000.0},
        {L".25", 0.25},
        {L"+4", 4.0},
        {L"", std::nullopt},
        {L"abc", std::nullopt},
        {L"1,2", std::nullopt},
        {L"inf", std::nullopt},
        {L"nan", std::nullopt},
        {L"0x10", std::nullopt},
        {L"1e999", std::nullopt},
        {L"3m", std::nullopt},
    };
    for (const auto& [text, value] : reals) EXPECT_EQ(acedParseReal(text), value) << text;
    const std::pair<const wchar_t*, std::optional<int>> ints[] = {
        {L"7", 7},
        {L"-32768", -32768},
        {L"32767", 32767},
        {L"32768", std::nullopt},
        {L"2.5", std::nullopt},
        {L"", std::nullopt},
        {L"-", std::nullopt},
        {L"99999999", std::nullopt},
    };
    for (const auto& [text, value] : ints) EXPECT_EQ(acedParseInt(text), value) << text;
}

TEST(AcedParse, Points) {
    const AcGePoint3d last(10, 20, 30);
    struct PointCase {
        const wchar_t* text;
        bool ok;
        AcGePoint3d p;
    } cases[] = {
        {L"1,2", true, {1, 2, 0}},
        {L"1, 2 ,3", true, {1, 2, 3}},
        {L"@1,1", true, {11, 21, 30}},
        {L"@-10,0,5", true, {0, 20, 35}},
        {L"1", false, {}},
        {L"1,2,3,4", false, {}},
        {L"1,,2", false, {}},
        {L"a,b", false, {}},
        {L"@", true, {10, 20, 30}},
    };
    for (const PointCase& c : cases) {
        const auto p = acedParsePoint(c.text, last);
        EXPECT_EQ(p.has_value(), c.ok) << c.text;
        if (p && c.ok) {
            EXPECT_TRUE(p->isEqualTo(c.p)) << c.text;
        }
    }
}

TEST(AcedParse, WildCards) {
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        bool match;
    } cases[] = {
        {L"LWPOLYLINE", L"*POLYLINE", true},
        {L"TEXT", L"*POLYLINE", false},
        {L"场区1", L"场区#", true},
        {L"场区12", L"场区#", false},
        {L"A1", L"@#", true},
        {L"A-", L"A.", true},
        {L"AB", L"A?", true},
        {L"CIRCLE", L"LINE,CIRCLE", true},
        {L"ARC", L"~ARC", false},
        {L"LINE", L"~ARC", true},
        {L"B", L"[A-C]", true},
        {L"D", L"[A-C]", false},
        {L"D", L"[~A-C]", true},
        {L"*", L"`*", true},
        {L"A,B", L"A`,B", true},
        {L"", L"*", true},
        {L"x", L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acutWcMatch(c.text, c.pattern) == RTNORM, c.match)
            << c.text << " ~ " << c.pattern;
}

TEST(AcedParse, ManyStarsDoNotBacktrackWithoutEnd) {
    const std::wstring text(5000, L'a');
    EXPECT_EQ(acutWcMatch(text.c_str(), L"*a*a*a*a*a*a*a*a*a*a*a*a*b"), RTERROR);
    EXPECT_EQ(acutWcMatch(text.c_str(), L"*a*a*a*a*a*a*a*a*a*a*a*a*"), RTNORM);
}

}  // namespace
