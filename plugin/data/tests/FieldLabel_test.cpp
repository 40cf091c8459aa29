// Where a site's label goes.
#include "FieldLabel.h"

#include "DataTestSupport.h"

namespace {

using LabelTest = SiteDrawingTest;

TEST_F(LabelTest, LabelSitsInsideTheOutline) {
    struct Case {
        const char* name;
        std::vector<AcGePoint2d> outline;
        AcGePoint2d expected;
    };
    const Case cases[] = {
        // Box centre inside: the centre.
        {"rectangle", {{0, 0}, {40, 0}, {40, 20}, {0, 20}}, {20, 10}},
        // Centre (15, 15) in the notch: nearest outline point (17, 15) on the
        // notch's right wall, farthest crossing beyond it (30, 15).
        {"notch open upwards",
         {{0, 0}, {30, 0}, {30, 30}, {17, 30}, {17, 10}, {11, 10}, {11, 30}, {0, 30}},
         {23.5, 15}},
        // The mirror image: the ray from the centre runs along the negative
        // x axis, where plan angles jump between +pi and -pi.
        {"mirrored notch",
         {{0, 0}, {-30, 0}, {-30, 30}, {-17, 30}, {-17, 10}, {-11, 10}, {-11, 30}, {0, 30}},
         {-23.5, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AcDbObjectId outline = addPolyline(c.outline);
        AcGePoint3d label(-1, -1, 4.0);
        ASSERT_TRUE(GetFieldLabelPoint(outline, label));
        EXPECT_NEAR(label.x, c.expected.x, 1e-9);
        EXPECT_NEAR(label.y, c.expected.y, 1e-9);
    }
}

TEST_F(LabelTest, OffTheCentreTheCallersElevationStays) {
    AcDbObjectId outline =
        addPolyline({{0, 0}, {30, 0}, {30, 30}, {17, 30}, {17, 10}, {11, 10}, {11, 30}, {0, 30}});
    AcGePoint3d label(0, 0, 4.0);
    ASSERT_TRUE(GetFieldLabelPoint(outline, label));
    EXPECT_EQ(label.z, 4.0);
    AcDbObjectId box = addPolyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    ASSERT_TRUE(GetFieldLabelPoint(box, label));
    EXPECT_EQ(label, AcGePoint3d(2, 2, 0));
}

TEST_F(LabelTest, AnUnreadableOutlineHasNoLabelPoint) {
    AcDbObjectId outline = addPolyline({{0, 0}, {4, 0}, {4, 4}});
    erase(outline);
    AcGePoint3d label(1, 2, 3);
    EXPECT_FALSE(GetFieldLabelPoint(outline, label));
}

}  // namespace
