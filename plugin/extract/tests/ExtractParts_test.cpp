// The steps of the layer drawing extraction on drawings of the host stand-in:
// outline copy, labels, panes with their elevations, earthwork failures and
// the annotations.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "AcDbPtEleDim.h"
#include "DataTestSupport.h"
#include "ExtractAnnotations.h"
#include "ExtractPane.h"
#include "ExtractedPaneEarthwork.h"
#include "FieldData.h"
#include "FieldOutlineCopy.h"
#include "LayerChoice.h"
#include "acedhost.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbgroup.h"

namespace {

// One entity of model space as the tests look at it.
struct Seen {
    std::wstring type, layer, text;
    AcGePoint3d at;   // a text's alignment point, a circle's centre
    double size = 0;  // a text's height, a circle's radius
    int colour = 0;
    AcDbObjectId id;
};

std::vector<Seen> ModelSpace(AcDbDatabase* db) {
    std::vector<Seen> all;
    for (const AcDbObjectId& id : ModelSpaceIds(db)) {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) continue;
        Seen s{e->isA()->name(), e->layerName(), L"", {}, 0, e->colorIndex(), id};
        if (auto* t = AcDbText::cast(e)) {
            s.text = t->textStringConst(), s.at = t->alignmentPoint(), s.size = t->height();
        } else if (auto* c = AcDbCircle::cast(e)) {
            s.at = c->center(), s.size = c->radius();
        }
        e->close();
        all.push_back(s);
    }
    return all;
}

std::vector<Seen> OnLayer(const std::vector<Seen>& all, const std::wstring& layer) {
    std::vector<Seen> out;
    for (const Seen& s : all)
        if (s.layer == layer) out.push_back(s);
    return out;
}

// The members of every group of the drawing.
std::vector<AcDbObjectIdArray> Groups(AcDbDatabase* db) {
    std::vector<AcDbObjectIdArray> groups;
    AcDbDictionary* dict = nullptr;
    if (db->getGroupDictionary(dict) != Acad::eOk) return groups;
    std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
    for (; !it->done(); it->next()) {
        AcDbObject* object = nullptr;
        if (it->getObject(object, AcDb::kForRead) != Acad::eOk) continue;
        if (auto* group = AcDbGroup::cast(object)) {
            groups.emplace_back();
            group->allEntityIds(groups.back());
        }
        object->close();
    }
    dict->close();
    return groups;
}

std::vector<AcGePoint2d> Square(double x, double y, double side) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

class Extraction : public SiteDrawingTest {
  protected:
    void SetUp() override {
        SiteDrawingTest::SetUp();
        if (AcDbPtEleDim::desc() == nullptr) AcDbPtEleDim::rxInit();
        acedHostClearTranscript();
    }

    // A fresh drawing and registry for the next case of a table.
    void restart() {
        TearDown();
        SetUp();
    }

    // A pane of site "1" with its number, row, column and per-corner layers.
    AcDbObjectId addLayeredPane(const std::vector<AcGePoint2d>& corners, const ACHAR* number,
                                const std::vector<std::vector<double>>& layers) {
        const AcDbObjectId pane = addPane(corners, L"1");
        writeKeys(pane, L"方格", {{L"方格编号", number}, {L"行数", L"3"}, {L"列数", L"4"}});
        for (size_t i = 0; i < layers.size(); ++i)
            EXPECT_TRUE(SetCornerLayerElevations(pane, static_cast<int>(i), layers[i]));
        return pane;
    }

    static ExtractionTarget Target(int pair = 1) {
        ExtractionTarget t;
        t.siteNumber = L"1-2";
        t.offset = AcGeVector3d(100, 50, 0);
        t.pair = pair;
        t.height = 2.0;
        return t;
    }

    MapSettingsReader settings;
};

TEST(ClampLayerPair, KeepsTheAnswerWithinThePairs) {
    struct Case {
        int answer, pairs, pair;
    };
    const Case cases[] = {{0, 3, 1}, {-2, 3, 1}, {5, 3, 3}, {2, 3, 2}, {3, 3, 3}, {1, 1, 1}};
    for (const Case& c : cases) EXPECT_EQ(ClampLayerPair(c.answer, c.pairs), c.pair) << c.answer;
}

TEST_F(Extraction, OutlineCopiesCarryTheNewNumberOnTheFieldLayer) {
    struct Case {
        const ACHAR* fieldLayer;  // setting, empty: missing
        double side;              // of the square site
        const ACHAR* layer;
        double labelHeight;
    };
    const Case cases[] = {{L"", 100, L"场区1-2", 13}, {L"Sites", 40, L"Sites1-2", 5}};
    for (const Case& c : cases) {
        restart();
        if (*c.fieldLayer != 0) setSetting(L"FieldLayer", c.fieldLayer);
        const AcDbObjectId site = addSite(Square(0, 0, c.side), L"1");
        addSite(Square(10, 10, 5), L"1", L"内框");
        addSite(Square(20, 20, 5), L"2", L"内框");
        const AcDbObjectId outer = CopyFieldOutline(site, Target());
        ASSERT_FALSE(outer.isNull());

        const std::vector<Seen> copies = OnLayer(ModelSpace(db()), c.layer);
        ASSERT_EQ(copies.size(), 4u) << "outer, the inner of site 1, label, circle";
        EXPECT_EQ(readKeys(copies[0].id, L"场区"),
                  (KeyValues{{L"场区类型", L"外框"}, {L"场区编号", L"1-2"}}));
        EXPECT_EQ(readKeys(copies[1].id, L"场区"),
                  (KeyValues{{L"场区类型", L"内框"}, {L"场区编号", L"1-2"}}));
        const Seen& label = copies[2];
        EXPECT_EQ(label.text, L"1-2");
        EXPECT_DOUBLE_EQ(label.size, c.labelHeight);
        EXPECT_EQ(label.colour, 256);
        EXPECT_NEAR(label.at.x, 100 + c.side / 2, 1e-9);
        EXPECT_NEAR(label.at.y, 50 + c.side / 2, 1e-9);
        EXPECT_DOUBLE_EQ(copies[3].size, 0.4 * c.labelHeight * 3);
        EXPECT_EQ(setting(L"FieldLayer"), *c.fieldLayer ? c.fieldLayer : L"场区");
        // All four in one anonymous group.
        const std::vector<AcDbObjectIdArray> groups = Groups(db());
        ASSERT_EQ(groups.size(), 1u);
        ASSERT_EQ(groups[0].length(), 4);
        for (size_t i = 0; i < copies.size(); ++i)
            EXPECT_EQ(groups[0][static_cast<int>(i)], copies[i].id);
    }
}

TEST_F(Extraction, PaneNumberLabelsMoveToTheNewSitesLabelLayer) {
    struct Case {
        const ACHAR* paneLayer;  // setting, empty: missing
        const ACHAR* from;
        const ACHAR* to;
    };
    const Case cases[] = {{L"", L"场区1方格编号", L"场区1-2方格编号"},
                          {L"格", L"场区1格编号", L"场区1-2格编号"}};
    for (const Case& c : cases) {
        restart();
        if (*c.paneLayer != 0) setSetting(L"PaneLayer", c.paneLayer);
        const AcDbObjectId site = addSite(Square(0, 0, 100), L"1");
        auto label = std::make_unique<AcDbText>(AcGePoint3d(5, 5, 0), L"7");
        label->setColorIndex(3);
        add(std::move(label), c.from);
        CopyPaneNumberLabels(site, Target());
        const std::vector<Seen> copies = OnLayer(ModelSpace(db()), c.to);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0].text, L"7");
        EXPECT_EQ(copies[0].colour, 3);
        EXPECT_EQ(setting(L"PaneLayer"), c.paneLayer) << "the stem is not written back";
        EXPECT_EQ(setting(L"PaneColor"), L"2");
    }
}

TEST_F(Extraction, PanesTakeTheLayerPairAndSharedCornersAreDimensionedOnce) {
    const std::vector<std::vector<double>> layers = {
        {10, 9, 7.5}, {10.5, 9.2, 7}, {11, 9.4, 7.2}, {10.2, 8.8, 7.1}};
    const AcDbObjectId left = addLayeredPane(Square(0, 0, 10), L"1", layers);
    const AcDbObjectId right = addLayeredPane(Square(10, 0, 10), L"2", layers);
    AcDbObjectId paneLayer;
    ArxLayer::Arx_CreateLayer(L"场区1-2方格", 2, paneLayer);
    AnnotatedCorners corners;
    const ExtractionTarget target = Target(1);
    const AcDbObjectId a = ExtractPane(L"场区1-2方格", left, target, corners, settings);
    const AcDbObjectId b = ExtractPane(L"场区1-2方格", right, target, corners, settings);
    ASSERT_FALSE(a.isNull() || b.isNull());
    EXPECT_EQ(corners.size(), 6);

    std::vector<double> natural, design;
    GetPaneNaturalElevations(a, natural);
    GetPaneDesignElevations(a, design);
    EXPECT_EQ(natural, (std::vector<double>{9, 9.2, 9.4, 8.8}));
    EXPECT_EQ(design, (std::vector<double>{7.5, 7, 7.2, 7.1}));
    const KeyValues keys = readKeys(a, L"方格");
    ASSERT_GE(keys.size(), 4u);
    EXPECT_EQ(
        KeyValues(keys.begin(), keys.begin() + 4),
        (KeyValues{{L"行数", L"3"}, {L"列数", L"4"}, {L"方格编号", L"1"}, {L"场区编号", L"1-2"}}));
    double fill = 0, cut = 0;
    GetPaneVolumes(a, fill, cut);
    EXPECT_GT(cut, 100.0);
    EXPECT_EQ(fill, 0.0);

    const std::vector<Seen> all = ModelSpace(db());
    const std::vector<Seen> dims = OnLayer(all, L"场区1-2方格标高标注");
    ASSERT_EQ(dims.size(), 6u);
    AcDbPtEleDim* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, dims[0].id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dim->dimPoint(), AcGePoint3d(100, 50, 0));
    EXPECT_STREQ(dim->originEle(), L"9.00");
    EXPECT_STREQ(dim->designEle(), L"7.50");
    EXPECT_STREQ(dim->var(), L"-1.50");
    dim->close();
    const std::vector<Seen> panes = OnLayer(all, L"场区1-2方格");
    ASSERT_EQ(panes.size(), 2u);
    EXPECT_EQ(panes[0].colour, 256);
    EXPECT_EQ(OnLayer(all, L"场区1-2挖方标注").size(), 2u);
    EXPECT_TRUE(OnLayer(all, L"场区1-2填方标注").empty());
}

TEST_F(Extraction, ACornerWithoutTheLowerLayerGivesTheCornerCountMessage) {
    const AcDbObjectId pane =
        addLayeredPane(Square(0, 0, 10), L"7", {{10, 9, 8}, {10, 9, 8}, {10, 9}, {10, 9, 8}});
    AnnotatedCorners corners;
    const AcDbObjectId made = ExtractPane(L"场区1-2方格", pane, Target(1), corners, settings);
    std::vector<double> natural;
    GetPaneNaturalElevations(made, natural);
    EXPECT_EQ(natural.size(), 3u);
    EXPECT_NE(
        acedHostTranscript().find(L"\n方格编号[7]计算土方失败,原因为其端点数与自然标高数不一样!"),
        std::wstring::npos)
        << acedHostTranscript();
    // Nothing stored and no texts: zeros would read as a result.
    double fill = -1, cut = -1;
    EXPECT_FALSE(GetPaneVolumes(made, fill, cut));
    const std::vector<Seen> all = ModelSpace(db());
    EXPECT_TRUE(OnLayer(all, L"场区1-2填方标注").empty());
    EXPECT_TRUE(OnLayer(all, L"场区1-2挖方标注").empty());
    EXPECT_EQ(OnLayer(all, L"场区1-2方格标高标注").size(), 3u);
}

TEST_F(Extraction, EarthworkFailuresNameThePaneByNumberOrRowAndColumn) {
    struct Case {
        PaneEarthworkFailure failure;
        bool numbered;
        const ACHAR* message;
    };
    const Case cases[] = {
        {PaneEarthworkFailure::Vertices, true, L"\n方格编号[9]计算土方失败,原因为其端点时失败!"},
        {PaneEarthworkFailure::Natural, true, L"\n方格编号[9]计算土方失败,原因为其自然标高失败!"},
        {PaneEarthworkFailure::Design, false,
         L"\n第[3]行,第[4]列方格计算土方失败,原因为其设计标高失败!"},
        {PaneEarthworkFailure::NaturalCount, false,
         L"\n第[3]行,第[4]列方格计算土方失败,原因为其端点数与自然标高数不一样!"},
        {PaneEarthworkFailure::DesignCount, true,
         L"\n方格编号[9]计算土方失败,原因为其端点数与设计标高数不一样!"},
    };
    for (const Case& c : cases) {
        restart();
        AcDbObjectId pane;
        if (c.failure == PaneEarthworkFailure::Vertices) {
            pane = add(std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5));
        } else {
            pane = addPane(Square(0, 0, 10), L"1");
        }
        writeKeys(pane, L"方格", {{L"行数", L"3"}, {L"列数", L"4"}});
        if (c.numbered) writeKeys(pane, L"方格", {{L"方格编号", L"9"}});
        const std::vector<double> four = {1, 2, 3, 4}, three = {1, 2, 3};
        if (c.failure != PaneEarthworkFailure::Natural)
            SetPaneNaturalElevations(
                pane, c.failure == PaneEarthworkFailure::NaturalCount ? three : four);
        if (c.failure != PaneEarthworkFailure::Design && c.failure != PaneEarthworkFailure::Natural)
            SetPaneDesignElevations(pane,
                                    c.failure == PaneEarthworkFailure::DesignCount ? three : four);
        EXPECT_FALSE(CalcExtractedPaneEarthwork(pane, settings));
        EXPECT_EQ(acedHostTranscript(), c.message);
        double fill = -1, cut = -1;
        EXPECT_FALSE(GetPaneVolumes(pane, fill, cut));
    }
}

TEST_F(Extraction, ElevationDimensionTextsLayersAndHeight) {
    AcDbObjectId layer0, style0;
    layer0 = db()->clayer();
    style0 = db()->textstyle();
    DrawCornerElevationDim(L"1-2", 12.3456, 11.2, AcGePoint3d(3, 4, 0), 0.5, 0.0);
    EXPECT_EQ(db()->clayer(), layer0);
    EXPECT_EQ(db()->textstyle(), style0);
    EXPECT_EQ(setting(L"TextHeight"), L"2.5");
    const std::vector<Seen> dims = OnLayer(ModelSpace(db()), L"场区1-2方格标高标注");
    ASSERT_EQ(dims.size(), 1u);
    AcDbPtEleDim* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, dims[0].id, AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(dim->originEle(), L"12.35");
    EXPECT_STREQ(dim->designEle(), L"11.20");
    EXPECT_STREQ(dim->var(), L"-1.15");
    EXPECT_STREQ(dim->originLayer(), L"场区1-2自然标注");
    EXPECT_STREQ(dim->designLayer(), L"场区1-2设计标注");
    EXPECT_STREQ(dim->varLayer(), L"场区1-2差值标注");
    EXPECT_EQ(dim->originColor(), 173);
    EXPECT_EQ(dim->designColor(), 130);
    EXPECT_EQ(dim->varColor(), 7);
    EXPECT_DOUBLE_EQ(dim->textHeight(), 2.5);
    EXPECT_DOUBLE_EQ(dim->textAngle(), 0.5);
    EXPECT_EQ(dim->leadPoint(), AcGePoint3d(3, 4, 0));
    dim->close();
}

TEST_F(Extraction, VolumeTextsSitAtThePaneCentre) {
    const double h = 2.0, d = 0.7 * h, a = 0.3;
    struct Case {
        const char* name;
        std::vector<AcGePoint2d> corners;
        double fill, cut;
        AcGePoint2d centre;
        const ACHAR *fillText, *cutText;  // empty: none
    };
    const Case cases[] = {
        {"triangle", {{0, 0}, {10, 0}, {4, 8}}, 3.5, 0, {4.5, 4}, L"T=3.50", L""},
        {"square, fill only", Square(0, 0, 10), 3.5, 0, {5, 5}, L"T=3.50", L""},
        {"square, cut only", Square(0, 0, 10), 0, 1.25, {5, 5}, L"", L"W=1.25"},
        {"square, both", Square(0, 0, 10), 3.5, 1.25, {5, 5}, L"T=3.50", L"W=1.25"},
        {"square, neither", Square(0, 0, 10), 0, 0, {5, 5}, L"T=0.00", L"W=0.00"},
        // Sides 10, 6, 6.708, ...: corners 2 and 3 agree with nothing,
        // sides 3-4 and 4-5 are equal: midpoint of corners 3 and 5.
        {"pentagon", {{0, 0}, {10, 0}, {10, 6}, {7, 8}, {4, 6}}, 2, 0, {7, 6}, L"T=2.00", L""},
    };
    for (const Case& c : cases) {
        restart();
        const AcDbObjectId pane = addPane(c.corners, L"1");
        SetPaneVolumes(pane, c.fill, c.cut);
        std::vector<AcGePoint3d> corners;
        for (const AcGePoint2d& p : c.corners) corners.emplace_back(p.x, p.y, 5.0);
        AnnotatePaneEarthwork(pane, L"1-2", corners, a, h);
        const std::vector<Seen> all = ModelSpace(db());
        const std::vector<Seen> fills = OnLayer(all, L"场区1-2填方标注");
        const std::vector<Seen> cuts = OnLayer(all, L"场区1-2挖方标注");
        ASSERT_EQ(fills.size(), *c.fillText ? 1u : 0u) << c.name;
        ASSERT_EQ(cuts.size(), *c.cutText ? 1u : 0u) << c.name;
        const double shift = fills.size() + cuts.size() == 2 ? d : 0.0;
        // Fill above, cut below the centre, across the grid direction.
        for (const auto& [texts, text, turn] :
             {std::tuple{fills, c.fillText, 1.5707963}, std::tuple{cuts, c.cutText, -1.5707963}}) {
            if (texts.empty()) continue;
            EXPECT_EQ(texts[0].text, text) << c.name;
            EXPECT_NEAR(texts[0].at.x, c.centre.x + shift * std::cos(a + turn), 1e-9) << c.name;
            EXPECT_NEAR(texts[0].at.y, c.centre.y + shift * std::sin(a + turn), 1e-9) << c.name;
            EXPECT_EQ(texts[0].at.z, 0.0) << c.name;
            EXPECT_DOUBLE_EQ(texts[0].size, h) << c.name;
        }
    }
}

}  // namespace
