// End-to-end runs of the plug-in: a small drawing made with the site
// generator, the host program with the suite's modules and the plug-in
// running a script on it, and the saved drawing read back group by group.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "AcDbMPointEle.h"
#include "SiteDrawing.h"
#include "acdocman.h"
#include "wcrt.h"

namespace e2e {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// One entity of a saved drawing: its type, layer, text, first point and the
// keyed values of each extended-data application (docs/xdata.md).
struct SavedEntity {
    std::string type, layer, text;
    double x = 0, y = 0, height = 0;
    double ax = 0, ay = 0;  // a text's alignment point (11/21)
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> apps;

    std::string value(const std::string& app, const std::string& key) const {
        auto a = apps.find(app);
        if (a == apps.end()) return "<none>";
        for (const auto& [k, v] : a->second)
            if (k == key) return v;
        return "<none>";
    }
    // The values of the keys that start with the stem, in stored order.
    std::vector<std::string> values(const std::string& app, const std::string& stem) const {
        std::vector<std::string> out;
        auto a = apps.find(app);
        if (a == apps.end()) return out;
        for (const auto& [k, v] : a->second)
            if (k.rfind(stem, 0) == 0) out.push_back(v);
        return out;
    }
};

// The entities of the ENTITIES section, read as plain group pairs (values of
// at most 255 bytes, as the plug-in writes them).
inline std::vector<SavedEntity> ReadEntities(const fs::path& dxf) {
    std::istringstream in(ReadFile(dxf));
    std::vector<std::pair<int, std::string>> groups;
    std::string code, value;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') value.pop_back();
        groups.emplace_back(std::stoi(code), value);
    }
    std::vector<SavedEntity> entities;
    bool inEntities = false;
    std::string app;
    bool keyNext = true;
    for (size_t i = 0; i < groups.size(); ++i) {
        const auto& [c, v] = groups[i];
        if (c == 2 && v == "ENTITIES" && i > 0 && groups[i - 1].second == "SECTION") {
            inEntities = true;
            continue;
        }
        if (!inEntities) continue;
        if (c == 0) {
            if (v == "ENDSEC") break;
            entities.push_back({v, "", "", 0, 0, 0, 0, 0, {}});
            app.clear();
            continue;
        }
        if (entities.empty()) continue;
        SavedEntity& e = entities.back();
        if (c == 1001)
            app = v, keyNext = true;
        else if (!app.empty() && c == 1000) {
            if (keyNext)
                e.apps[app].push_back({v, ""});
            else
                e.apps[app].back().second = v;
            keyNext = !keyNext;
        } else if (c == 8)
            e.layer = v;
        else if (c == 1)
            e.text = v;
        else if (c == 10 && e.x == 0)
            e.x = std::stod(v);
        else if (c == 20 && e.y == 0)
            e.y = std::stod(v);
        else if (c == 11)
            e.ax = std::stod(v);
        else if (c == 21)
            e.ay = std::stod(v);
        else if (c == 40 && e.type == "TEXT")
            e.height = std::stod(v);
    }
    return entities;
}

inline std::vector<SavedEntity> OnLayer(const std::vector<SavedEntity>& all,
                                        const std::string& layer, const std::string& type = "") {
    std::vector<SavedEntity> out;
    for (const SavedEntity& e : all)
        if (e.layer == layer && (type.empty() || e.type == type)) out.push_back(e);
    return out;
}

// A site of panes over [0, columns*spacing] x [0, rows*spacing] at the origin.
inline SitePlan SquareSite(const std::wstring& number, int columns, int rows, double spacing) {
    const double w = columns * spacing, h = rows * spacing;
    return {number, {{0, 0}, {w, 0}, {w, h}, {0, h}}, {}, {0, 0}, 0.0, spacing};
}

inline SurveyPoint Point(double x, double y, std::vector<double> elevations) {
    return {AcGePoint3d(x, y, 0), std::move(elevations)};
}

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class CadhostSession : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mDir = fs::temp_directory_path() / ("e2e_" + std::to_string(getpid()) + "_" + name);
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        if (!hostOpensElevationPoints())
            GTEST_SKIP() << "the host cannot open a drawing holding an elevation point: its "
                            "DXF reader refuses the text style's font data (STYLE records "
                            "carry \"ACAD\" extended data before the APPID table is read)";
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(mDir);
    }

    fs::path path(const std::string& name) const { return mDir / name; }

    // Writes the drawing with the generator, as the suite's base module would.
    void makeDrawing(const SiteDrawingPlan& plan, const std::string& name = "in.dxf") {
        RegisterMPointEleClass();
        AcApDocument* doc = acDocManager->addDocument(nullptr, L"");
        ASSERT_TRUE(WriteSiteDrawing(plan));
        ASSERT_EQ(doc->database()->dxfOut(path(name).wstring().c_str()), Acad::eOk);
        acDocManager->closeDocument(doc);
    }

    // Runs the script on the drawing with the three modules; the result is
    // saved as out.dxf. Files the script names are found relative to workDir
    // when one is given.
    Outcome run(const std::string& script, const std::string& drawing = "in.dxf",
                const fs::path& workDir = {}) {
        std::ofstream(path("run.scr"), std::ios::binary) << script;
        const std::string arx = KAVREL_ARX_DIR;
        const std::string cd = workDir.empty() ? "" : "cd '" + workDir.string() + "' && ";
        const std::string cmd = cd + CADHOST_EXE + " --registry " + path("registry.reg").string() +
                                " --load " + arx + "/QUARNArxBase.arx --load " + arx +
                                "/QUARNArxApply.arx --load " + arx + "/Kavrel.arx --open " +
                                path(drawing).string() + " --script " + path("run.scr").string() +
                                " --save " + path("out.dxf").string() + " </dev/null >" +
                                path("stdout").string() + " 2>" + path("stderr").string();
        const int raw = std::system(cmd.c_str());
        Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(path("stdout")),
                  ReadFile(path("stderr"))};
        EXPECT_EQ(o.err.find("Sanitizer"), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << o.err;
        return o;
    }

    // Whether a drawing with an elevation point, saved by the project, opens
    // in the host program at all (checked once per test program).
    bool hostOpensElevationPoints() {
        static const bool opens = [this] {
            makeDrawing({{}, {Point(0, 0, {1})}}, "probe.dxf");
            const Outcome o = run("QUIT\n", "probe.dxf");
            return !(o.status == 1 && Has(o.err, "no APPID table"));
        }();
        return opens;
    }

    std::vector<SavedEntity> saved() const { return ReadEntities(path("out.dxf")); }

    fs::path mDir;
};

inline size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

inline std::string Fixed2(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

}  // namespace e2e
