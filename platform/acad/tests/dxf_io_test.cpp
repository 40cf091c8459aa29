#include "dxf_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

class DxfIo : public ::testing::Test {
  protected:
    void SetUp() override { dir = MakeScratchFolder("dxf_io"); }
    void TearDown() override { fs::remove_all(dir); }

    static std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
};

TEST_F(DxfIo, ReplaceKeepsThePreviousFileAsBak) {
    const fs::path drawing = dir / "site.dxf";
    DxfError error;
    ASSERT_TRUE(dxfReplaceFile(drawing, "first", error)) << error.message;
    EXPECT_FALSE(fs::exists(dir / "site.bak"));
    ASSERT_TRUE(dxfReplaceFile(drawing, "second", error)) << error.message;
    ASSERT_TRUE(dxfReplaceFile(drawing, "third", error)) << error.message;
    EXPECT_EQ(contents(drawing), "third");
    EXPECT_EQ(contents(dir / "site.bak"), "second");
    // Nothing else is left beside the drawing.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(DxfIo, FailedReplaceLeavesNothingBehind) {
    DxfError error;
    EXPECT_FALSE(dxfReplaceFile(dir / "missing" / "site.dxf", "x", error));
    EXPECT_EQ(error.fault, DxfFault::Io);
    EXPECT_NE(error.message.find("site.dxf"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(DxfIo, BackupNames) {
    EXPECT_EQ(dxfBackupPath("a/site.dxf"), fs::path("a/site.bak"));
    EXPECT_EQ(dxfBackupPath("site"), fs::path("site.bak"));
    EXPECT_EQ(dxfBackupPath("old.bak"), fs::path("old.bak.bak"));
}

TEST_F(DxfIo, ReadingRefusesWhatIsNotADrawingFile) {
    std::string bytes;
    DxfError error;
    EXPECT_FALSE(dxfReadFileBytes(dir / "none.dxf", bytes, error));
    EXPECT_EQ(error.fault, DxfFault::Io);
    EXPECT_NE(error.message.find("no such drawing file"), std::string::npos);
    ASSERT_EQ(::mkfifo((dir / "pipe.dxf").c_str(), 0600), 0);
    for (const fs::path& notAFile : {dir, dir / "pipe.dxf"}) {
        EXPECT_FALSE(dxfReadFileBytes(notAFile, bytes, error));
        EXPECT_EQ(error.fault, DxfFault::Io);
        EXPECT_EQ(error.message, "not a regular file: " + notAFile.string());
    }
    std::ofstream(dir / "ok.dxf") << "  0\nEOF\n";
    ASSERT_TRUE(dxfReadFileBytes(dir / "ok.dxf", bytes, error));
    EXPECT_EQ(bytes, "  0\nEOF\n");
}

}  // namespace
