// How an elevation point looks and how it follows geometric edits.
#include <cmath>

#include "AcDbMPointEle.h"
#include "aced.h"
#include "wcrt.h"

namespace {

// The marker circle's radius and the text's offset from the point, as parts
// of the text height.
constexpr double kMarkerRadiusPart = 1.0 / 20.0;
constexpr double kTextOffsetPart = 1.0 / 10.0;
constexpr double kPlainTextWidthFactor = 0.7;

}  // namespace

// Draws a circle of radius h/20 at the point and, when there is a layer,
// layer 1's elevation ("%G") at the point offset by (h/10, 0) turned by the
// text angle, on the plane z = 0, its baseline along that offset.
Adesk::Boolean AcDbMPointEle::subWorldDraw(AcGiWorldDraw* mode) {
    assertReadEnabled();
    mode->subEntityTraits().setColor(AcDb::kColorByLayer);
    const AcGeVector3d normal(0.0, 0.0, 1.0);
    mode->geometry().circle(mPosition, mTextHeight * kMarkerRadiusPart, normal);
    if (!mElevations.isEmpty()) {
        const std::wstring text = wcrtFormat(L"%G", mElevations[0]);
        const double offset = mTextHeight * kTextOffsetPart;
        const AcGeVector3d direction(offset * std::cos(mTextAngle), offset * std::sin(mTextAngle),
                                     0.0);
        const AcGePoint3d at(mPosition.x + direction.x, mPosition.y + direction.y, 0.0);
        if (mStyleReady != 0)
            mode->geometry().text(at, normal, direction, text.c_str(), -1, Adesk::kTrue,
                                  mDrawStyle);
        else
            mode->geometry().text(at, normal, direction, mTextHeight, kPlainTextWidthFactor, 0.0,
                                  text.c_str());
    }
    return Adesk::kTrue;
}

void AcDbMPointEle::subList() const {
    assertReadEnabled();
    acutPrintf(L"\n");
    for (int i = 0; i < mElevations.length(); ++i)
        acutPrintf(L"\n第%d层高程: %G", i + 1, mElevations[i]);
    acutPrintf(L"\n");
    AcDbEntity::subList();
}

// Only the position follows the transformation: the annotation keeps its
// height and direction, so a rotated or scaled point stays readable.
Acad::ErrorStatus AcDbMPointEle::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    mPosition.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMPointEle::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                  AcDbIntArray&) const {
    assertReadEnabled();
    gripPoints.append(mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMPointEle::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                     const AcGeVector3d& offset) {
    assertWriteEnabled();
    if (indices.contains(0)) mPosition += offset;
    return Acad::eOk;
}

// The point is the one snap point whatever the snap mode.
Acad::ErrorStatus AcDbMPointEle::subGetOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker,
                                                   const AcGePoint3d&, const AcGePoint3d&,
                                                   const AcGeMatrix3d&,
                                                   AcGePoint3dArray& snapPoints,
                                                   AcDbIntArray&) const {
    assertReadEnabled();
    snapPoints.append(mPosition);
    return Acad::eOk;
}

// A point has no simpler entities that could carry its elevations. Reporting
// success with nothing would let the host erase the point and lose its layers,
// so exploding is refused and the point stays as it is.
Acad::ErrorStatus AcDbMPointEle::subExplode(AcDbVoidPtrArray&) const {
    return Acad::eNotApplicable;
}
