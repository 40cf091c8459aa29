#include "dxf_stream.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<DxfGroup> readAll(DxfGroupReader& reader) {
    std::vector<DxfGroup> groups;
    while (auto g = reader.next()) groups.push_back(*g);
    return groups;
}

TEST(DxfStream, ReadsPairsWithLineNumbers) {
    DxfGroupReader reader("\xEF\xBB\xBF  0\r\nSECTION\r\n  2\nHEADER\n 10\n1.5\n  0\nEOF");
    std::vector<DxfGroup> groups = readAll(reader);
    ASSERT_FALSE(reader.failed());
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_TRUE(groups[0].is(0, "SECTION"));
    EXPECT_TRUE(groups[1].is(2, "HEADER"));
    EXPECT_EQ(groups[2].code, 10);
    EXPECT_EQ(groups[2].line, 5);
    EXPECT_TRUE(groups[3].is(0, "EOF"));
    EXPECT_EQ(groups[3].line, 7);
    EXPECT_TRUE(reader.atEnd());
}

TEST(DxfStream, PushBackReturnsTheSameGroup) {
    DxfGroupReader reader("  0\nA\n  0\nB\n");
    EXPECT_EQ(reader.next()->text, "A");
    reader.pushBack();
    EXPECT_EQ(reader.next()->text, "A");
    EXPECT_EQ(reader.next()->text, "B");
    EXPECT_FALSE(reader.next().has_value());
    EXPECT_FALSE(reader.failed());
}

TEST(DxfStream, FaultsNameTheLine) {
    struct Case {
        const char* text;
        DxfFault fault;
        int line;
    };
    const Case cases[] = {
        {"  0\nSECTION\n  2", DxfFault::Truncated, 3},
        {"  0\nSECTION\nabc\nHEADER\n", DxfFault::BadCode, 3},
        {"  0\nSECTION\n\nHEADER\n", DxfFault::BadCode, 3},
        {"  0\nSECTION\n 85\n1\n", DxfFault::UnknownCode, 3},
        {"  0\nSECTION\n-3\n1\n", DxfFault::UnknownCode, 3},
        {"  0\nA\n 40\n1.2.3\n", DxfFault::BadValue, 4},
        {"  0\nA\n 70\n99999\n", DxfFault::BadValue, 4},
        {"  0\nA\n  5\nZZ\n", DxfFault::BadValue, 0},  // code 5 is a string: valid
        {"  0\nA\n330\nZZ\n", DxfFault::BadValue, 4},
        {"99999999999\nA\n", DxfFault::BadCode, 1},
    };
    for (const Case& c : cases) {
        DxfGroupReader reader(c.text);
        readAll(reader);
        if (c.line == 0) {
            EXPECT_FALSE(reader.failed()) << c.text;
            continue;
        }
        ASSERT_TRUE(reader.failed()) << c.text;
        EXPECT_EQ(reader.error().fault, c.fault) << c.text;
        EXPECT_EQ(reader.error().line, c.line) << c.text;
        EXPECT_EQ(reader.error().message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
            << reader.error().message;
    }
}

TEST(DxfStream, CommentsAreSkippedAnywhere) {
    DxfGroupReader reader("999\nmade by hand\n  0\nSECTION\n999\n\n  2\nHEADER\n999\nlast\n");
    std::vector<DxfGroup> groups = readAll(reader);
    ASSERT_FALSE(reader.failed()) << reader.error().message;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_TRUE(groups[0].is(0, "SECTION"));
    EXPECT_EQ(groups[1].line, 7);
    reader.pushBack();
    EXPECT_TRUE(reader.next()->is(2, "HEADER"));
}

TEST(DxfStream, NulByteIsRefused) {
    const std::string text("  0\nSECTION\n  9\n$A\0B\n", 20);
    DxfGroupReader reader(text);
    readAll(reader);
    ASSERT_TRUE(reader.failed());
    EXPECT_EQ(reader.error().fault, DxfFault::BadValue);
    EXPECT_EQ(reader.error().line, 4);
}

TEST(DxfStream, OverlongLineIsRefused) {
    std::string text = "  1\n" + std::string(DxfGroupReader::kMaxLineBytes + 1, 'x') + "\n";
    DxfGroupReader reader(text);
    readAll(reader);
    ASSERT_TRUE(reader.failed());
    EXPECT_EQ(reader.error().fault, DxfFault::TooLarge);
    EXPECT_EQ(reader.error().line, 2);
}

TEST(DxfStream, WriterLayoutReadsBack) {
    DxfGroupWriter writer;
    writer.writeRaw(0, "SECTION");
    writer.writeInt(70, 3);
    writer.writeDouble(40, 0.1);
    writer.writeHandle(5, 0x2A);
    writer.writeString(1, "two\nlines");
    writer.writePoint(10, 1, 2, 3);
    EXPECT_EQ(writer.text(),
              "  0\nSECTION\n 70\n     3\n 40\n0.1\n  5\n2A\n  1\ntwo^Jlines\n"
              " 10\n1\n 20\n2\n 30\n3\n");
    DxfGroupReader reader(writer.text());
    std::vector<DxfGroup> groups = readAll(reader);
    ASSERT_FALSE(reader.failed());
    ASSERT_EQ(groups.size(), 8u);
    EXPECT_EQ(dxfUnescapeString(groups[4].text), "two\nlines");
}

TEST(DxfStream, WriterRefusesWhatTheReaderRefuses) {
    struct Case {
        void (*write)(DxfGroupWriter&);
        const char* refusal;
    };
    const Case cases[] = {
        {[](DxfGroupWriter& w) { w.writeDouble(40, -HUGE_VAL); },
         "group code 40 would hold -inf, which is not a finite real number"},
        {[](DxfGroupWriter& w) { w.writeInt(70, 40005); },
         "group code 70 would hold 40005, which is not a 16-bit integer"},
        {[](DxfGroupWriter& w) { w.writeInt(290, -40000); },
         "group code 290 would hold -40000, which is not a 16-bit integer"},
        {[](DxfGroupWriter& w) { w.writeInt(90, int64_t{1} << 31); },
         "group code 90 would hold 2147483648, which is not a 32-bit integer"},
        {[](DxfGroupWriter& w) { w.writeHandle(330, kDxfMaxHandle + 1); },
         "group code 330 would hold handle 8000000000000000, which is not within the handle range"},
        {[](DxfGroupWriter& w) {
             w.writeInt(70, 32767);
             w.writeInt(160, int64_t{1} << 40);
             w.writeHandle(5, kDxfMaxHandle);
         },
         ""},
    };
    for (const Case& c : cases) {
        DxfGroupWriter writer;
        c.write(writer);
        EXPECT_EQ(writer.refusal(), c.refusal);
        if (*c.refusal != 0) {
            EXPECT_EQ(writer.text(), "");
        }
    }
}

TEST(DxfStream, CallerFaultKeepsTheFirst) {
    DxfGroupReader reader("  0\nA\n");
    reader.fail(DxfFault::BadStructure, 7, "first");
    reader.fail(DxfFault::Io, 0, "second");
    EXPECT_EQ(reader.error().message, "line 7: first");
    EXPECT_FALSE(reader.next().has_value());
}

}  // namespace
