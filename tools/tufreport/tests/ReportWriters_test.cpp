// What the report works out and writes, on plain values.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ColourScale.h"
#include "CsvReport.h"
#include "PlanOutline.h"
#include "ReportOptions.h"
#include "ReportText.h"
#include "ReportTotals.h"

namespace {

StoredValue V(const char* text, bool wellFormed = true) {
    return {true, wellFormed, std::atof(text), text};
}

PaneEntry LayeredPane(std::vector<StoredValue> fills, std::vector<StoredValue> cuts) {
    PaneEntry p;
    p.number = "7";
    p.area = 100.0;
    p.pairFills = std::move(fills);
    p.pairCuts = std::move(cuts);
    p.fill = V("1.00");
    p.cut = V("5.00");
    return p;
}

TEST(ReportTotals, PanesWithMissingOrMalformedKeysAreNamed) {
    PaneEntry single;
    single.singleLayer = true;
    single.fill = V("2");
    single.cut = V("3");
    single.fillArea = V("4");
    struct Case {
        const char* name;
        PaneEntry pane;
        std::vector<std::string> problems;
    };
    PaneEntry noCut = LayeredPane({V("1"), V("0")}, {V("2"), V("3")});
    noCut.cut = {};
    const Case cases[] = {
        {"complete", LayeredPane({V("1"), V("0")}, {V("2"), V("3")}), {}},
        {"short list",
         LayeredPane({V("1"), V("0")}, {V("2")}),
         {"挖方组 holds 1 values for 2 layer pairs"}},
        {"malformed item",
         LayeredPane({V("1"), V("x", false)}, {V("2"), V("3")}),
         {"填方组2 is not a number: \"x\""}},
        {"no total", noCut, {"挖方量 is missing"}},
        {"no results", PaneEntry{}, {"no earthwork results"}},
        {"single layer without an area", single, {"挖方面积 is missing"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PaneProblems(c.pane, 2), c.problems);
    }
}

TEST(ReportTotals, SumsLeaveIncompletePanesOutAndWarnBeyondTheRounding) {
    SiteEntry site;
    site.number = "1";
    site.pairCount = 1;
    site.panes = {LayeredPane({V("1.00")}, {V("5.00")}), LayeredPane({V("1.00")}, {V("5.00")}),
                  LayeredPane({V("9.00")}, {V("9.00")})};
    site.panes[2].problems = {"broken"};
    const SiteTotals t = ComputeTotals(site);
    EXPECT_EQ(t.counted, 2);
    EXPECT_EQ(t.leftOut, 1);
    EXPECT_DOUBLE_EQ(t.cut, 10.0);
    EXPECT_DOUBLE_EQ(t.pairFills[0], 2.0);
    // The panes' fill sums to 2.00 and cut to 10.00; two decimals round by 0.005.
    const struct {
        const char* fill;
        const char* cut;
        size_t warnings;
    } cases[] = {
        {"2.00", "10.00", 0}, {"2.004", "9.996", 0}, {"2.006", "10.00", 1}, {"1.90", "10.10", 2}};
    for (const auto& c : cases) {
        site.storedFill = V(c.fill);
        site.storedCut = V(c.cut);
        EXPECT_EQ(StoredTotalWarnings(site, t, 2).size(), c.warnings) << c.fill << " " << c.cut;
    }
    site.storedFill = {};
    site.storedCut = V("7", false);
    EXPECT_TRUE(StoredTotalWarnings(site, t, 2).empty()) << "nothing usable stored";
}

TEST(ReportTotals, NetVolumePerAreaIsCutMinusFill) {
    const PaneEntry p = LayeredPane({V("1"), V("6")}, {V("3"), V("1")});
    EXPECT_DOUBLE_EQ(*NetVolumePerArea(p, 0), 0.04);
    EXPECT_DOUBLE_EQ(*NetVolumePerArea(p, 1), 0.02);
    EXPECT_DOUBLE_EQ(*NetVolumePerArea(p, 2), -0.05);
    EXPECT_FALSE(NetVolumePerArea(p, 3));
    PaneEntry flat = p;
    flat.area = 0.0;
    EXPECT_FALSE(NetVolumePerArea(flat, 1));
}

TEST(ColourScale, SymmetricAroundAWhiteZeroAndClampedAtTheEnds) {
    EXPECT_EQ(DivergingColour(0.0, 2.0), 0xF7F7F7u);
    EXPECT_EQ(DivergingColour(2.0, 2.0), 0xB2182Bu);
    EXPECT_EQ(DivergingColour(-2.0, 2.0), 0x2166ACu);
    EXPECT_EQ(DivergingColour(9.0, 2.0), DivergingColour(2.0, 2.0));
    EXPECT_EQ(DivergingColour(-1.0, 2.0), 0x92C5DEu);
    EXPECT_EQ(HexColour(DivergingColour(1.0, 2.0)), "#F4A582");
    const std::pair<double, double> limits[] = {{0.0, 1.0},    {0.3, 0.5},  {2.0, 2.0},
                                                {2.1, 2.5},    {7.0, 10.0}, {10.5, 20.0},
                                                {0.012, 0.02}, {-3.0, 1.0}, {NAN, 1.0}};
    for (const auto& [magnitude, limit] : limits)
        EXPECT_DOUBLE_EQ(NiceLimit(magnitude), limit) << magnitude;
}

TEST(PlanOutline, ClosingDuplicateDroppedAndArcsFollowTheirBulge) {
    EXPECT_EQ(FlattenOutline({{0, 0}, {1, 0}, {1, 1}, {0, 0}}, {}).size(), 3u);
    // Bulge 1: a half circle from (1, 0) to (-1, 0) counter-clockwise, over (0, 1).
    const Outline arc = FlattenOutline({{1, 0}, {-1, 0}}, {1.0, 0.0});
    ASSERT_GT(arc.size(), 8u);
    for (const PlanPoint& p : arc) {
        EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-12);
        EXPECT_GE(p.y, -1e-12);
    }
    for (const PlanPoint& p : FlattenOutline({{1, 0}, {-1, 0}}, {-1.0, 0.0}))
        EXPECT_LE(p.y, 1e-12) << "clockwise, below the chord";
}

TEST(ReportText, StoredNumbersAsStoredAndCsvQuoting) {
    const std::pair<StoredValue, std::string> numbers[] = {
        {V("12.50"), "12.50"}, {V(" -3 "), "-3"},  {V("1e3"), "1000"},  {V("+4"), "4"},
        {V("5."), "5"},        {V("-.5"), "-0.5"}, {V("x", false), ""}, {StoredValue{}, ""},
    };
    for (const auto& [value, text] : numbers) EXPECT_EQ(StoredText(value), text) << value.text;
    const std::pair<const char*, const char*> fields[] = {{"a*b", "a*b"},
                                                          {"1,5", "\"1,5\""},
                                                          {"say \"x\"", "\"say \"\"x\"\"\""},
                                                          {"a\nb", "\"a\nb\""}};
    for (const auto& [field, csv] : fields) EXPECT_EQ(CsvField(field), csv);
}

TEST(ReportOptions, ValidAndInvalidCommandLines) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"d.dxf", "--csv", "t.csv", "--map=m.svg", "--pair", "2", "--png"}, ""},
        {{"--help"}, ""},
        {{}, "no drawing given"},
        {{"d.dxf", "--png"}, "--png needs --map"},
        {{"d.dxf", "--pair", "0"}, "--pair takes a layer pair number from 1, not 0"},
        {{"d.dxf", "--pair=x"}, "--pair takes a layer pair number from 1, not x"},
        {{"d.dxf", "--csv"}, "--csv needs a value"},
        {{"d.dxf", "--csv", "a", "--csv", "b"}, "--csv given twice"},
        {{"d.dxf", "e.dxf"}, "unexpected argument e.dxf"},
        {{"d.dxf", "--colour", "x"}, "unknown option --colour"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(ParseReportOptions(args).error, error);
    const ReportOptions o = ParseReportOptions({"d.dxf", "--map", "out/m.svg", "--pair=3"}).options;
    EXPECT_EQ(o.pair, 3);
    EXPECT_EQ(PngPathFor(o.map), "out/m.png");
}

}  // namespace
