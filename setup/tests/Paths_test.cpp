#include "Paths.h"

#include <gtest/gtest.h>

#include "SetupTestSupport.h"

namespace setup {
namespace {

using testing::Gbk;

TEST(JoinPath, JoinsWithOneSeparator) {
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"C:\\A", "b.txt", "C:\\A\\b.txt"}, {"C:\\A\\", "b.txt", "C:\\A\\b.txt"},
        {"C:/A/", "b.txt", "C:/A/b.txt"},   {"C:\\", "b.txt", "C:\\b.txt"},
        {"C:", "b.txt", "b.txt"},           {"", "b.txt", "b.txt"},
        {"ab", "b.txt", "b.txt"},           {"abc", "b.txt", "abc\\b.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
    }
}

// "\x95\x5C" is one code page 936 character whose second byte is a backslash.
TEST(JoinPath, ASecondByteIsNoSeparator) {
    EXPECT_EQ(JoinPath("C:\\A\x95\x5C", "b"), "C:\\A\x95\x5C\\b");
    EXPECT_EQ(ParentFolder("C:\\A\\\x95\x5C.exe"), "C:\\A\\");
    EXPECT_EQ(ParentFolder("setup.exe"), "");
    EXPECT_FALSE(EndsWithSeparator("C:\\A\x95\x5C"));
    EXPECT_TRUE(EndsWithSeparator("C:\\A\x95\x5C\\"));
}

TEST(FolderPrefixes, SkipsDriveRootsAndEmptyPrefixes) {
    struct Case {
        std::string path;
        std::vector<std::string> prefixes;
    };
    const Case cases[] = {
        {"C:\\A\\B", {"C:\\A", "C:\\A\\B"}},
        {"C:\\A\\B\\", {"C:\\A", "C:\\A\\B"}},
        {"C:\\", {}},
        {"C:", {}},
        {"C:/A/B", {"C:/A", "C:/A/B"}},
        {"C:\\A/B\\C", {"C:\\A", "C:\\A/B", "C:\\A/B\\C"}},
        {"/tmp/x", {"/tmp", "/tmp/x"}},
        {"D:\\Tools\\Support", {"D:\\Tools", "D:\\Tools\\Support"}},
        {"C:\\A\x95\x5C"
         "B",
         {"C:\\A\x95\x5C"
          "B"}},
        {Gbk("C:\\程序\\图框"), {Gbk("C:\\程序"), Gbk("C:\\程序\\图框")}},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderPrefixes(c.path), c.prefixes) << c.path;
}

TEST(Folders, NormalFolderTrimsAndEndsInBackslash) {
    struct Case {
        const char* text;
        const char* normal;
    };
    const Case cases[] = {
        {"  C:\\A  ", "C:\\A\\"},
        {"C:\\A\\", "C:\\A\\"},
        {"C:/A/", "C:/A/"},
        {"\tC:\\A\r\n", "C:\\A\\"},
        {"   ", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalFolder(c.text), c.normal) << c.text;
    EXPECT_TRUE(EqualsNoCase("SETUP.EXE", "setup.exe"));
    EXPECT_FALSE(EqualsNoCase("setup.ex", "setup.exe"));
}

TEST(Format, FillsTextsOfAnyLength) {
    const std::string longText(5000, 'x');
    EXPECT_EQ(Format("%s;%s;", "a", longText.c_str()), "a;" + longText + ";");
    EXPECT_EQ(Format("QUARNfor%d.LNK", 2014), "QUARNfor2014.LNK");
}

}  // namespace
}  // namespace setup
