// Entities through the binary filer (clone) and through a DXF filer kept in memory.
#include <functional>
#include <numbers>
#include <vector>

#include "db_test_support.h"

namespace {

// A DXF filer over a list of items, standing in for the file-based one.
class MemoryDxfFiler : public AcDbDxfFiler {
  public:
    explicit MemoryDxfFiler(AcDbDatabase* db) : mDb(db) {}
    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus s) override { mStatus = s; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDb; }

    Acad::ErrorStatus readResBuf(resbuf* item) override {
        if (mPos >= mItems.size()) return mStatus = Acad::eEndOfFile;
        *item = *mItems[mPos++];
        item->rbnext = nullptr;
        return Acad::eOk;
    }
    Acad::ErrorStatus pushBackItem() override {
        if (mPos > 0) --mPos;
        return Acad::eOk;
    }
    bool atEOF() override { return mPos >= mItems.size() || mItems[mPos]->restype == 1001; }

    Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& id) override {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        acdbGetAdsName(rb.resval.rlname, id);
        return add(rb);
    }
    Acad::ErrorStatus writeString(int code, const ACHAR* value) override {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        rb.resval.rstring = const_cast<ACHAR*>(value);
        return add(rb);
    }
    Acad::ErrorStatus writeDouble(int code, double value, int) override {
        return addValue(code, [&](resbuf& r) { r.resval.rreal = value; });
    }
    Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) override {
        return addValue(code, [&](resbuf& r) { r.resval.mnInt64 = value; });
    }
    Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) override {
        return addValue(code, [&](resbuf& r) { r.resval.rlong = value; });
    }
    Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) override {
        return addValue(code, [&](resbuf& r) { r.resval.rint = value; });
    }
    Acad::ErrorStatus writeBool(int code, bool value) override {
        return addValue(code, [&](resbuf& r) { r.resval.rint = value; });
    }
    Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& p, int) override {
        return addValue(code,
                        [&](resbuf& r) { r.resval.rpoint[0] = p.x, r.resval.rpoint[1] = p.y; });
    }
    Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& p, int) override {
        return addValue(code, [&](resbuf& r) {
            r.resval.rpoint[0] = p.x, r.resval.rpoint[1] = p.y, r.resval.rpoint[2] = p.z;
        });
    }
    Acad::ErrorStatus writeBytes(int, const void*, Adesk::UIntPtr) override {
        return Acad::eNotImplementedYet;
    }

    std::vector<int> codes() const {
        std::vector<int> out;
        for (const AcRbChain& rb : mItems) out.push_back(rb->restype);
        return out;
    }
    const resbuf* item(size_t i) const { return mItems.at(i).get(); }
    // The items from the current position on, as a chain (the extended data after an
    // object's own fields).
    AcRbChain rest() const {
        AcRbChain head;
        resbuf* tail = nullptr;
        for (size_t i = mPos; i < mItems.size(); ++i) {
            resbuf* copy = acutCopyRb(mItems[i].get());
            if (tail == nullptr)
                head.reset(copy);
            else
                tail->rbnext = copy;
            tail = copy;
        }
        return head;
    }
    void rewind() {
        mPos = 0;
        mStatus = Acad::eOk;
    }
    // Replaces the value of the first item with this code.
    resbuf* find(int code) {
        for (AcRbChain& rb : mItems)
            if (rb->restype == code) return rb.get();
        return nullptr;
    }

  private:
    Acad::ErrorStatus add(const resbuf& rb) {
        mItems.emplace_back(acutCopyRb(&rb));
        return Acad::eOk;
    }
    Acad::ErrorStatus addValue(int code, const std::function<void(resbuf&)>& fill) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        fill(rb);
        return add(rb);
    }
    AcDbDatabase* mDb;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::vector<AcRbChain> mItems;
    size_t mPos = 0;
};

struct EntityCase {
    const char* name;
    std::function<AcDbEntity*()> make;
    std::function<void(const AcDbEntity&, const AcDbEntity&)> same;
};

std::vector<EntityCase> entityCases() {
    return {
        {"line",
         [] {
             return new AcDbLine({1, 2, 3}, {4, 5, 6});
         },
         [](const AcDbEntity& a, const AcDbEntity& b) {
             EXPECT_EQ(AcDbLine::cast(&a)->startPoint(), AcDbLine::cast(&b)->startPoint());
             EXPECT_EQ(AcDbLine::cast(&a)->endPoint(), AcDbLine::cast(&b)->endPoint());
         }},
        {"ray",
         [] {
             auto* r = new AcDbRay;
             r->setBasePoint({1, 1, 0});
             r->setUnitDir({0, 2, 0});
             return r;
         },
         [](const AcDbEntity& a, const AcDbEntity& b) {
             EXPECT_EQ(AcDbRay::cast(&a)->basePoint(), AcDbRay::cast(&b)->basePoint());
             EXPECT_EQ(AcDbRay::cast(&b)->unitDir(), AcGeVector3d(0, 1, 0));
         }},
        {"circle",
         [] {
             return new AcDbCircle({5, 5, 1}, {0, 0, 1}, 2.5);
         },
         [](const AcDbEntity& a, const AcDbEntity& b) {
             EXPECT_EQ(AcDbCircle::cast(&a)->center(), AcDbCircle::cast(&b)->center());
             EXPECT_EQ(AcDbCircle::cast(&a)->radius(), AcDbCircle::cast(&b)->radius());
         }},
        {"text",
         [] {
             auto* t = new AcDbText({1, 2, 0}, L"T=12.50", AcDbObjectId::kNull, 2.5, 0.5);
             t->setHorizontalMode(AcDb::kTextMid);
             t->setVerticalMode(AcDb::kTextVertMid);
             t->setAlignmentPoint({3, 4, 0});
             t->setWidthFactor(0.7);
             return t;
         },
         [](const AcDbEntity& a, const AcDbEntity& b) {
             const AcDbText& x = *AcDbText::cast(&a);
             const AcDbText& y = *AcDbText::cast(&b);
             EXPECT_STREQ(x.textStringConst(), y.textStringConst());
             EXPECT_EQ(x.position(), y.position());
             EXPECT_EQ(x.alignmentPoint(), y.alignmentPoint());
             EXPECT_NEAR(x.rotation(), y.rotation(), 1e-12);
             EXPECT_EQ(x.height(), y.height());
             EXPECT_EQ(x.widthFactor(), y.widthFactor());
             EXPECT_EQ(x.horizontalMode(), y.horizontalMode());
             EXPECT_EQ(x.verticalMode(), y.verticalMode());
             EXPECT_EQ(x.textStyle(), y.textStyle());
         }},
        {"polyline",
         [] {
             auto* pl = new AcDbPolyline;
             pl->addVertexAt(0, {0, 0}, 0.5, 0.1, 0.2);
             pl->addVertexAt(1, {10, 0});
             pl->addVertexAt(2, {10, 10}, -1.0);
             pl->setClosed(true);
             pl->setElevation(3.0);
             pl->setColorIndex(2);
             return pl;
         },
         [](const AcDbEntity& a, const AcDbEntity& b) {
             const auto& x = AcDbPolyline::cast(&a)->vertices();
             const auto& y = AcDbPolyline::cast(&b)->vertices();
             ASSERT_EQ(x.size(), y.size());
             for (size_t i = 0; i < x.size(); ++i) {
                 EXPECT_EQ(x[i].point, y[i].point);
                 EXPECT_EQ(x[i].bulge, y[i].bulge);
                 EXPECT_EQ(x[i].startWidth, y[i].startWidth);
                 EXPECT_EQ(x[i].endWidth, y[i].endWidth);
             }
             EXPECT_EQ(AcDbPolyline::cast(&a)->isClosed(), AcDbPolyline::cast(&b)->isClosed());
             EXPECT_EQ(AcDbPolyline::cast(&a)->elevation(), AcDbPolyline::cast(&b)->elevation());
         }},
    };
}

class FilingTest : public DrawingTest {
  protected:
    // An entity on a layer of its own with a colour, in model space, open for read.
    AcDbEntity* resident(AcDbEntity* ent) {
        ent->setColorIndex(3);
        AcDbObjectId id = add(ent);
        AcDbEntity* opened = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(opened, id, AcDb::kForRead), Acad::eOk);
        return opened;
    }
};

TEST_F(FilingTest, CloneThroughTheBinaryFiler) {
    for (const EntityCase& c : entityCases()) {
        AcDbEntity* original = resident(c.make());
        std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(original->clone()));
        ASSERT_NE(copy, nullptr) << c.name;
        EXPECT_EQ(copy->isA(), original->isA()) << c.name;
        EXPECT_TRUE(copy->objectId().isNull()) << c.name;
        EXPECT_EQ(copy->colorIndex(), 3) << c.name;
        EXPECT_EQ(copy->layerId(), original->layerId()) << c.name;
        c.same(*original, *copy);
        original->close();
    }
}

TEST_F(FilingTest, DxfFieldsRoundTrip) {
    for (const EntityCase& c : entityCases()) {
        AcDbEntity* original = resident(c.make());
        MemoryDxfFiler filer(db.get());
        ASSERT_EQ(original->dxfOutFields(&filer), Acad::eOk) << c.name;
        EXPECT_EQ(filer.codes().front(), 100) << c.name;
        std::unique_ptr<AcDbEntity> read(AcDbEntity::cast(original->isA()->create()));
        filer.rewind();
        ASSERT_EQ(read->dxfInFields(&filer), Acad::eOk)
            << c.name << ": " << wcrtToUtf8(filer.errorMessage());
        EXPECT_TRUE(filer.atEOF()) << c.name;
        EXPECT_EQ(read->colorIndex(), 3) << c.name;
        EXPECT_EQ(read->layerName(), L"0") << c.name;
        c.same(*original, *read);
        original->close();
    }
}

TEST_F(FilingTest, PolylineGroupCodes) {
    auto* pl = new AcDbPolyline;
    pl->addVertexAt(0, {1, 2}, 0.25);
    pl->addVertexAt(1, {3, 4});
    pl->setClosed(true);
    AcDbEntity* ent = resident(pl);
    MemoryDxfFiler filer(db.get());
    ASSERT_EQ(ent->dxfOutFields(&filer), Acad::eOk);
    ent->close();
    const std::vector<int> expected = {100, 8, 62, 100, 90, 70, 43, 10, 42, 10};
    EXPECT_EQ(filer.codes(), expected);
    EXPECT_EQ(filer.item(4)->resval.rlong, 2);
    EXPECT_EQ(filer.item(5)->resval.rint, 1);
}

TEST_F(FilingTest, TextGroupCodesUseDegreesAndBothSubclasses) {
    auto* text = new AcDbText({0, 0, 0}, L"W=3.00", AcDbObjectId::kNull, 2.0, std::numbers::pi / 2);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setVerticalMode(AcDb::kTextTop);
    AcDbEntity* ent = resident(text);
    MemoryDxfFiler filer(db.get());
    ASSERT_EQ(ent->dxfOutFields(&filer), Acad::eOk);
    ent->close();
    const std::vector<int> expected = {100, 8, 62, 100, 10, 40, 1, 50, 41, 7, 72, 11, 100, 73};
    EXPECT_EQ(filer.codes(), expected);
    EXPECT_NEAR(filer.find(50)->resval.rreal, 90.0, 1e-12);
    EXPECT_STREQ(filer.find(7)->resval.rstring, L"Standard");
}

TEST_F(FilingTest, UnknownGroupsAreCarriedThrough) {
    // A line as another program wrote it: a lineweight (370) in the common data and an
    // unknown group in the line's own data.
    MemoryDxfFiler in(db.get());
    in.writeString(100, L"AcDbEntity");
    in.writeString(8, L"新图层");
    in.writeInt16(370, 25);
    in.writeString(100, L"AcDbLine");
    in.writePoint3d(10, {0, 0, 0}, kDfltPrec);
    in.writePoint3d(11, {1, 1, 0}, kDfltPrec);
    in.writeDouble(48, 2.0, kDfltPrec);
    in.rewind();
    AcDbLine line;
    ASSERT_EQ(line.dxfInFields(&in), Acad::eOk);
    EXPECT_EQ(line.layerName(), L"新图层");  // a layer the table lacked is made
    MemoryDxfFiler out(db.get());
    ASSERT_EQ(line.dxfOutFields(&out), Acad::eOk);
    const std::vector<int> expected = {100, 8, 370, 100, 10, 11, 48};
    EXPECT_EQ(out.codes(), expected);
}

TEST_F(FilingTest, MalformedDxfDataIsRefused) {
    struct Bad {
        const char* name;
        std::function<void(MemoryDxfFiler&)> write;
        std::function<AcDbEntity*()> make;
    };
    const Bad cases[] = {
        {"no subclass marker", [](MemoryDxfFiler& f) { f.writeString(8, L"0"); },
         [] { return new AcDbLine; }},
        {"zero radius",
         [](MemoryDxfFiler& f) {
             f.writeString(100, L"AcDbEntity");
             f.writeString(100, L"AcDbCircle");
             f.writeDouble(40, 0.0, kDfltPrec);
         },
         [] { return new AcDbCircle; }},
        {"vertex count mismatch",
         [](MemoryDxfFiler& f) {
             f.writeString(100, L"AcDbEntity");
             f.writeString(100, L"AcDbPolyline");
             f.writeInt32(90, 3);
             f.writePoint2d(10, {0, 0}, kDfltPrec);
         },
         [] { return new AcDbPolyline; }},
    };
    for (const Bad& c : cases) {
        MemoryDxfFiler filer(db.get());
        c.write(filer);
        filer.rewind();
        std::unique_ptr<AcDbEntity> ent(c.make());
        EXPECT_NE(ent->dxfInFields(&filer), Acad::eOk) << c.name;
        EXPECT_NE(std::wstring(filer.errorMessage()), L"") << c.name;
    }
}

TEST_F(FilingTest, TableRecordsRoundTripWithTheirOwnGroups) {
    auto* style = new AcDbTextStyleTableRecord;
    style->setName(L"土方标注");
    style->setFont(L"仿宋_GB2312", false, true, 134, 49);
    style->setXScale(0.7);
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(L"场区1方格标高标注");
    AcCmColor colour;
    colour.setColorIndex(173);
    layer->setColor(colour);
    layer->setIsOff(true);
    std::unique_ptr<AcDbTextStyleTableRecord> ownedStyle(style);
    std::unique_ptr<AcDbLayerTableRecord> ownedLayer(layer);

    MemoryDxfFiler styleOut(db.get());
    ASSERT_EQ(style->dxfOutFields(&styleOut), Acad::eOk);
    EXPECT_EQ(styleOut.codes(),
              (std::vector<int>{100, 100, 2, 70, 40, 41, 50, 71, 42, 3, 4, 1001, 1000, 1071}));
    styleOut.rewind();
    AcDbTextStyleTableRecord styleIn;
    ASSERT_EQ(styleIn.dxfInFields(&styleOut), Acad::eOk);
    AcRbChain xdata = styleOut.rest();
    ASSERT_EQ(styleIn.setXData(xdata.get()), Acad::eOk);
    ACHAR* typeface = nullptr;
    bool bold = true, italic = false;
    int charset = 0, pitch = 0;
    styleIn.font(typeface, bold, italic, charset, pitch);
    EXPECT_STREQ(typeface, L"仿宋_GB2312");
    acutDelString(typeface);
    EXPECT_FALSE(bold);
    EXPECT_TRUE(italic);
    EXPECT_EQ(charset, 134);
    EXPECT_EQ(pitch, 49);
    EXPECT_EQ(styleIn.nameText(), L"土方标注");
    EXPECT_DOUBLE_EQ(styleIn.xScale(), 0.7);
    // A font set later replaces the one that came with the file.
    styleIn.setFont(L"宋体", false, false, 134, 2);
    MemoryDxfFiler again(db.get());
    styleIn.dxfOutFields(&again);
    EXPECT_STREQ(again.find(1000)->resval.rstring, L"宋体");

    MemoryDxfFiler layerOut(db.get());
    ASSERT_EQ(layer->dxfOutFields(&layerOut), Acad::eOk);
    EXPECT_EQ(layerOut.find(62)->resval.rint, -173);
    layerOut.rewind();
    AcDbLayerTableRecord layerIn;
    ASSERT_EQ(layerIn.dxfInFields(&layerOut), Acad::eOk);
    EXPECT_EQ(layerIn.nameText(), L"场区1方格标高标注");
    EXPECT_EQ(layerIn.color().colorIndex(), 173);
    EXPECT_TRUE(layerIn.isOff());
}

TEST(BinaryFiler, ReadsWhatWasWrittenAndStopsOutOfStep) {
    AcDbDwgBufferFiler filer;
    filer.writeInt16(-7);
    filer.writeString(L"高程");
    filer.writePoint3d({1, 2, 3});
    filer.writeDouble(2.5);
    filer.rewind();
    Adesk::Int16 i = 0;
    std::wstring s;
    AcGePoint3d p;
    double d = 0.0;
    EXPECT_EQ(filer.readInt16(&i), Acad::eOk);
    EXPECT_EQ(filer.readString(s), Acad::eOk);
    EXPECT_EQ(filer.readPoint3d(&p), Acad::eOk);
    EXPECT_EQ(filer.readDouble(&d), Acad::eOk);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(s, L"高程");
    EXPECT_EQ(p, AcGePoint3d(1, 2, 3));
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(filer.readDouble(&d), Acad::eEndOfFile);
    EXPECT_EQ(d, 0.0);
    filer.rewind();
    EXPECT_EQ(filer.readDouble(&d), Acad::eFilerError);  // an int16 was written first
    EXPECT_EQ(filer.readInt16(&i), Acad::eFilerError);   // and the filer stays failed
}

}  // namespace
