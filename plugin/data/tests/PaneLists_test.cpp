// Numbered pane lists: rewriting, key numbering, stored order, corners.
#include "PaneLists.h"

#include <algorithm>
#include <vector>

#include "DataTestSupport.h"

namespace {

const std::vector<AcGePoint2d> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

std::vector<std::wstring> KeysOf(const KeyValues& values) {
    std::vector<std::wstring> keys;
    for (const auto& kv : values) keys.push_back(kv.first);
    return keys;
}

using PaneListTest = SiteDrawingTest;

// Each writer with its reader and the keys it writes for (1.5, 2.25, 3).
struct ListCase {
    const char* name;
    bool (*write)(AcDbObjectId, const std::vector<double>&);
    bool (*read)(AcDbObjectId, std::vector<double>&);
    std::vector<std::wstring> keys;
};

const ListCase kLists[] = {
    {"natural",
     SetPaneNaturalElevations,
     GetPaneNaturalElevations,
     {L"方格类", L"点自然标高1", L"点自然标高2", L"点自然标高3"}},
    {"design",
     SetPaneDesignElevations,
     GetPaneDesignElevations,
     {L"方格类", L"点设计标高1", L"点设计标高2", L"点设计标高3"}},
    {"fills", SetPaneLayerFills, GetPaneLayerFills, {L"填方组1", L"填方组2", L"填方组3"}},
    {"cuts", SetPaneLayerCuts, GetPaneLayerCuts, {L"挖方组1", L"挖方组2", L"挖方组3"}},
    {"corner 2",
     [](AcDbObjectId id, const std::vector<double>& v) {
         return SetCornerLayerElevations(id, 2, v);
     },
     [](AcDbObjectId id, std::vector<double>& v) { return GetCornerLayerElevations(id, 2, v); },
     {L"标高组2_1", L"标高组2_2", L"标高组2_3"}},
};

TEST_F(PaneListTest, EachListIsWrittenUnderItsNumberedKeysAndReadBack) {
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        AcDbObjectId pane = addPolyline(kSquare);
        writeKeys(pane, L"方格", {{L"方格编号", L"7"}});
        ASSERT_TRUE(c.write(pane, {1.5, 2.25, 3.0}));
        std::vector<std::wstring> expected = {L"方格编号"};
        expected.insert(expected.end(), c.keys.begin(), c.keys.end());
        if (expected.size() > 1 && expected[1] == L"方格类") {
            // The pane mark is set after the list, so it follows it.
            expected.erase(expected.begin() + 1);
            expected.push_back(L"方格类");
        }
        EXPECT_EQ(KeysOf(readKeys(pane, L"方格")), expected);
        std::vector<double> back = {99.0};
        EXPECT_TRUE(c.read(pane, back));
        EXPECT_EQ(back, (std::vector<double>{1.5, 2.25, 3.0}));
    }
}

TEST_F(PaneListTest, AShorterListLeavesNoStaleItems) {
    AcDbObjectId pane = addPolyline(kSquare);
    writeKeys(pane, L"方格", {{L"填方量", L"5.00"}});
    ASSERT_TRUE(SetPaneNaturalElevations(pane, {1, 2, 3, 4}));
    ASSERT_TRUE(SetPaneNaturalElevations(pane, {7, 8, 9}));
    EXPECT_EQ(readKeys(pane, L"方格"), (KeyValues{{L"填方量", L"5.00"},
                                                  {L"方格类", L"是"},
                                                  {L"点自然标高1", L"7.00"},
                                                  {L"点自然标高2", L"8.00"},
                                                  {L"点自然标高3", L"9.00"}}));
    std::vector<double> back;
    ASSERT_TRUE(GetPaneNaturalElevations(pane, back));
    EXPECT_EQ(back, (std::vector<double>{7, 8, 9}));
}

TEST_F(PaneListTest, RewritingCornerOneKeepsCornersZeroAndEleven) {
    AcDbObjectId pane = addPolyline(kSquare);
    for (int corner : {0, 1, 11}) ASSERT_TRUE(SetCornerLayerElevations(pane, corner, {10, 9, 8}));
    ASSERT_TRUE(SetCornerLayerElevations(pane, 1, {5}));
    const std::vector<std::pair<int, std::vector<double>>> expected = {
        {0, {10, 9, 8}}, {1, {5}}, {11, {10, 9, 8}}, {3, {}}};
    for (const auto& [corner, values] : expected) {
        std::vector<double> back;
        EXPECT_EQ(GetCornerLayerElevations(pane, corner, back), !values.empty()) << corner;
        EXPECT_EQ(back, values) << corner;
    }
    const std::vector<std::wstring> keys = KeysOf(readKeys(pane, L"方格"));
    EXPECT_EQ(std::count(keys.begin(), keys.end(), L"标高组1_2"), 0);
}

// Readers follow stored order, not the number behind the stem.
TEST_F(PaneListTest, ReadingFollowsStoredKeyOrder) {
    AcDbObjectId pane = addPolyline(kSquare);
    writeKeys(pane, L"方格", {{L"挖方组2", L"20"}, {L"other", L"x"}, {L"挖方组1", L"10"}});
    std::vector<double> back;
    ASSERT_TRUE(GetPaneLayerCuts(pane, back));
    EXPECT_EQ(back, (std::vector<double>{20, 10}));
}

TEST_F(PaneListTest, MissingListsAndUnopenableEntitiesReadEmpty) {
    AcDbObjectId pane = addPolyline(kSquare);
    std::vector<double> back = {1.0};
    EXPECT_FALSE(GetPaneDesignElevations(pane, back));
    EXPECT_TRUE(back.empty());
    erase(pane);
    back = {1.0};
    EXPECT_FALSE(GetPaneNaturalElevations(pane, back));
    EXPECT_TRUE(back.empty());
    EXPECT_FALSE(SetPaneNaturalElevations(pane, {1.0}));
    EXPECT_FALSE(SetPaneNaturalElevations(AcDbObjectId(), {1.0}));
}

TEST_F(PaneListTest, ListsUseTheirPrecisionSetting) {
    setSetting(L"paneeleprec", L"3");
    setSetting(L"tfcollectprec", L"1");
    AcDbObjectId pane = addPolyline(kSquare);
    ASSERT_TRUE(SetCornerLayerElevations(pane, 0, {12.3456}));
    ASSERT_TRUE(SetPaneLayerFills(pane, {12.3456}));
    EXPECT_EQ(readKeys(pane, L"方格"),
              (KeyValues{{L"标高组0_1", L"12.346"}, {L"填方组1", L"12.3"}}));
}

TEST_F(PaneListTest, ClosingDuplicateVertexIsNotACorner) {
    AcDbObjectId repeated = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    AcDbObjectId plain = addPolyline(kSquare);
    AcDbObjectId triangle = addPolyline({{0, 0}, {10, 0}, {0, 10}}, L"0", false);
    const std::vector<std::pair<AcDbObjectId, int>> cases = {
        {repeated, 4}, {plain, 4}, {triangle, 3}};
    for (const auto& [pane, count] : cases) {
        AcGePoint3dArray corners;
        ASSERT_TRUE(GetPaneCorners(pane, corners));
        EXPECT_EQ(corners.length(), count);
    }
    AcGePoint3dArray corners;
    AcDbObjectId line = add(std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    EXPECT_FALSE(GetPaneCorners(line, corners));
}

TEST_F(PaneListTest, LayerElevationsAtTheFirstCornerAreWhatCounts) {
    AcDbObjectId pane = addPolyline(kSquare);
    EXPECT_FALSE(HasCornerLayerElevations(pane));
    ASSERT_TRUE(SetCornerLayerElevations(pane, 1, {3}));
    EXPECT_FALSE(HasCornerLayerElevations(pane));
    ASSERT_TRUE(SetCornerLayerElevations(pane, 0, {3}));
    EXPECT_TRUE(HasCornerLayerElevations(pane));
    // Data on an entity whose vertices cannot be read does not count.
    AcDbObjectId circle =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 5.0));
    ASSERT_TRUE(SetCornerLayerElevations(circle, 0, {3}));
    EXPECT_FALSE(HasCornerLayerElevations(circle));
}

}  // namespace
