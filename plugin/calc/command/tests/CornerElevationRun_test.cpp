// MLayerCalPaneEle through the host program, on small drawings whose corner
// values are worked out by hand below.
#include <cmath>

#include "CadhostSession.h"

namespace e2e {
namespace {

using Corners = CadhostSession;

// Inverse-distance mean (power 1) of values seen from (x, y): the weights
// 1/d_j normalised to sum 1.
double Idw(double x, double y, const std::vector<SurveyPoint>& points, size_t layer = 0) {
    double sumW = 0, sum = 0;
    for (const SurveyPoint& p : points) {
        const double w = 1.0 / std::hypot(p.position.x - x, p.position.y - y);
        sumW += w;
        sum += w * p.elevations[std::min(layer, p.elevations.size() - 1)];
    }
    return sum / sumW;
}

// Two panes side by side: corners (0,0) (10,0) (10,10) (0,10) and
// (10,0) (20,0) (20,10) (10,10).
SiteDrawingPlan TwoPanes(std::vector<SurveyPoint> points) {
    return {{SquareSite(L"1", 2, 1, 10)}, std::move(points)};
}

std::vector<SavedEntity> Panes(const std::vector<SavedEntity>& all) {
    return OnLayer(all, "场区1方格", "LWPOLYLINE");
}

struct CornerCase {
    const char* name;
    std::vector<SurveyPoint> points;
    // Expected layer-1 value at each corner of pane 1, then pane 2.
    std::vector<double> (*expected)(const std::vector<SurveyPoint>&);
};

std::vector<double> AtCornersOf(const std::vector<SurveyPoint>& points) {
    return {Idw(0, 0, points),  Idw(10, 0, points), Idw(10, 10, points), Idw(0, 10, points),
            Idw(10, 0, points), Idw(20, 0, points), Idw(20, 10, points), Idw(10, 10, points)};
}

TEST_F(Corners, OneToSevenPointsGiveTheInverseDistanceMeanOfAll) {
    const std::vector<std::vector<SurveyPoint>> sets = {
        {Point(5, 5, {10, 8})},
        {Point(0, 5, {10}), Point(20, 5, {20})},
        {Point(-3, 2, {11.5}), Point(4, 13, {12.25}), Point(17, -4, {9.75}), Point(25, 7, {10.1}),
         Point(8, 4, {13}), Point(13, 6, {12}), Point(3, -2, {11})},
    };
    for (const auto& points : sets) {
        makeDrawing(TwoPanes(points));
        const Outcome o = run("MLayerCalPaneEle\nA\n");
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_TRUE(Has(o.out, "计算标高完成.")) << o.out;
        const std::vector<SavedEntity> panes = Panes(saved());
        ASSERT_EQ(panes.size(), 2u);
        const std::vector<double> want = AtCornersOf(points);
        for (size_t p = 0; p < 2; ++p)
            for (size_t i = 0; i < 4; ++i)
                EXPECT_EQ(panes[p].value("方格", "标高组" + std::to_string(i) + "_1"),
                          Fixed2(want[4 * p + i]))
                    << points.size() << " points, pane " << p << " corner " << i;
    }
}

TEST_F(Corners, OnePointGivesItsWholeListAndEachSharedCornerOneText) {
    makeDrawing(TwoPanes({Point(5, 5, {10, 8.5, 7})}));
    ASSERT_EQ(run("MLayerCalPaneEle\n5,5\n").status, 0);
    const std::vector<SavedEntity> all = saved();
    for (const SavedEntity& pane : Panes(all))
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pane.values("方格", "标高组" + std::to_string(i) + "_"),
                      (std::vector<std::string>{"10.00", "8.50", "7.00"}));
    // Six distinct corners, one text each, a tenth of the spacing high.
    const std::vector<SavedEntity> texts = OnLayer(all, "场区1方格标高标注", "TEXT");
    ASSERT_EQ(texts.size(), 6u);
    for (const SavedEntity& t : texts) {
        EXPECT_EQ(t.text, "10.00");
        EXPECT_DOUBLE_EQ(t.height, 1.0);
    }
}

TEST_F(Corners, AnExactHitTakesThatPointAlone) {
    std::vector<SurveyPoint> points = {Point(10, 0, {7})};
    for (int k = 0; k < 9; ++k) points.push_back(Point(30 + k, 20 + k, {20.0 + k}));
    makeDrawing(TwoPanes(points));
    ASSERT_EQ(run("MLayerCalPaneEle\nA\n").status, 0);
    const std::vector<SavedEntity> panes = Panes(saved());
    EXPECT_EQ(panes[0].value("方格", "标高组1_1"), "7.00");
    EXPECT_EQ(panes[1].value("方格", "标高组0_1"), "7.00");
}

TEST_F(Corners, EightPointsEastOfACornerAreToppedUpToTheThreeNearest) {
    // All within 0..45 degrees of corner (0,0): sector 0 gives the nearest,
    // the top-up the second and third nearest.
    std::vector<SurveyPoint> points;
    for (int k = 0; k < 8; ++k) points.push_back(Point(3 + k, 0.5, {1.0 + k}));
    makeDrawing(TwoPanes(points));
    ASSERT_EQ(run("MLayerCalPaneEle\nA\n").status, 0);
    const std::vector<SurveyPoint> nearest(points.begin(), points.begin() + 3);
    EXPECT_EQ(Panes(saved())[0].value("方格", "标高组0_1"), Fixed2(Idw(0, 0, nearest)));
}

TEST_F(Corners, OptionBLeavesOutPointsJustOutsideTheSite) {
    const std::vector<SurveyPoint> points = {Point(10, 5, {10}), Point(10, 10.05, {30})};
    makeDrawing(TwoPanes(points));
    ASSERT_EQ(run("MLayerCalPaneEle\nB\nA\n").status, 0);
    for (const SavedEntity& pane : Panes(saved()))
        EXPECT_EQ(pane.value("方格", "标高组0_1"), "10.00");
    ASSERT_EQ(run("MLayerCalPaneEle\nA\n").status, 0);
    EXPECT_EQ(Panes(saved())[0].value("方格", "标高组0_1"), Fixed2(Idw(0, 0, points)));
}

TEST_F(Corners, OptionASkipsInnerOutlines) {
    // An inner outline numbered 9: computed as a site it would report that
    // site 9 has no panes.
    SitePlan inner = SquareSite(L"9", 1, 1, 4);
    inner.outline = {{3, 3}, {7, 3}, {7, 7}, {3, 7}};
    inner.innerOnly = true;
    SitePlan east = SquareSite(L"2", 1, 1, 10);
    east.outline = {{100, 100}, {110, 100}, {110, 110}, {100, 110}};
    east.origin = {100, 100};
    SiteDrawingPlan plan = TwoPanes({Point(5, 5, {10})});
    plan.sites.push_back(inner);
    plan.sites.push_back(east);
    makeDrawing(plan);
    const Outcome o = run("MLayerCalPaneEle\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_FALSE(Has(o.out, "场区9")) << o.out;
    EXPECT_EQ(Count(o.out, "计算标高完成."), 1u) << o.out;
    // Both outer sites were computed: every point of the drawing counts.
    const std::vector<SavedEntity> all = saved();
    EXPECT_EQ(OnLayer(all, "场区2方格")[0].value("方格", "标高组0_1"), "10.00");
    EXPECT_EQ(OnLayer(all, "场区2方格标高标注", "TEXT").size(), 4u);
}

struct MessageCase {
    const char* name;
    SiteDrawingPlan plan;
    std::string script;
    std::string message;
};

TEST_F(Corners, ProblemsAreReportedWithTheirMessages) {
    SitePlan noPanes = SquareSite(L"7", 1, 1, 10);
    noPanes.outline = {{1, 1}, {1.1, 1}, {1.1, 1.1}};  // a sliver: no pane is laid out
    const MessageCase cases[] = {
        {"no site", {{}, {Point(0, 0, {1})}}, "MLayerCalPaneEle\n", "\n请先布置场区!"},
        {"no panes",
         {{noPanes}, {Point(0, 0, {1})}},
         "MLayerCalPaneEle\nA\n",
         "\n在场区7内选择方格失败!---<可能是该场区内没有布置方格>."},
        {"no points", TwoPanes({}), "MLayerCalPaneEle\nA\n", "\n场区1没有标高数据!"},
        {"none inside", TwoPanes({Point(50, 50, {1})}), "MLayerCalPaneEle\nB\n5,5\n",
         "\n场区1没有标高数据!"},
    };
    for (const MessageCase& c : cases) {
        makeDrawing(c.plan);
        const Outcome o = run(c.script);
        EXPECT_EQ(o.status, 0) << c.name << o.err;
        EXPECT_TRUE(Has(o.out, c.message)) << c.name << "\n" << o.out;
    }
}

// The site's grid value as written in the drawing file, replaced.
void SetGridValue(const fs::path& file, const std::string& key, const std::string& value) {
    std::string text = ReadFile(file);
    const size_t at = text.find("1000\n" + key + "\n1000\n");
    ASSERT_NE(at, std::string::npos) << key;
    const size_t start = at + 5 + key.size() + 6, end = text.find('\n', start);
    text.replace(start, end - start, value);
    std::ofstream(file, std::ios::binary) << text;
}

// A grid value that places texts at no finite point refuses the site, in both
// calculation commands; nothing is written that the drawing could not hold.
TEST_F(Corners, ASiteWithAnUnusableGridIsRefusedByName) {
    const struct {
        const char* key;
        const char* value;
        const char* message;
    } cases[] = {
        {"方格间距", "0", "\n场区1的方格间距\"0\"不是正数,跳过该场区!"},
        {"方格间距", "abc", "\n场区1的方格间距\"abc\"不是正数,跳过该场区!"},
        {"方格间距", "-5", "\n场区1的方格间距\"-5\"不是正数,跳过该场区!"},
        {"方格间距", "1e999", "\n场区1的方格间距\"1e999\"不是正数,跳过该场区!"},
        {"方格角度", "nan", "\n场区1的方格角度\"nan\"不是有限数,跳过该场区!"},
        {"方格角度", "1e999", "\n场区1的方格角度\"1e999\"不是有限数,跳过该场区!"},
    };
    for (const auto& c : cases) {
        makeDrawing(TwoPanes({Point(5, 5, {10, 8})}));
        SetGridValue(path("in.dxf"), c.key, c.value);
        for (const char* command : {"MLayerCalPaneEle\nA\n", "MLayerCalPaneTuf\nA\n"}) {
            const Outcome o = run(command);
            EXPECT_EQ(o.status, 0) << c.key << c.value << o.err;
            EXPECT_TRUE(Has(o.out, c.message)) << command << o.out;
            EXPECT_TRUE(OnLayer(saved(), "场区1方格标高标注").empty());
        }
    }
}

// Huge elevations overflow the volumes or their sum: such a pane is skipped
// by name, such totals are not stored, and no value that is not finite is.
TEST_F(Corners, NumbersThatAreNotFiniteAreNeverStored) {
    const struct {
        std::vector<double> layers;
        const char* message;
        size_t times;
        const char* firstCut;
    } cases[] = {
        {{1e308, -1e308}, "的计算结果不是有限数,跳过该方格!", 2, "<none>"},
        {{1.5e306, 0}, "\n场区1的土方量合计不是有限数,未能保存!", 1, nullptr},
    };
    for (const auto& c : cases) {
        makeDrawing(TwoPanes({Point(5, 5, c.layers)}));
        const Outcome o = run("MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n");
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(Count(o.out, c.message), c.times) << o.out;
        const std::string text = ReadFile(path("out.dxf"));
        EXPECT_EQ(text.find("inf\n"), std::string::npos);
        EXPECT_EQ(text.find("nan\n"), std::string::npos);
        if (c.firstCut != nullptr) {
            EXPECT_EQ(Panes(saved())[0].value("方格", "挖方组1"), c.firstCut);
        }
    }
}

// One object's extended data holds at most 16 KB: with so many layers that a
// pane's values do not fit, the command says so for each pane and the
// earthwork does not take them for computed.
TEST_F(Corners, LayersThatDoNotFitThePaneAreReported) {
    makeDrawing(TwoPanes({Point(5, 5, std::vector<double>(400, 1.0))}));
    const Outcome o = run("MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "\n场区1方格1的数据超过扩展数据16KB的上限,未能保存!")) << o.out;
    EXPECT_TRUE(Has(o.out, "\n场区1方格2的数据超过扩展数据16KB的上限,未能保存!")) << o.out;
    EXPECT_TRUE(Has(o.out, "\n请先进行<计算多层标高>!")) << o.out;
}

TEST_F(Corners, EnterOrEscapeAtThePromptEndsSilently) {
    makeDrawing(TwoPanes({Point(5, 5, {10})}));
    for (const char* answer : {"\n", "!escape\n"}) {
        const Outcome o = run(std::string("MLayerCalPaneEle\n") + answer);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_FALSE(Has(o.out, "完成")) << o.out;
    }
}

TEST_F(Corners, AUserBreakKeepsThePanesDoneSoFar) {
    makeDrawing(TwoPanes({Point(5, 5, {10})}));
    const Outcome o = run("!break 1\nMLayerCalPaneEle\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "计算标高完成.")) << o.out;
    const std::vector<SavedEntity> all = saved();
    const std::vector<SavedEntity> panes = Panes(all);
    EXPECT_EQ(panes[0].value("方格", "标高组0_1"), "10.00");
    EXPECT_EQ(panes[1].value("方格", "标高组0_1"), "<none>");
    EXPECT_EQ(OnLayer(all, "场区1方格标高标注", "TEXT").size(), 4u);
}

TEST_F(Corners, RerunningReplacesTextsAndStaleEarthworkAnnotations) {
    makeDrawing(TwoPanes({Point(5, 5, {10, 8})}));
    ASSERT_EQ(run("MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\nMLayerCalPaneEle\nA\n").status, 0);
    const std::vector<SavedEntity> all = saved();
    EXPECT_EQ(OnLayer(all, "场区1方格标高标注", "TEXT").size(), 6u);
    EXPECT_TRUE(OnLayer(all, "场区1挖方标注").empty());
    EXPECT_TRUE(OnLayer(all, "场区1填方标注").empty());
}

}  // namespace
}  // namespace e2e
