// The survey line parser and the file reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "StdioFileEx.h"
#include "SurveyLine.h"
#include "wcrt.h"

namespace {

TEST(SurveyLine, FieldsSeparatorsAndFormats) {
    const struct {
        const wchar_t* line;
        int format;
        double x, y;
        std::vector<double> elevations;
    } cases[] = {
        {L"12,1000.5,2000.25,45.3,44.1", 1, 1000.5, 2000.25, {45.3, 44.1}},
        {L"12，1000.5，2000.25，45.3，44.1", 1, 1000.5, 2000.25, {45.3, 44.1}},
        // ASCII commas first; full-width ones split only what follows the last.
        {L"1，2,3,4,5，6", 1, 3, 4, {5, 6}},
        {L"1,2,3,4，5", 1, 2, 3, {4, 5}},
        {L"5,10,20", 1, 0, 0, {}},  // no elevation: skipped
        {L"5,10,20,7", 1, 10, 20, {7}},
        {L"5,10,20,", 1, 10, 20, {}},  // nothing after a trailing separator
        {L"5,10,20,7,", 1, 10, 20, {7}},
        {L"5,10,20,,8", 1, 10, 20, {0, 8}},  // an empty field between separators reads 0
        {L"5,10", 1, 10, 0, {}},
        {L"", 1, 0, 0, {}},
        {L" 1, 2 ,3,4x,y", 1, 2, 3, {4, 0}},
        // Format two: each difference is taken from the layer above.
        {L"1,0,0,45.9,1.15,2.3", 2, 0, 0, {45.9, 44.75, 42.45}},
        {L"1,0,0,45.9,-0.5", 2, 0, 0, {45.9, 46.4}},
        {L"1,0,0,45.9", 2, 0, 0, {45.9}},
    };
    for (const auto& c : cases) {
        const SurveyLine got = ParseSurveyLine(c.line, c.format);
        EXPECT_EQ(got.accepted(), !c.elevations.empty()) << wcrtToUtf8(c.line);
        if (!got.accepted()) continue;
        EXPECT_DOUBLE_EQ(got.x, c.x) << wcrtToUtf8(c.line);
        EXPECT_DOUBLE_EQ(got.y, c.y) << wcrtToUtf8(c.line);
        ASSERT_EQ(got.elevations.size(), c.elevations.size()) << wcrtToUtf8(c.line);
        for (size_t k = 0; k < c.elevations.size(); ++k)
            EXPECT_DOUBLE_EQ(got.elevations[k], c.elevations[k]) << wcrtToUtf8(c.line);
    }
}

class SurveyFile : public ::testing::Test {
  protected:
    std::filesystem::path write(const char* name, const std::string& bytes) {
        const auto p =
            std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name);
        std::ofstream(p, std::ios::binary) << bytes;
        mFiles.push_back(p);
        return p;
    }
    void TearDown() override {
        for (const auto& p : mFiles) std::filesystem::remove(p);
    }
    // Every line as the import reads it: at most as many as the file has characters.
    static std::vector<std::wstring> lines(const std::filesystem::path& p,
                                           ULONGLONG* chars = nullptr) {
        CStdioFileEx file;
        std::vector<std::wstring> out;
        if (!file.Open(p.wstring().c_str(), CFile::modeRead | CFile::typeText)) return out;
        if (chars != nullptr) *chars = file.GetCharCount();
        std::wstring line;
        for (ULONGLONG n = 0, most = file.GetCharCount(); n < most && file.ReadString(line); ++n)
            out.push_back(line);
        return out;
    }
    std::vector<std::filesystem::path> mFiles;
};

TEST_F(SurveyFile, GbkAndUtf16FilesLoadIdentically) {
    // "点1，测量" in GBK and in UTF-16LE with its mark, CR LF and LF endings.
    const std::string gbk =
        "\xB5\xE3"
        "1\xA3\xAC\xB2\xE2\xC1\xBF\r\n2,3\n\n4,5\r\r\n6";
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string(
                                                               "\xB9\x70"
                                                               "1\0\x0C\xFF\x4B\x6D\xCF\x91\r\0\n\0"
                                                               "2\0,\0"
                                                               "3\0\n\0\n\0"
                                                               "4\0,\0"
                                                               "5\0\r\0\r\0\n\0"
                                                               "6\0",
                                                               38);
    const std::vector<std::wstring> expected = {L"点1，测量", L"2,3", L"", L"4,5\r", L"6"};
    ULONGLONG chars = 0;
    EXPECT_EQ(lines(write("gbk.txt", gbk), &chars), expected);
    EXPECT_EQ(chars, gbk.size());
    EXPECT_EQ(lines(write("utf16.txt", utf16), &chars), expected);
    EXPECT_EQ(chars, (utf16.size() - 2) / 2);
}

TEST_F(SurveyFile, LongLinesComeIn4095BytePieces) {
    const std::string longLine(5000, '7');
    const auto got = lines(write("long.txt", "1,2,3," + longLine + "\r\nnext\r\n"));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].size(), 4095u);
    EXPECT_EQ(got[1].size(), 5006u - 4095u);
    EXPECT_EQ(got[2], L"next");
}

TEST_F(SurveyFile, InvalidBytesBecomeReplacementCharacters) {
    const auto got = lines(write("bad.txt", "1,2,3,4\x81\n\xFF,5\n"));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], L"1,2,3,4\uFFFD");
    EXPECT_EQ(got[1], L"\uFFFD,5");
    CStdioFileEx closed;
    EXPECT_EQ(closed.GetCharCount(), 0u);
    EXPECT_TRUE(lines("/no/such/survey.txt").empty());
}

}  // namespace
