#include <gtest/gtest.h>

#include "arxsdk.h"

namespace {

// An entity of a module, registered the way a plug-in registers its classes.
class TestPointEntity : public AcDbEntity {
  public:
    ACRX_DECLARE_MEMBERS(TestPointEntity);
    double value = 0.0;
};

ACRX_DXF_DEFINE_MEMBERS(TestPointEntity, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0,
                        TESTPOINT, TestApp)

TEST(RuntimeClasses, BuiltInHierarchy) {
    struct Row {
        AcRxClass* cls;
        AcRxClass* ancestor;
        bool derived;
    };
    const Row rows[] = {
        {AcDbPolyline::desc(), AcDbCurve::desc(), true},
        {AcDbPolyline::desc(), AcDbEntity::desc(), true},
        {AcDbText::desc(), AcDbCurve::desc(), false},
        {AcDbLayerTableRecord::desc(), AcDbSymbolTableRecord::desc(), true},
        {AcDbGroup::desc(), AcDbEntity::desc(), false},
        {AcDbLine::desc(), AcRxObject::desc(), true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.cls->isDerivedFrom(r.ancestor), r.derived) << wcrtToUtf8(r.cls->name());
    EXPECT_EQ(acrxFindClass(L"AcDbLine"), AcDbLine::desc());
    EXPECT_EQ(acrxFindClassByDxfName(L"lwpolyline"), AcDbPolyline::desc());
    EXPECT_EQ(AcRxClass::cast(acrxClassDictionary->at(L"AcDbCircle")), AcDbCircle::desc());
    EXPECT_EQ(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY), acrxClassDictionary);
}

TEST(RuntimeClasses, CastAndIsKindOf) {
    AcDbLine line;
    AcRxObject* obj = &line;
    EXPECT_EQ(AcDbLine::cast(obj), &line);
    EXPECT_EQ(AcDbCurve::cast(obj), &line);
    EXPECT_EQ(AcDbCircle::cast(obj), nullptr);
    EXPECT_EQ(AcDbEntity::cast(nullptr), nullptr);
    EXPECT_TRUE(line.isKindOf(AcDbEntity::desc()));
    EXPECT_EQ(line.isA(), AcDbLine::desc());
}

TEST(RuntimeClasses, ModuleClassRegistersAndUnregisters) {
    EXPECT_EQ(acrxFindClass(L"TestPointEntity"), nullptr);
    TestPointEntity::rxInit();
    AcRxClass* cls = TestPointEntity::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(acrxFindClass(L"TestPointEntity"), cls);
    EXPECT_EQ(std::wstring(cls->dxfName()), L"TESTPOINT");
    EXPECT_EQ(std::wstring(cls->appName()), L"TestApp");
    EXPECT_EQ(cls->myParent(), AcDbEntity::desc());
    std::unique_ptr<AcRxObject> made(cls->create());
    ASSERT_NE(TestPointEntity::cast(made.get()), nullptr);
    EXPECT_TRUE(made->isKindOf(AcDbEntity::desc()));
    // A second registration under the same name gives the registered class.
    EXPECT_EQ(newAcRxClass(L"TestPointEntity", L"AcDbEntity"), cls);
    TestPointEntity::rxUninit();
    EXPECT_EQ(acrxFindClass(L"TestPointEntity"), nullptr);
}

TEST(RuntimeClasses, ParentRegisteredLaterIsLinkedByTheHierarchyBuild) {
    AcRxClass* child = newAcRxClass(L"TestChildLater", L"TestParentLater", 31, 1, 0x0BFF, nullptr,
                                    L"CHILD", L"App");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->myParent(), nullptr);
    AcRxClass* parent = newAcRxClass(L"TestParentLater", L"AcDbEntity");
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);
    EXPECT_TRUE(child->isDerivedFrom(AcDbEntity::desc()));
    int dwg = 0, maint = 0;
    child->getClassVersion(dwg, maint);
    EXPECT_EQ(dwg, 31);
    EXPECT_EQ(maint, 1);
    EXPECT_EQ(child->proxyFlags(), 3071);
    deleteAcRxClass(parent);
    EXPECT_EQ(child->myParent(), nullptr);
    deleteAcRxClass(child);
    deleteAcRxClass(AcDbLine::desc());  // built-in classes stay
    EXPECT_EQ(acrxFindClass(L"AcDbLine"), AcDbLine::desc());
}

TEST(RuntimeClasses, AbortTerminatesWithTheMessage) {
    EXPECT_DEATH(acrx_abort(L"Class mismatch"), "Class mismatch");
}

TEST(ErrorStatus, NamesAreReadable) {
    EXPECT_STREQ(acadErrorStatusText(Acad::eOk), L"eOk");
    EXPECT_STREQ(acadErrorStatusText(Acad::eWasOpenForWrite), L"eWasOpenForWrite");
    EXPECT_STREQ(acadErrorStatusText(Acad::eXdataSizeExceeded), L"eXdataSizeExceeded");
}

}  // namespace
