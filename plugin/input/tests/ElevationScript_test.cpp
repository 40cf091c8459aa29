// The example script run by the host program as a user runs it: two points
// typed in, both survey files imported through the dialogs, one point
// corrected; the saved drawing read back by the project's reader and by ezdxf.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AcDbMPointEle.h"
#include "DocumentTest.h"
#include "EzdxfScript.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ElevationScript : public DocumentTest {
  protected:
    // Runs cadhost in the source tree (the script names the survey files
    // relative to it) on an empty drawing; the result goes to out.dxf.
    int runScript(const fs::path& script, std::string& err) {
        const std::string arx = KAVREL_ARX_DIR;
        const std::string cmd = "cd '" + SourcePath("").string() + "' && " + CADHOST_EXE +
                                " --registry " + path("r.reg").string() + " --load " + arx +
                                "/QUARNArxBase.arx --load " + arx + "/QUARNArxApply.arx --load " +
                                arx + "/Kavrel.arx --script " + script.string() + " --save " +
                                path("out.dxf").string() + " >" + path("stdout").string() + " 2>" +
                                path("stderr").string();
        const int raw = std::system(cmd.c_str());
        err = ReadAll(path("stderr"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
};

// Position and elevations of every point, in drawing order, as one text.
std::string PointsOf(AcDbDatabase* db) {
    std::ostringstream out;
    for (const AcDbObjectId& id : ModelSpaceIds(db)) {
        AcDbMPointEle* p = nullptr;
        if (acdbOpenObject(p, id, AcDb::kForRead) != Acad::eOk) continue;
        AcGeDoubleArray e;
        p->elevations(e);
        out << "point " << p->position().x << " " << p->position().y;
        for (double v : e) out << " " << v;
        out << "\n";
        p->close();
    }
    return out.str();
}

const char* const kExpected =
    "point 20 20 45.3 44.1\n"
    "point 60 20 45.6 42.05 40.5\n"
    "point 100 200 45.3 44.15 41.8\n"
    "point 130.5 200 45.12 43.95 41.6\n"
    "point 161 200 44.87 43.7 41.35\n"
    "point 100 230.25 45.61 44.38 42.02\n"
    "point 130.5 230.25 45.402 44.215 41.905\n"
    "point 161 230.25 45 43.82 41.48\n"
    "point 100 260 45.9 44.75 42.45\n"
    "point 130.5 260 45.7 44.6 42.35\n"
    "point 161 260 45.48 44.355 42.08\n"
    "point 100 290.5 46.05 44.85 42.45\n";

TEST_F(ElevationScript, DefineImportModifySaveAndReadBack) {
    std::string err;
    ASSERT_EQ(runScript(SourcePath("examples/elevations.scr"), err), 0) << err;
    RegisterMPointEleClass();
    closeDocument();
    mDoc = acDocManager->addDocument(nullptr, path("out.dxf").wstring());
    ASSERT_EQ(db()->dxfIn(path("out.dxf").wstring().c_str()), Acad::eOk);
    EXPECT_EQ(PointsOf(db()), kExpected);

    if (!EzdxfInstalled()) GTEST_SKIP() << "python3-ezdxf is not installed";
    std::string dump;
    ASSERT_EQ(RunEzdxfScript(SourcePath("plugin/data/tests/ezdxf/dump_site_data.py"),
                             path("out.dxf"), dump),
              0)
        << dump;
    std::istringstream lines(dump);
    std::string line;
    int points = 0;
    while (std::getline(lines, line)) points += line.rfind("point ", 0) == 0;
    EXPECT_EQ(points, 12) << dump;
    EXPECT_NE(dump.find("point 130.5 260.0 0.0 3.5"), std::string::npos) << dump;
}

TEST_F(ElevationScript, AWrongDialogLineStopsTheRunNamingItAndSavesNothing) {
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"MLayerDefineEle\n10,10\n!dialog 定义标高\n!dialog.click 添加行\n"
         "!dialog.set grid:1,1 4x5\n!dialog.ok\n\n",
         "script line 5: the cell 1,1 takes only digits"},
        {"MLayerDefineEle\nS\n!dialog 导入标高\n",
         "script line 3: the dialog \"文本设置\" is showing"},
        {"MLayerImportEle\n!dialog.click 添加行\n",
         "script line 2: the dialog \"导入标高\" has no button"},
        {"MLayerImportEle\n!dialog.click ...\n!dialog.set 文件名 no/such.txt\n!dialog.ok\n",
         "script line 4: the file \"no/such.txt\" is not there"},
        {"MLayerDefineEle\nS\n!dialog.resize 400 300\n",
         "script line 3: the dialog \"文本设置\" has a fixed size"},
        {"MLayerModifyEle\n", "the script ended"},
    };
    for (const auto& c : cases) {
        fs::remove(path("out.dxf"));
        std::ofstream(path("bad.scr"), std::ios::binary) << c.body;
        std::string err;
        EXPECT_EQ(runScript(path("bad.scr"), err), 1) << c.body;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_NE(err.find("nothing was saved"), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(path("out.dxf")));
    }
}

}  // namespace
