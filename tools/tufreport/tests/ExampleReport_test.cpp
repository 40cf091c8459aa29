// The report tool on the bundled example, computed by the host program as the
// main job computes it, against what the plug-in's data access reads from the
// same drawing; and on single-layer panes written in place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "CsvReport.h"
#include "DataTestSupport.h"
#include "DrawingReport.h"
#include "FieldData.h"
#include "XdataStore.h"
#include "dbcurve.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::vector<std::string>> Lines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields(1);
        for (char c : line) {
            if (c == '\t')
                fields.emplace_back();
            else
                fields.back().push_back(c);
        }
        lines.push_back(fields);
    }
    return lines;
}

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// One pane as the plug-in's data access reads it.
struct ReadPane {
    std::string site, number;
    std::vector<double> fills, cuts;
    double fill = 0.0, cut = 0.0, area = 0.0;
};

struct ReadSite {
    std::string number;
    double storedFill = 0.0, storedCut = 0.0;
};

class ExampleReport : public SiteDrawingTest {
  protected:
    void SetUp() override {
        SiteDrawingTest::SetUp();
        if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/python3";
        // The example's corner elevations and earthwork, without its extraction step, so that
        // every pane carries the layer-pair keys; extracted sites are covered by the unit tests.
        {
            std::ofstream script(path("site.scr"));
            script << "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n";
        }
        const std::string arx = KAVREL_ARX_DIR;
        const std::string command =
            std::string(CADHOST_EXE) + " --registry " + path("cad.reg").string() + " --load " +
            arx + "/QUARNArxBase.arx --load " + arx + "/QUARNArxApply.arx --load " + arx +
            "/Kavrel.arx --open " + KAVREL_SOURCE_DIR + "/examples/site.dxf --script " +
            path("site.scr").string() + " --save " + drawing().string() + " >" +
            path("cadhost.txt").string() + " 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(path("cadhost.txt"));
        openDrawing(drawing());
        readBack();
    }

    fs::path drawing() const { return path("site.dxf"); }

    void openDrawing(const fs::path& file) {
        closeDocument();
        mDoc = acDocManager->addDocument(nullptr, file.wstring());
        ASSERT_EQ(db()->dxfIn(file.wstring().c_str()), Acad::eOk);
    }

    void readBack() {
        AcDbObjectIdArray outlines;
        CollectFields(outlines);
        for (const AcDbObjectId& site : outlines) {
            std::wstring type, number, text;
            GetFieldType(site, type);
            if (type != L"外框") continue;
            GetFieldNumber(site, number);
            ReadSite s;
            s.number = wcrtToUtf8(number);
            ReadText(site, L"场区", L"场区填方量", text, L"");
            s.storedFill = _wtof(text.c_str());
            ReadText(site, L"场区", L"场区挖方量", text, L"");
            s.storedCut = _wtof(text.c_str());
            mSites.push_back(s);
            AcDbObjectIdArray panes;
            CollectFieldPanes(site, panes);
            for (const AcDbObjectId& pane : panes) mPanes.push_back(readPane(s.number, pane));
        }
    }

    static ReadPane readPane(const std::string& site, AcDbObjectId id) {
        ReadPane p;
        p.site = site;
        std::wstring number;
        GetPaneNumber(id, number);
        p.number = wcrtToUtf8(number);
        GetPaneLayerFills(id, p.fills);
        GetPaneLayerCuts(id, p.cuts);
        GetPaneVolumes(id, p.fill, p.cut);
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
            AcDbCurve::cast(entity)->getArea(p.area);
            entity->close();
        }
        return p;
    }

    // Runs the tool on the drawing with the arguments; standard error in `errors`.
    int report(const fs::path& file, const std::string& args, std::string& errors) {
        const std::string command = std::string(TUFREPORT_EXE) + " " + file.string() +
                                    " --registry " + path("cad.reg").string() + " " + args + " 2>" +
                                    path("errors.txt").string();
        const int status = std::system(command.c_str());
        errors = ReadFile(path("errors.txt"));
        return status;
    }

    std::string python(const char* mode, const fs::path& file) {
        const std::string command = std::string("/usr/bin/python3 ") + READ_REPORT_SCRIPT + " " +
                                    mode + " " + file.string() + " >" +
                                    path("python.txt").string() + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(path("python.txt"));
        return ReadFile(path("python.txt"));
    }

    // The CSV's rows keyed by kind, site, pane and layer pair: fill and cut.
    std::map<std::string, std::pair<std::string, std::string>> csvRows(const fs::path& csv) {
        const auto lines = Lines(python("csv", csv));
        EXPECT_FALSE(lines.empty());
        std::map<std::string, std::pair<std::string, std::string>> rows;
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string>& r = lines[i];
            EXPECT_EQ(r.size(), 14u);
            if (r.size() < 10) continue;
            rows[r[0] + "|" + r[1] + "|" + r[2] + "|" + r[7]] = {r[8], r[9]};
        }
        return rows;
    }

    std::vector<ReadSite> mSites;
    std::vector<ReadPane> mPanes;
};

TEST_F(ExampleReport, CsvRowsAndTotalsEqualTheReaderForEveryPaneAndSite) {
    std::string errors;
    ASSERT_EQ(report(drawing(), "--csv " + path("t.csv").string(), errors), 0) << errors;
    EXPECT_EQ(errors, "");
    const std::string read = python("csv", path("t.csv"));
    const std::string header = read.substr(0, read.find('\n'));
    std::string expectedHeader = kCsvHeader;
    for (char& c : expectedHeader) c = c == ',' ? '\t' : c;
    EXPECT_EQ(header, expectedHeader);
    const auto rows = csvRows(path("t.csv"));
    ASSERT_EQ(mPanes.size(), 175u);
    size_t paneRows = 0;
    std::map<std::string, double> fillSums, cutSums;
    for (const ReadPane& p : mPanes) {
        SCOPED_TRACE("site " + p.site + " pane " + p.number);
        ASSERT_EQ(p.fills.size(), 3u);
        for (size_t k = 0; k < p.fills.size(); ++k) {
            const auto row =
                rows.find("方格|" + p.site + "|" + p.number + "|" + std::to_string(k + 1));
            ASSERT_NE(row, rows.end());
            EXPECT_EQ(Number(row->second.first), p.fills[k]);
            EXPECT_EQ(Number(row->second.second), p.cuts[k]);
        }
        const auto total = rows.find("方格|" + p.site + "|" + p.number + "|合计");
        ASSERT_NE(total, rows.end());
        EXPECT_EQ(Number(total->second.first), p.fill);
        EXPECT_EQ(Number(total->second.second), p.cut);
        paneRows += p.fills.size() + 1;
        fillSums[p.site] += p.fill;
        cutSums[p.site] += p.cut;
    }
    ASSERT_EQ(mSites.size(), 2u);
    for (const ReadSite& s : mSites) {
        SCOPED_TRACE("site " + s.number);
        const auto stored = rows.at("场区|" + s.number + "||合计");
        EXPECT_EQ(Number(stored.first), s.storedFill);
        EXPECT_EQ(Number(stored.second), s.storedCut);
        const auto sum = rows.at("方格合计|" + s.number + "||合计");
        EXPECT_NEAR(Number(sum.first), fillSums[s.number], 0.005);
        EXPECT_NEAR(Number(sum.second), cutSums[s.number], 0.005);
    }
    // Per site: three pair sums, their total and the stored row.
    EXPECT_EQ(rows.size(), paneRows + mSites.size() * 5);
}

TEST_F(ExampleReport, JsonHoldsTheSameNumbers) {
    std::string errors;
    ASSERT_EQ(report(drawing(), "--json " + path("t.json").string(), errors), 0) << errors;
    size_t site = 0, pane = 0;
    for (const std::vector<std::string>& line : Lines(python("json", path("t.json")))) {
        if (line[0] == "site") {
            ASSERT_LT(site, mSites.size());
            const ReadSite& s = mSites[site++];
            EXPECT_EQ(line[1], s.number);
            EXPECT_EQ(Number(line[2]), s.storedFill);
            EXPECT_EQ(Number(line[3]), s.storedCut);
            continue;
        }
        ASSERT_LT(pane, mPanes.size());
        const ReadPane& p = mPanes[pane++];
        ASSERT_EQ(line.size(), 5 + 2 * p.fills.size());
        EXPECT_EQ(line[2], p.number);
        EXPECT_EQ(Number(line[3]), p.fill);
        EXPECT_EQ(Number(line[4]), p.cut);
        for (size_t k = 0; k < p.fills.size(); ++k) {
            EXPECT_EQ(Number(line[5 + 2 * k]), p.fills[k]);
            EXPECT_EQ(Number(line[6 + 2 * k]), p.cuts[k]);
        }
    }
    EXPECT_EQ(site, mSites.size());
    EXPECT_EQ(pane, mPanes.size());
}

TEST_F(ExampleReport, APaneWithAMissingKeyIsReportedAndLeftOut) {
    // The fifth pane of site 1 loses its cut of layer pair 2.
    AcDbObjectIdArray outlines, panes;
    CollectFields(outlines);
    CollectFieldPanes(outlines[0], panes);
    const ReadPane& broken = mPanes[4];
    ASSERT_EQ(broken.site, "1");
    ASSERT_TRUE(EditXdata(panes[4], L"方格", [](ArxDbgAppXdataX& d) { d.remove(L"挖方组2"); }));
    ASSERT_EQ(db()->dxfOut(path("broken.dxf").wstring().c_str()), Acad::eOk);
    std::string errors;
    ASSERT_EQ(
        report(path("broken.dxf"),
               "--csv " + path("t.csv").string() + " --map " + path("m.svg").string(), errors),
        0);
    EXPECT_NE(errors.find("tufreport: site 1, pane " + broken.number +
                          ": 挖方组 holds 2 values for 3 layer pairs; left out of the totals"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("site 1: 1 of 100 panes left out"), std::string::npos) << errors;
    EXPECT_NE(errors.find("warning: site 1: stored 场区挖方量"), std::string::npos) << errors;
    const auto rows = csvRows(path("t.csv"));
    double cut = 0.0;
    for (const ReadPane& p : mPanes)
        if (p.site == "1" && &p != &broken) cut += p.cut;
    EXPECT_NEAR(Number(rows.at("方格合计|1||合计").second), cut, 0.005);
    EXPECT_EQ(Number(rows.at("场区|1||合计").second), mSites[0].storedCut) << "shown as stored";
    const auto svg = Lines(python("svg", path("m.svg")));
    std::istringstream counts(svg[0][0]);
    int filled = 0, withFill = 0, missing = 0;
    counts >> filled >> withFill >> missing;
    EXPECT_EQ(filled, 174);
    EXPECT_EQ(missing, 1);
}

TEST_F(ExampleReport, TheMapHasOneFilledShapePerPaneAndALegendCoveringTheExtremes) {
    for (int pair : {0, 2}) {
        SCOPED_TRACE(pair);
        double low = 1e300, high = -1e300;
        for (const ReadPane& p : mPanes) {
            const double net = pair == 0 ? p.cut - p.fill : p.cuts[1] - p.fills[1];
            low = std::min(low, net / p.area);
            high = std::max(high, net / p.area);
        }
        const fs::path svg = path("m.svg"), png = path("m.png");
        fs::remove(png);
        std::string errors;
        const std::string args =
            "--map " + svg.string() + " --png" + (pair ? " --pair " + std::to_string(pair) : "");
        ASSERT_EQ(report(drawing(), args, errors), 0) << errors;
        std::istringstream out(python("svg", svg));
        int panes = 0, filled = 0, missing = 0, legendMissing = -1;
        double min = 0, max = 0, legendMin = 0, legendMax = 0;
        out >> panes >> filled >> missing >> min >> max >> legendMin >> legendMax >> legendMissing;
        EXPECT_EQ(panes, 175);
        EXPECT_EQ(filled, 175);
        EXPECT_EQ(missing, 0);
        EXPECT_EQ(legendMissing, 0);
        EXPECT_NEAR(min, low, 1e-6);
        EXPECT_NEAR(max, high, 1e-6);
        EXPECT_LE(legendMin, low);
        EXPECT_GE(legendMax, high);
        EXPECT_DOUBLE_EQ(legendMin, -legendMax) << "symmetric around zero";
        EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
    }
}

using SingleLayerReport = SiteDrawingTest;

// Panes that carry natural and design elevations, as an extracted layer
// drawing holds them, keep their areas and formulas in the table.
TEST_F(SingleLayerReport, AreasAndFormulasStandInTheTable) {
    AcDbObjectId site = addSite({{0, 0}, {20, 0}, {20, 10}, {0, 10}}, L"1-2");
    writeKeys(site, L"场区", {{L"场区挖方量", L"30.00"}});
    const std::vector<std::vector<AcGePoint2d>> squares = {{{0, 0}, {10, 0}, {10, 10}, {0, 10}},
                                                           {{10, 0}, {20, 0}, {20, 10}, {10, 10}}};
    for (size_t i = 0; i < squares.size(); ++i) {
        AcDbObjectId pane = addPane(squares[i], L"1-2");
        ASSERT_TRUE(SetPaneNumber(pane, std::to_wstring(i + 1).c_str()));
        ASSERT_TRUE(SetPaneRowColumn(pane, 0, static_cast<int>(i) + 1));
        ASSERT_TRUE(SetPaneNaturalElevations(pane, {10, 10, 10, 10}));
        ASSERT_TRUE(SetPaneDesignElevations(pane, {9.5, 9.5, 9.5, 9.5}));
        ASSERT_TRUE(SetPaneVolumes(pane, 0.0, 15.0 * (i + 1)));
        ASSERT_TRUE(SetPaneAreas(pane, 0.0, 100.0));
        ASSERT_TRUE(SetPaneFormulas(pane, L"", L"", L"a*a*(h1+h2+h3+h4)/4", L"10*10*2/4"));
    }
    const std::string csv = CsvFromReport(ReadVolumeReport());
    EXPECT_EQ(csv.substr(csv.find('\n') + 1),
              "方格,1-2,1,0,1,4,100.00,合计,0.00,15.00,0.00,100.00,,a*a*(h1+h2+h3+h4)/4\r\n"
              "方格,1-2,2,0,2,4,100.00,合计,0.00,30.00,0.00,100.00,,a*a*(h1+h2+h3+h4)/4\r\n"
              "方格合计,1-2,,,,,200.00,合计,0.00,45.00,0.00,200.00,,\r\n"
              "场区,1-2,,,,,,合计,,30.00,,,,\r\n");
}

}  // namespace
