#include "DocData.h"

#include <gtest/gtest.h>

#include "DragTransform.h"
#include "acedhost.h"
#include "adscodes.h"
#include "dbmain.h"

namespace {

TEST(DocData, ClosingADrawingDropsExactlyItsEntryAndTheSharedStateStays) {
    AsdkDataManager<CDocData> manager;
    AcApDocument* a = acDocManager->addDocument(nullptr, L"");
    AcApDocument* b = acDocManager->addDocument(nullptr, L"");
    manager.docData(a);
    manager.docData(b);
    manager.lastLayerCount = 3;
    manager.dragBasePoint = AcGePoint3d(1, 2, 3);
    ASSERT_EQ(manager.docDataCount(), 2u);
    acDocManager->closeDocument(a);
    EXPECT_EQ(manager.docDataCount(), 1u);
    EXPECT_FALSE(manager.hasDocData(a));
    EXPECT_TRUE(manager.hasDocData(b));
    EXPECT_EQ(manager.lastLayerCount, 3);
    EXPECT_TRUE(manager.dragBasePoint.isEqualTo({1, 2, 3}));
    acDocManager->closeDocument(b);
    EXPECT_EQ(manager.docDataCount(), 0u);
    EXPECT_EQ(manager.lastLayerCount, 3);
}

TEST(DocData, TheManagerLeavesTheReactorListWhenItGoes) {
    AcApDocument* doc = acDocManager->addDocument(nullptr, L"");
    {
        AsdkDataManager<CDocData> shortLived;
        shortLived.docData(doc);
    }
    // Telling a manager that is gone would touch freed memory (the sanitizer
    // tree catches it).
    EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
}

TEST(DocData, ThePluginsManagerStartsEmpty) {
    EXPECT_EQ(DocVars.lastLayerCount, 0);
    EXPECT_TRUE(DocVars.dragBasePoint.isEqualTo(AcGePoint3d::kOrigin));
}

struct DragCase {
    const char* what;
    AcGePoint3d base;
    AcGePoint3d drag;
    AcGeVector3d move;  // in world coordinates
};

TEST(DragTransform, TranslationFromTheBaseToTheDragPoint) {
    acedHostReset();
    const DragCase cases[] = {
        {"same point", {5, 5, 0}, {5, 5, 0}, {0, 0, 0}},
        {"moved", {5, 5, 0}, {15, 2, 1}, {10, -3, 1}},
    };
    for (const DragCase& c : cases) {
        DocVars.dragBasePoint = c.base;
        ads_point p = {c.drag.x, c.drag.y, c.drag.z};
        ads_matrix m;
        for (auto& row : m)
            for (double& e : row) e = 9.0;
        EXPECT_EQ(DragTransform(p, m), RTNORM);
        for (int r = 0; r < 4; ++r)
            for (int col = 0; col < 4; ++col) {
                double expected = (r == col && r < 3) ? 1.0 : 0.0;
                if (col == 3 && r < 3) expected = c.move[static_cast<unsigned>(r)];
                EXPECT_DOUBLE_EQ(m[r][col], expected) << c.what << " at " << r << "," << col;
            }
    }
}

TEST(DragTransform, PointsAreTakenFromUserCoordinates) {
    acedHostReset();
    ASSERT_TRUE(acedHostSetUcs({100, 0, 0}, {0, 1, 0}, {-1, 0, 0}));  // a quarter turn
    DocVars.dragBasePoint = AcGePoint3d(0, 0, 0);
    ads_point p = {2, 0, 0};  // two units along the user x axis: world +y
    ads_matrix m;
    DragTransform(p, m);
    EXPECT_NEAR(m[0][3], 0.0, 1e-12);
    EXPECT_NEAR(m[1][3], 2.0, 1e-12);
    acedHostReset();
}

}  // namespace
