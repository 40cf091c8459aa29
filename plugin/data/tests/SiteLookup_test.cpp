// Finding sites, the site under a point, panes and annotation entities.
#include "SiteLookup.h"

#include "DataTestSupport.h"
#include "SiteData.h"

namespace {

std::vector<AcGePoint2d> Square(double x, double y, double size) {
    return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
}

using LookupTest = SiteDrawingTest;

TEST_F(LookupTest, CollectFieldsTakesEveryOutlineWithSiteData) {
    AcDbObjectId outer = addSite(Square(0, 0, 100), L"1");
    AcDbObjectId hole = addSite(Square(10, 10, 5), L"1", L"内框");
    AcDbObjectId gone = addSite(Square(200, 0, 10), L"2");
    erase(gone);
    addPolyline(Square(300, 0, 10));  // no data
    addPane(Square(0, 0, 10), L"1");  // pane data only
    AcDbObjectIdArray sites;
    sites.append(gone);  // emptied first
    ASSERT_TRUE(CollectFields(sites));
    EXPECT_EQ(Ids(sites), (std::vector<AcDbObjectId>{outer, hole}));
}

TEST_F(LookupTest, NoSiteFindsNothing) {
    AcDbObjectIdArray sites;
    EXPECT_FALSE(CollectFields(sites));
    AcDbObjectId site;
    EXPECT_FALSE(FindFieldAtPoint({1, 1, 0}, site));
    EXPECT_TRUE(site.isNull());
}

TEST_F(LookupTest, ASingleSiteIsTheAnswerWhereverThePointIs) {
    AcDbObjectId only = addSite(Square(0, 0, 10), L"1");
    for (const AcGePoint3d& p : {AcGePoint3d(5, 5, 0), AcGePoint3d(500, -20, 0)}) {
        AcDbObjectId site;
        EXPECT_TRUE(FindFieldAtPoint(p, site));
        EXPECT_EQ(site, only);
    }
}

TEST_F(LookupTest, TheInnermostOuterOutlineContainingThePointWins) {
    AcDbObjectId big = addSite(Square(0, 0, 100), L"1");
    AcDbObjectId hole = addSite(Square(60, 60, 20), L"1", L"内框");
    AcDbObjectId nested = addSite(Square(10, 10, 30), L"2");
    AcDbObjectId apart = addSite(Square(200, 0, 50), L"3");
    // A diamond whose bottom vertex lies straight below the point, and one
    // whose side vertex the ray from a point beside it grazes.
    AcDbObjectId diamond = addSite({{300, 0}, {320, 20}, {300, 40}, {280, 20}}, L"4");
    struct Case {
        AcGePoint3d point;
        AcDbObjectId expected;  // null: none
    };
    const Case cases[] = {
        {{20, 20, 0}, nested},   {{50, 50, 0}, big}, {{70, 70, 0}, big},
        {{220, 20, 0}, apart},   {{150, 50, 0}, {}}, {{-5, 50, 0}, {}},
        {{300, 30, 0}, diamond}, {{280, 30, 0}, {}}, {{20, 20, 7}, nested},
    };
    (void)hole;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        AcDbObjectId site;
        EXPECT_EQ(FindFieldAtPoint(c.point, site), !c.expected.isNull());
        EXPECT_EQ(site, c.expected);
    }
}

TEST_F(LookupTest, PanesOfASiteComeFromItsLayerAndCarryTheMark) {
    AcDbObjectId site = addSite(Square(0, 0, 100), L"2");
    AcDbObjectId first = addPane(Square(0, 0, 10), L"2");
    AcDbObjectId unmarked = addPolyline(Square(10, 0, 10), L"场区2方格");
    AcDbObjectId second = addPane(Square(20, 0, 10), L"2");
    addPane(Square(30, 0, 10), L"1");
    AcDbObjectIdArray panes;
    ASSERT_TRUE(CollectFieldPanes(site, panes));
    EXPECT_EQ(Ids(panes), (std::vector<AcDbObjectId>{first, second}));
    (void)unmarked;
}

TEST_F(LookupTest, ASiteWithoutItsOwnNumberHasNoPanes) {
    AcDbObjectId site = addSite(Square(0, 0, 100), nullptr);
    addPane(Square(0, 0, 10), L"1");
    std::wstring number;
    EXPECT_FALSE(GetFieldNumber(site, number));
    EXPECT_EQ(number, L"1");
    AcDbObjectIdArray panes;
    EXPECT_FALSE(CollectFieldPanes(site, panes));
    EXPECT_TRUE(panes.isEmpty());
}

TEST_F(LookupTest, AnnotationsComeFromTheSiteLayers) {
    AcDbObjectId numbered = addSite(Square(0, 0, 100), L"5");
    AcDbObjectId unnumbered = addSite(Square(200, 0, 100), nullptr);
    AcDbObjectId blank = addSite(Square(400, 0, 100), L"");
    auto text = [this](const ACHAR* layer) {
        return add(std::make_unique<AcDbText>(AcGePoint3d(1, 1, 0), L"T=1"), layer);
    };
    AcDbObjectId cut = text(L"场区5挖方标注");
    AcDbObjectId fill = text(L"场区5填方标注");
    AcDbObjectId cornerText = text(L"场区5方格标高标注");
    add(std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)),
        L"场区5方格标高标注");
    AcDbObjectId defaultFill = text(L"场区1填方标注");
    text(L"场区填方标注");

    AcDbObjectIdArray ids;
    ASSERT_TRUE(CollectVolumeAnnotations(numbered, ids));
    EXPECT_EQ(Ids(ids), (std::vector<AcDbObjectId>{fill, cut}));
    ASSERT_TRUE(CollectVolumeAnnotations(unnumbered, ids));
    EXPECT_EQ(Ids(ids), (std::vector<AcDbObjectId>{defaultFill}));
    EXPECT_FALSE(CollectVolumeAnnotations(blank, ids));
    EXPECT_TRUE(ids.isEmpty());

    ASSERT_TRUE(CollectCornerElevationTexts(numbered, ids));
    EXPECT_EQ(Ids(ids), (std::vector<AcDbObjectId>{cornerText}));
    EXPECT_FALSE(CollectCornerElevationTexts(unnumbered, ids));
}

}  // namespace
