#include "XdataLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "arxsdk.h"

namespace {

struct SplitCase {
    const char* what;
    std::wstring text;
    std::vector<size_t> pieceBytes;
};

TEST(XdataLayout, SplitsAtCharacterBoundariesWithin255Bytes) {
    const SplitCase cases[] = {
        {"empty", L"", {0}},
        {"fits", std::wstring(255, L'a'), {255}},
        {"ascii", std::wstring(600, L'a'), {255, 255, 90}},
        // 3-byte characters: 85 of them fill 255 bytes.
        {"chinese", std::wstring(100, L'\u6807'), {255, 45}},
        // One ASCII byte first: the 85th character would end at byte 256.
        {"shifted", L"a" + std::wstring(85, L'\u6807'), {253, 3}},
    };
    for (const SplitCase& c : cases) {
        const auto pieces = SplitUtf8(c.text, 255);
        std::vector<size_t> bytes;
        std::wstring joined;
        for (const auto& p : pieces) {
            bytes.push_back(Utf8Length(p));
            joined += p;
        }
        EXPECT_EQ(bytes, c.pieceBytes) << c.what;
        EXPECT_EQ(joined, c.text) << c.what;
    }
}

std::vector<std::pair<short, std::wstring>> Groups(const resbuf* rb) {
    std::vector<std::pair<short, std::wstring>> out;
    for (; rb != nullptr; rb = rb->rbnext)
        out.emplace_back(rb->restype, acutRbValueKind(rb->restype) == AcRbValueKind::kString
                                          ? rb->resval.rstring
                                          : L"#");
    return out;
}

TEST(XdataLayout, ShortValuesAreOneGroupLongOnesBraced) {
    const std::wstring long_(300, L'x');
    ArxDbgRbList list;
    EncodeKeyedXdata({{L"场区编号", L"1"}, {L"填方公式", long_.c_str()}, {L"空", L""}}, list);
    const std::vector<std::pair<short, std::wstring>> expected = {
        {1000, L"场区编号"},
        {1000, L"1"},
        {1000, L"填方公式"},
        {1002, L"{"},
        {1000, std::wstring(255, L'x')},
        {1000, std::wstring(45, L'x')},
        {1002, L"}"},
        {1000, L"空"},
        {1000, L""},
    };
    EXPECT_EQ(Groups(list.data()), expected);
    const DecodedXdata decoded = DecodeKeyedXdata(list.data());
    ASSERT_EQ(decoded.entries.size(), 3u);
    EXPECT_EQ(std::wstring(decoded.entries[1].second), long_);
    EXPECT_EQ(decoded.entries[2].second, L"");
    EXPECT_TRUE(decoded.tail.isEmpty());
}

TEST(XdataLayout, GroupsOutsideTheLayoutAreKeptAsTail) {
    ArxDbgRbList list;
    list.addString(1000, L"k");
    list.addString(1000, L"v");
    resbuf* real = acutNewRb(1040);
    real->resval.rreal = 2.5;
    list.addTail(real);
    list.addString(1000, L"after");
    const DecodedXdata decoded = DecodeKeyedXdata(list.data());
    ASSERT_EQ(decoded.entries.size(), 1u);
    ASSERT_EQ(decoded.tail.length(), 2);
    EXPECT_EQ(decoded.tail.getAt(0)->restype, 1040);
    EXPECT_DOUBLE_EQ(decoded.tail.getAt(0)->resval.rreal, 2.5);

    ArxDbgRbList unclosed;
    unclosed.addString(1000, L"k");
    unclosed.addString(1002, L"{");
    unclosed.addString(1000, L"piece");
    const DecodedXdata broken = DecodeKeyedXdata(unclosed.data());
    EXPECT_TRUE(broken.entries.empty());
    EXPECT_EQ(broken.tail.length(), 3);
}

}  // namespace
