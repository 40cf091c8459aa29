// Standard entities: line, ray, circle, single-line text.
#pragma once

#include <string>

#include "dbcurve.h"
#include "dbmain.h"

// A line segment. DXF "LINE": 100 "AcDbLine", 39 thickness, 10 start, 11 end, 210 normal.
class AcDbLine : public AcDbCurve {
  public:
    static AcRxClass* desc();
    static AcDbLine* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbLine() = default;
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}

    AcGePoint3d startPoint() const { return mStart; }
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    AcGePoint3d endPoint() const { return mEnd; }
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t);
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);

    // Parameter: 0 at the start, the length at the end.
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Fields;

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

  private:
    AcGePoint3d mStart;
    AcGePoint3d mEnd;
    double mThickness = 0.0;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
};

// A half-line from a base point along a unit direction. DXF "RAY": 100 "AcDbRay",
// 10 base point, 11 unit direction.
class AcDbRay : public AcDbCurve {
  public:
    static AcRxClass* desc();
    static AcDbRay* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbRay() = default;

    AcGePoint3d basePoint() const { return mBase; }
    void setBasePoint(const AcGePoint3d& p);
    AcGeVector3d unitDir() const { return mDir; }
    // The direction is normalised; a zero vector is ignored.
    void setUnitDir(const AcGeVector3d& dir);
    AcGePoint3d secondPoint() const { return mBase + mDir; }
    void setSecondPoint(const AcGePoint3d& p) { setUnitDir(p - mBase); }

    // Parameter: distance from the base point; the end parameter is unbounded.
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Fields;

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;

  private:
    AcGePoint3d mBase;
    AcGeVector3d mDir{1.0, 0.0, 0.0};
};

// A circle. DXF "CIRCLE": 100 "AcDbCircle", 39 thickness, 10 centre, 40 radius, 210 normal.
class AcDbCircle : public AcDbCurve {
  public:
    static AcRxClass* desc();
    static AcDbCircle* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);

    AcGePoint3d center() const { return mCenter; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& c);
    double radius() const { return mRadius; }
    // A radius must be positive (eInvalidInput otherwise).
    Acad::ErrorStatus setRadius(double r);
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t);

    Adesk::Boolean isClosed() const override { return true; }
    Adesk::Boolean isPeriodic() const override { return true; }
    // Parameter: the angle from the x axis of the circle's plane, 0..2 pi.
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Fields;

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

  private:
    AcGePoint3d mCenter;
    double mRadius = 1.0;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mThickness = 0.0;
};

// A single-line text. DXF "TEXT": 100 "AcDbText", 39 thickness, 10 position, 40 height,
// 1 text, 50 rotation (degrees), 41 width factor, 51 obliquing (degrees), 7 style name,
// 71 generation flags, 72 horizontal mode, 11 alignment point, 210 normal, then 100
// "AcDbText" again and 73 vertical mode.
//
// position is the left end of the baseline. With a horizontal mode other than left or
// a vertical mode other than baseline the alignment point is the defining point, and
// adjustAlignment moves position to match it, estimating the text's width (no font
// metrics here: a wide CJK character is as wide as the height, others 0.6 times it,
// both times the width factor).
class AcDbText : public AcDbEntity {
  public:
    static AcRxClass* desc();
    static AcDbText* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text,
             AcDbObjectId style = AcDbObjectId::kNull, double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const { return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGePoint3d alignmentPoint() const { return mAlignment; }
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
    bool isDefaultAlignment() const;
    double height() const { return mHeight; }
    // Height must be positive (eInvalidInput otherwise).
    Acad::ErrorStatus setHeight(double h);
    // Radians.
    double rotation() const { return mRotation; }
    Acad::ErrorStatus setRotation(double angle);
    double widthFactor() const { return mWidthFactor; }
    Acad::ErrorStatus setWidthFactor(double factor);
    double oblique() const { return mOblique; }
    Acad::ErrorStatus setOblique(double angle);
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t);
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
    // A new copy of the text (free with acutDelString).
    ACHAR* textString() const;
    const ACHAR* textStringConst() const { return mText.c_str(); }
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const { return mStyle; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId styleId);
    AcDb::TextHorzMode horizontalMode() const { return mHorzMode; }
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const { return mVertMode; }
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    Adesk::Int16 generationFlags() const { return mGeneration; }
    Acad::ErrorStatus setGenerationFlags(Adesk::Int16 flags);
    Acad::ErrorStatus adjustAlignment(const AcDbDatabase* database = nullptr);
    // The estimated width of the text (see above).
    double estimatedWidth() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Fields;

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;

  private:
    AcGePoint3d mPosition;
    AcGePoint3d mAlignment;
    double mHeight = 2.5;
    double mRotation = 0.0;
    double mWidthFactor = 1.0;
    double mOblique = 0.0;
    double mThickness = 0.0;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::wstring mText;
    AcDbObjectId mStyle;
    AcDb::TextHorzMode mHorzMode = AcDb::kTextLeft;
    AcDb::TextVertMode mVertMode = AcDb::kTextBase;
    Adesk::Int16 mGeneration = 0;
};
