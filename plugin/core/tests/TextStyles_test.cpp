// The annotation text style: created once, narrow or plain, height of the
// last caller.
#include "TextStyles.h"

#include "EntityTestSupport.h"

namespace {

using TextStyleTest = EntityDrawingTest;

struct Looks {
    double fixedHeight;
    double widthFactor;
};

Looks LooksOf(AcDbTextStyleTableRecord* record) {
    Looks looks{record->textSize(), record->xScale()};
    record->close();
    return looks;
}

TEST_F(TextStyleTest, NewStylesGetTheFontAndTheirLooks) {
    AcDbObjectId plainId, narrowId;
    ASSERT_TRUE(MakeTextStyle(L"甲", plainId));
    ASSERT_TRUE(MakeNarrowTextStyle(L"乙", 3.5, narrowId));
    EXPECT_NE(plainId, narrowId);
    const std::pair<const ACHAR*, Looks> cases[] = {{L"甲", {0.0, 1.0}}, {L"乙", {3.5, 0.7}}};
    for (const auto& [name, looks] : cases) {
        AcDbTextStyleTableRecord* record = openStyle(name);
        ASSERT_NE(record, nullptr);
        ACHAR* typeface = nullptr;
        bool bold = true, italic = true;
        int charset = 0, pitch = 0;
        record->font(typeface, bold, italic, charset, pitch);
        EXPECT_EQ(std::wstring(typeface), L"仿宋_GB2312");
        acutDelString(typeface);
        EXPECT_FALSE(bold);
        EXPECT_FALSE(italic);
        EXPECT_EQ(charset, 134);
        EXPECT_EQ(pitch, 49);
        const Looks actual = LooksOf(record);
        EXPECT_EQ(actual.fixedHeight, looks.fixedHeight);
        EXPECT_EQ(actual.widthFactor, looks.widthFactor);
    }
}

TEST_F(TextStyleTest, AnExistingNarrowStyleKeepsItsWidthFactor) {
    AcDbObjectId narrowId, plainId;
    ASSERT_TRUE(MakeNarrowTextStyle(kAnnotationStyleName, 2.5, narrowId));
    ASSERT_TRUE(MakeTextStyle(kAnnotationStyleName, plainId));
    EXPECT_EQ(plainId, narrowId);
    const Looks looks = LooksOf(openStyle(kAnnotationStyleName));
    EXPECT_EQ(looks.widthFactor, 0.7);
    EXPECT_EQ(looks.fixedHeight, 2.5);
}

TEST_F(TextStyleTest, TheRecordCarriesTheHeightOfItsLastCaller) {
    AcDbObjectId first, second;
    ASSERT_TRUE(MakeNarrowTextStyle(kAnnotationStyleName, 2.5, first));
    ASSERT_TRUE(MakeNarrowTextStyle(kAnnotationStyleName, 5.0, second));
    EXPECT_EQ(first, second);
    const Looks looks = LooksOf(openStyle(kAnnotationStyleName));
    EXPECT_EQ(looks.fixedHeight, 5.0);
    EXPECT_EQ(looks.widthFactor, 0.7);
    AcDbObjectId refused;
    EXPECT_FALSE(MakeNarrowTextStyle(kAnnotationStyleName, -1.0, refused));
    EXPECT_EQ(LooksOf(openStyle(kAnnotationStyleName)).fixedHeight, 5.0);
}

TEST_F(TextStyleTest, WithoutATableThereIsNoStyle) {
    AcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(db()->getTextStyleTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id = db()->textStyleTableId();
    EXPECT_FALSE(MakeTextStyle(kAnnotationStyleName, id));  // table busy: no write open
    EXPECT_TRUE(id.isNull());
    table->close();
    closeDocument();
    ASSERT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
    id = AcDbObjectId();
    EXPECT_FALSE(MakeNarrowTextStyle(kAnnotationStyleName, 2.5, id));
    EXPECT_TRUE(id.isNull());
}

}  // namespace
