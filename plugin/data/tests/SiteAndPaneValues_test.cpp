// Single values of sites, panes and slopes: defaults, formats, precision.
#include <string>

#include "DataTestSupport.h"
#include "PaneData.h"
#include "PaneLists.h"
#include "RegistrySettings.h"
#include "SiteData.h"
#include "StoredValues.h"

namespace {

const std::vector<AcGePoint2d> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

using ValuesTest = SiteDrawingTest;

// The text readers of a site: what they give with the key present, without
// it, and for an entity that cannot be opened.
struct TextReader {
    const ACHAR* key;
    bool (*read)(AcDbObjectId, std::wstring&);
    const ACHAR* fallback;
};

const TextReader kSiteReaders[] = {
    {L"场区编号", GetFieldNumber, L"1"},
    {L"场区类型", GetFieldType, L"外框"},
    {L"方格角度", GetPaneAngle, L"0.0"},
    {L"方格间距", GetPaneSpacing, L""},
};

TEST_F(ValuesTest, SiteReadersGiveTheValueOrTheirDefault) {
    AcDbObjectId bare = addPolyline(kSquare);
    AcDbObjectId gone = addPolyline(kSquare);
    erase(gone);
    AcDbObjectId full = addPolyline(kSquare);
    for (const TextReader& r : kSiteReaders) writeKeys(full, L"场区", {{r.key, L"v"}});
    for (const TextReader& r : kSiteReaders) {
        SCOPED_TRACE(testing::Message() << wcrtToUtf8(r.key));
        std::wstring value = L"junk";
        EXPECT_TRUE(r.read(full, value));
        EXPECT_EQ(value, L"v");
        for (AcDbObjectId empty : {bare, gone}) {
            value = L"junk";
            EXPECT_FALSE(r.read(empty, value));
            EXPECT_EQ(value, r.fallback);
        }
    }
}

TEST_F(ValuesTest, PrecisionFormatFollowsTheSettingOnEveryCall) {
    struct Case {
        const ACHAR* setting;  // null: missing
        const ACHAR* stored;
    };
    const Case cases[] = {
        {L"3", L"12.346"}, {nullptr, L"12.35"}, {L"abc", L"12"}, {L"0", L"12"},
        {L"", L"12"},      {L"-4", L"12"},      {L"1", L"12.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.setting ? wcrtToUtf8(c.setting) : "missing"));
        AcDbObjectId site = addPolyline(kSquare);
        if (c.setting != nullptr) setSetting(L"paneeleprec", c.setting);
        ASSERT_TRUE(SetFieldVolumes(site, 12.3456, 12.3456));
        EXPECT_EQ(readKeys(site, L"场区"),
                  (KeyValues{{L"场区填方量", c.stored}, {L"场区挖方量", c.stored}}));
        TearDown();
        SetUp();
    }
    EXPECT_EQ(setting(L"paneeleprec"), L"");  // never written back
}

TEST_F(ValuesTest, PrecisionFormatsAreBuiltFromTheCount) {
    setSetting(L"tfcollectprec", L"4");
    EXPECT_EQ(GetPrecisionFormat(Setting::VolumePrecision), L"%0.4f");
    EXPECT_EQ(GetPrecisionFormat(Setting::AnnotationPrecision), L"%0.2f");
    setSetting(L"panetfprec", L"99");
    EXPECT_EQ(GetPrecisionFormat(Setting::AnnotationPrecision), L"%0.16f");
}

TEST_F(ValuesTest, OutlinesGetTheirTypeAndTheSiteNumber) {
    AcDbObjectId outer = addPolyline(kSquare);
    AcDbObjectId hole = addPolyline({{2, 2}, {4, 2}, {4, 4}});
    AcDbObjectId gone = addPolyline({{5, 5}, {6, 5}, {6, 6}});
    erase(gone);
    AcDbObjectIdArray inners;
    inners.append(gone);
    inners.append(hole);
    EXPECT_TRUE(SetFieldOutlines(outer, inners, L"3"));
    EXPECT_EQ(readKeys(outer, L"场区"), (KeyValues{{L"场区类型", L"外框"}, {L"场区编号", L"3"}}));
    EXPECT_EQ(readKeys(hole, L"场区"), (KeyValues{{L"场区类型", L"内框"}, {L"场区编号", L"3"}}));
    erase(outer);
    erase(hole);
    EXPECT_FALSE(SetFieldOutlines(outer, inners, L"3"));
}

TEST_F(ValuesTest, PaneValuesKeepUnknownKeysAndTheirPlace) {
    AcDbObjectId pane = addPolyline(kSquare);
    writeKeys(pane, L"方格", {{L"行数", L"old"}, {L"自定义", L"kept"}});
    setSetting(L"tfcollectprec", L"3");
    ASSERT_TRUE(SetPaneRowColumn(pane, 4, -2));
    ASSERT_TRUE(SetPaneNumber(pane, L"17"));
    ASSERT_TRUE(SetPaneFieldNumber(pane, L"2"));
    ASSERT_TRUE(SetPaneVolumes(pane, 1.23456, 0));
    ASSERT_TRUE(SetPaneAreas(pane, 50, 0.0004));
    ASSERT_TRUE(SetPaneFormulas(pane, L"V=a", L"V=1", L"", L"W=2"));
    EXPECT_EQ(readKeys(pane, L"方格"), (KeyValues{{L"行数", L"4"},
                                                  {L"自定义", L"kept"},
                                                  {L"列数", L"-2"},
                                                  {L"方格编号", L"17"},
                                                  {L"场区编号", L"2"},
                                                  {L"填方量", L"1.235"},
                                                  {L"挖方量", L"0.000"},
                                                  {L"填方面积", L"50.000"},
                                                  {L"挖方面积", L"0.000"},
                                                  {L"填方公式", L"V=a"},
                                                  {L"填方过程", L"V=1"},
                                                  {L"挖方公式", L""},
                                                  {L"挖方过程", L"W=2"}}));
    int row = 0, column = 0;
    double fill = 0, cut = 0;
    std::wstring number;
    EXPECT_TRUE(GetPaneRowColumn(pane, row, column));
    EXPECT_EQ(std::make_pair(row, column), std::make_pair(4, -2));
    EXPECT_TRUE(GetPaneVolumes(pane, fill, cut));
    EXPECT_EQ(std::make_pair(fill, cut), std::make_pair(1.235, 0.0));
    EXPECT_TRUE(GetPaneNumber(pane, number));
    EXPECT_EQ(number, L"17");
    EXPECT_TRUE(GetPaneFieldNumber(pane, number));
    EXPECT_EQ(number, L"2");
    EXPECT_FALSE(IsPane(pane));
}

TEST_F(ValuesTest, PairReadersAreTrueWhenEitherKeyIsPresent) {
    AcDbObjectId pane = addPolyline(kSquare);
    AcDbObjectId slope = addPolyline(kSquare);
    AcDbObjectId bare = addPolyline(kSquare);
    writeKeys(pane, L"方格", {{L"列数", L"6"}, {L"挖方量", L"x"}, {L"方格类", L"是"}});
    writeKeys(slope, L"边坡", {{L"填方量", L"3.5"}});
    int row = 9, column = 9;
    double fill = 9, cut = 9;
    EXPECT_TRUE(GetPaneRowColumn(pane, row, column));
    EXPECT_EQ(std::make_pair(row, column), std::make_pair(0, 6));
    EXPECT_TRUE(GetPaneVolumes(pane, fill, cut));
    EXPECT_EQ(std::make_pair(fill, cut), std::make_pair(0.0, 0.0));  // "x" reads as 0
    EXPECT_TRUE(GetSlopeVolumes(slope, fill, cut));
    EXPECT_EQ(std::make_pair(fill, cut), std::make_pair(3.5, 0.0));
    EXPECT_FALSE(GetSlopeVolumes(bare, fill, cut));
    EXPECT_EQ(std::make_pair(fill, cut), std::make_pair(0.0, 0.0));
    EXPECT_FALSE(GetPaneRowColumn(bare, row, column));
    EXPECT_EQ(std::make_pair(row, column), std::make_pair(0, 0));
    EXPECT_TRUE(IsPane(pane));
    EXPECT_FALSE(IsPane(bare));
    std::wstring number = L"junk";
    EXPECT_FALSE(GetPaneNumber(bare, number));
    EXPECT_EQ(number, L"");
}

TEST(StoredNumbers, OnlyWholeFiniteNumbersAreWellFormed) {
    const std::pair<const ACHAR*, bool> cases[] = {
        {L"12.50", true}, {L" -3 ", true},  {L"1e3", true},  {L"", false},    {L"  ", false},
        {L"12,5", false}, {L"1.2m", false}, {L"abc", false}, {L"nan", false}, {L"inf", false},
    };
    for (const auto& [text, wellFormed] : cases) {
        SCOPED_TRACE(wcrtToUtf8(text));
        EXPECT_EQ(IsNumberText(text), wellFormed);
        if (wellFormed) {
            EXPECT_EQ(MakeStoredNumber(L"k", text).value, _wtof(text));
        }
    }
}

TEST_F(ValuesTest, StoredTextsAreWhatTheReadersRead) {
    AcDbObjectId pane = addPane(kSquare, L"1");
    ASSERT_TRUE(SetPaneLayerFills(pane, {1.5, 2.25}));
    writeKeys(pane, L"方格", {{L"填方组3", L"x"}, {L"填方公式", L"a*b"}, {L"挖方过程", L"1*2"}});
    std::vector<double> values;
    ASSERT_TRUE(GetPaneLayerFills(pane, values));
    const std::vector<StoredNumber> items = GetPaneStoredList(pane, L"填方组");
    ASSERT_EQ(items.size(), values.size());
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].value, values[i]);
    EXPECT_EQ(items[2].key, L"填方组3");
    EXPECT_FALSE(items[2].wellFormed);
    EXPECT_EQ(items[1].text, L"2.25");
    EXPECT_FALSE(GetStoredNumber(pane, L"方格", L"填方量").has_value());
    std::wstring fillFormula = L"junk", fillProcess, cutFormula = L"junk", cutProcess;
    EXPECT_TRUE(GetPaneFormulas(pane, fillFormula, fillProcess, cutFormula, cutProcess));
    EXPECT_EQ(fillFormula, L"a*b");
    EXPECT_EQ(cutFormula, L"");
    EXPECT_EQ(cutProcess, L"1*2");
}

}  // namespace
