#include <array>
#include <functional>
#include <string>
#include <vector>

#include "db_test_support.h"

namespace {

class XdataTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        for (const wchar_t* app : {L"场区", L"方格", L"边坡"}) ASSERT_EQ(acdbRegApp(app), 1);
        lineId = addLine({0, 0, 0}, {1, 0, 0});
        ASSERT_EQ(acdbOpenAcDbEntity(line, lineId, AcDb::kForWrite), Acad::eOk);
    }
    void TearDown() override {
        if (line != nullptr) line->close();
        DrawingTest::TearDown();
    }
    Acad::ErrorStatus set(resbuf* chain) {
        AcRbChain owned(chain);
        return line->setXData(owned.get());
    }
    // The 1000 strings of an application, in order.
    std::vector<std::wstring> strings(const wchar_t* app) {
        AcRbChain data(line->xData(app));
        std::vector<std::wstring> out;
        for (const resbuf* rb = data.get(); rb != nullptr; rb = rb->rbnext)
            if (rb->restype == 1000) out.emplace_back(rb->resval.rstring);
        return out;
    }
    AcDbObjectId lineId;
    AcDbEntity* line = nullptr;
};

TEST_F(XdataTest, EachApplicationKeepsItsOwnDataAndPlace) {
    ASSERT_EQ(set(acutBuildList(1001, L"场区", 1000, L"编号", 1000, L"1", 0)), Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, L"方格", 1000, L"a", 1070, 7, 1040, 2.5, 0)), Acad::eOk);
    // Replacing the first application's data keeps it first.
    ASSERT_EQ(set(acutBuildList(1001, L"场区", 1000, L"编号", 1000, L"2", 0)), Acad::eOk);
    EXPECT_EQ(strings(L"场区"), (std::vector<std::wstring>{L"编号", L"2"}));
    EXPECT_EQ(strings(L"方格"), (std::vector<std::wstring>{L"a"}));
    AcRbChain all(line->xData());
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(std::wstring(all->resval.rstring), L"场区");
    const resbuf* rb = all.get();
    while (rb->rbnext != nullptr && rb->rbnext->restype != 1001) rb = rb->rbnext;
    ASSERT_NE(rb->rbnext, nullptr);
    EXPECT_EQ(std::wstring(rb->rbnext->resval.rstring), L"方格");
    AcRbChain grid(line->xData(L"方格"));
    EXPECT_EQ(grid->rbnext->rbnext->resval.rint, 7);
    EXPECT_DOUBLE_EQ(grid->rbnext->rbnext->rbnext->resval.rreal, 2.5);
}

TEST_F(XdataTest, AnApplicationWithOnlyItsNameIsRemoved) {
    ASSERT_EQ(set(acutBuildList(1001, L"场区", 1000, L"x", 1001, L"方格", 1000, L"y", 0)),
              Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, L"场区", 0)), Acad::eOk);
    EXPECT_EQ(line->xData(L"场区"), nullptr);
    EXPECT_EQ(strings(L"方格"), (std::vector<std::wstring>{L"y"}));
}

struct Refusal {
    const char* name;
    std::function<resbuf*()> build;
    Acad::ErrorStatus expected;
};

std::wstring repeated(const wchar_t* piece, size_t times) {
    std::wstring s;
    for (size_t i = 0; i < times; ++i) s += piece;
    return s;
}

TEST_F(XdataTest, LimitsAreClearStatusesAndChangeNothing) {
    const std::wstring ascii255 = repeated(L"a", 255), ascii256 = repeated(L"a", 256);
    // 85 CJK characters are 255 UTF-8 bytes; 86 are 258.
    const std::wstring cjk85 = repeated(L"标", 85), cjk86 = repeated(L"标", 86);
    const Refusal cases[] = {
        {"unregistered application", [] { return acutBuildList(1001, L"未注册", 1000, L"x", 0); },
         Acad::eRegappIdNotFound},
        {"no application first", [] { return acutBuildList(1000, L"x", 0); }, Acad::eInvalidInput},
        {"not an xdata code", [] { return acutBuildList(1001, L"场区", 1, L"x", 0); },
         Acad::eInvalidDxfCode},
        {"string of 256 bytes",
         [&] { return acutBuildList(1001, L"场区", 1000, ascii256.c_str(), 0); },
         Acad::eXdataSizeExceeded},
        {"CJK string of 258 bytes",
         [&] { return acutBuildList(1001, L"场区", 1000, cjk86.c_str(), 0); },
         Acad::eXdataSizeExceeded},
        {"open brace only", [] { return acutBuildList(1001, L"场区", 1002, L"{", 1000, L"x", 0); },
         Acad::eInvalidInput},
        {"close brace first", [] { return acutBuildList(1001, L"场区", 1002, L"}", 0); },
         Acad::eInvalidInput},
    };
    ASSERT_EQ(set(acutBuildList(1001, L"边坡", 1000, L"kept", 0)), Acad::eOk);
    for (const Refusal& c : cases) {
        EXPECT_EQ(set(c.build()), c.expected) << c.name;
        EXPECT_EQ(strings(L"边坡"), std::vector<std::wstring>{L"kept"}) << c.name;
        EXPECT_EQ(line->xData(L"场区"), nullptr) << c.name;
    }
    EXPECT_EQ(set(acutBuildList(1001, L"场区", 1000, ascii255.c_str(), 1000, cjk85.c_str(), 0)),
              Acad::eOk);
    EXPECT_EQ(strings(L"场区"), (std::vector<std::wstring>{ascii255, cjk85}));
}

// Many long strings: accepted while the object's total stays within 16 KB, refused as a
// whole beyond it, never cut short.
TEST_F(XdataTest, TotalSizeIsBoundedWithoutTruncation) {
    const std::wstring value = repeated(L"x", 250);
    auto chainOf = [&](int count) {
        AcRbChain chain(acutBuildList(1001, L"场区", 0));
        resbuf* tail = chain.get();
        for (int i = 0; i < count; ++i) {
            tail->rbnext = acutBuildList(1000, value.c_str(), 0);
            tail = tail->rbnext;
        }
        return chain;
    };
    // Each group counts 2 + 250 + 2 bytes; the application name 2 + 2 + 6.
    const int fits = static_cast<int>((kMaxXdataBytes - 10) / 254);
    AcRbChain ok = chainOf(fits);
    EXPECT_EQ(acdbXdataSize(ok.get()), 10 + 254u * static_cast<size_t>(fits));
    ASSERT_EQ(line->setXData(ok.get()), Acad::eOk);
    EXPECT_EQ(strings(L"场区").size(), static_cast<size_t>(fits));
    AcRbChain tooMany = chainOf(fits + 1);
    EXPECT_EQ(line->setXData(tooMany.get()), Acad::eXdataSizeExceeded);
    EXPECT_EQ(strings(L"场区").size(), static_cast<size_t>(fits));
    // Another application may not push the total over either.
    AcRbChain other(acutBuildList(1001, L"方格", 1000, value.c_str(), 0));
    EXPECT_EQ(line->setXData(other.get()), Acad::eXdataSizeExceeded);
}

TEST_F(XdataTest, WritingNeedsTheObjectOpenForWrite) {
    line->close();
    ASSERT_EQ(acdbOpenAcDbEntity(line, lineId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(set(acutBuildList(1001, L"场区", 1000, L"x", 0)), Acad::eNotOpenForWrite);
}

TEST_F(XdataTest, DataSurvivesCloneAndTransform) {
    ASSERT_EQ(set(acutBuildList(1001, L"场区", 1000, L"v", 1002, L"{", 1071, 70000, 1002, L"}",
                                1011, std::array<double, 3>{1, 2, 0}.data(), 0)),
              Acad::eOk);
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(line->clone()));
    ASSERT_NE(copy, nullptr);
    AcRbChain data(copy->xData(L"场区"));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::wstring(data->rbnext->resval.rstring), L"v");
    EXPECT_EQ(data->rbnext->rbnext->rbnext->resval.rlong, 70000);
    ASSERT_EQ(line->xDataTransformBy(AcGeMatrix3d::translation({10, 0, 0})), Acad::eOk);
    AcRbChain moved(line->xData(L"场区"));
    const resbuf* point = moved.get();
    while (point->restype != 1011) point = point->rbnext;
    EXPECT_DOUBLE_EQ(point->resval.rpoint[0], 11.0);
}

TEST(ResultBuffers, BuildListCarriesEachType) {
    const ads_point p = {1, 2, 3};
    AcRbChain chain(acutBuildList(RTSTR, L"文字", RTSHORT, 12, RTLONG, 123456, RTREAL, 0.5,
                                  RT3DPOINT, p, RTPOINT, p, RTLB, RTLE, 0));
    ASSERT_NE(chain, nullptr);
    const resbuf* rb = chain.get();
    EXPECT_EQ(std::wstring(rb->resval.rstring), L"文字");
    EXPECT_EQ((rb = rb->rbnext)->resval.rint, 12);
    EXPECT_EQ((rb = rb->rbnext)->resval.rlong, 123456);
    EXPECT_EQ((rb = rb->rbnext)->resval.rreal, 0.5);
    EXPECT_EQ((rb = rb->rbnext)->resval.rpoint[2], 3.0);
    EXPECT_EQ((rb = rb->rbnext)->resval.rpoint[2], 0.0);  // a 2D point has no z
    EXPECT_EQ((rb = rb->rbnext)->restype, RTLB);
    EXPECT_EQ((rb = rb->rbnext)->restype, RTLE);
    EXPECT_EQ(rb->rbnext, nullptr);
    AcRbChain copy(acutCopyRbChain(chain.get()));
    EXPECT_NE(copy->resval.rstring, chain->resval.rstring);
    EXPECT_EQ(std::wstring(copy->resval.rstring), L"文字");
}

// Strings of every size, freed and made again in turns (the host reuses
// their memory): none may share memory with another that is still held.
TEST(ResultBuffers, StringsFreedAndMadeAgainKeepTheirTexts) {
    std::vector<std::wstring> texts;
    std::vector<ACHAR*> held;
    for (int round = 0; round < 3; ++round) {
        for (size_t n = 0; n < 700; n += 7) {
            texts.push_back(std::wstring(n, static_cast<wchar_t>(L'a' + (n + round) % 26)));
            held.emplace_back();
            acutNewString(texts.back().c_str(), held.back());
        }
        for (size_t i = round; i < held.size(); i += 2) {
            if (held[i] == nullptr) continue;
            held[i][0] = 0;  // a string cut short by its owner is freed whole
            acutDelString(held[i]);
        }
    }
    for (size_t i = 0; i < held.size(); ++i) {
        if (held[i] == nullptr) continue;
        EXPECT_EQ(std::wstring(held[i]), texts[i]) << i;
        acutDelString(held[i]);
    }
}

}  // namespace
