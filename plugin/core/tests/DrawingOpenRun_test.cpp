// Opening drawings with elevation points in the host program: each drawing
// gets the text style its points draw with, and reading one drawing leaves
// every other drawing of the session as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Elevation points as another program writes them: the class and the points'
// records, no tables, so no text style.
std::string PointsDrawing(double textHeight) {
    std::ostringstream d;
    d << "0\nSECTION\n2\nCLASSES\n0\nCLASS\n1\nAcDbMPointEle\n2\nAcDbMPointEle\n3\nAcDbMPointEle\n"
         "90\n3071\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    for (int k = 0; k < 2; ++k)
        d << "0\nAcDbMPointEle\n5\n"
          << 40 + k << "\n100\nAcDbEntity\n8\n多层标高\n"
          << "100\nAcDbMPointEle\n10\n"
          << 10 * k << "\n20\n5\n30\n0\n40\n"
          << textHeight << "\n50\n0\n90\n2\n41\n12.5\n41\n10\n";
    d << "0\nENDSEC\n0\nEOF\n";
    return d.str();
}

// The groups of the STYLE record of that name, code -> value (the last
// value of a code), empty when the drawing has no such record.
std::multimap<int, std::string> StyleRecord(const std::string& dxf, const std::string& name) {
    std::istringstream in(dxf);
    std::string code, value;
    std::multimap<int, std::string> record;
    bool inStyle = false;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int c = std::stoi(code);
        if (c == 0) {
            if (inStyle && record.count(2) && record.find(2)->second == name) return record;
            inStyle = value == "STYLE";
            record.clear();
        } else if (inStyle) {
            record.emplace(c, value);
        }
    }
    return {};
}

bool HasValue(const std::multimap<int, std::string>& record, int code, const std::string& v) {
    auto [from, to] = record.equal_range(code);
    for (auto it = from; it != to; ++it)
        if (it->second == v) return true;
    return false;
}

class DrawingOpenRun : public ::testing::Test {
  protected:
    void SetUp() override {
        mDir = fs::temp_directory_path() / ("open_run_" + std::to_string(getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(mDir);
    }
    std::string path(const std::string& name) const { return (mDir / name).string(); }

    // cadhost with the suite's modules and the plug-in; its exit status.
    int cadhost(const std::string& args) const {
        const std::string arx = KAVREL_ARX_DIR;
        const std::string cmd = std::string(CADHOST_EXE) + " --registry " + path("registry.reg") +
                                " --load " + arx + "/QUARNArxBase.arx --load " + arx +
                                "/QUARNArxApply.arx --load " + arx + "/Kavrel.arx " + args +
                                " </dev/null >" + path("stdout") + " 2>" + path("stderr");
        const int raw = std::system(cmd.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    fs::path mDir;
};

TEST_F(DrawingOpenRun, ADrawingReadGetsItsStyleAndNoOtherDrawingChanges) {
    std::ofstream(path("a.dxf"), std::ios::binary) << PointsDrawing(2.5);
    std::ofstream(path("b.dxf"), std::ios::binary) << PointsDrawing(5);
    std::ofstream(path("session.scr"), std::ios::binary) << "OPEN\n"
                                                         << path("b.dxf") << "\nSAVE\n"
                                                         << path("b-saved.dxf") << "\nCLOSE\nSAVE\n"
                                                         << path("a-saved.dxf") << "\n";
    ASSERT_EQ(cadhost("--open " + path("a.dxf") + " --script " + path("session.scr")), 0)
        << ReadFile(path("stderr"));
    ASSERT_EQ(cadhost("--open " + path("a.dxf") + " --save " + path("a-alone.dxf")), 0)
        << ReadFile(path("stderr"));

    // The drawing read holds the style, narrow, at its points' height.
    const auto b = StyleRecord(ReadFile(path("b-saved.dxf")), "土方标注");
    EXPECT_FALSE(b.empty()) << "b has no style 土方标注";
    EXPECT_TRUE(HasValue(b, 41, "0.7")) << "width factor";
    EXPECT_TRUE(HasValue(b, 40, "5")) << "fixed height";
    EXPECT_TRUE(HasValue(b, 1000, "仿宋_GB2312")) << "typeface";

    // The drawing open before is saved exactly as it is without the second read.
    const std::string a = ReadFile(path("a-saved.dxf"));
    EXPECT_TRUE(HasValue(StyleRecord(a, "土方标注"), 40, "2.5"));
    EXPECT_TRUE(a == ReadFile(path("a-alone.dxf"))) << "reading b changed a";
}

}  // namespace
