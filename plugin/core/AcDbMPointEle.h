// The multi-layer elevation point entity: a point of the site at which the
// elevation of every layer (layer 1 on top) is known. Its runtime class is
// registered by the plug-in's load sequence (RegisterMPointEleClass) with
// drawing version 31, maintenance release 1 and proxy flags 3071. Binary and
// DXF records: docs/mpointele.md.
#pragma once

#include <string>

#include "acgi.h"
#include "dbmain.h"

class AcDbMPointEle : public AcDbEntity {
  public:
    // The registered class, cached after the first look-up by name.
    static AcRxClass* gpDesc;
    static AcRxClass* desc();
    static AcDbMPointEle* cast(const AcRxObject* inPtr);

    // The layer count is filed as a signed 16-bit integer.
    static constexpr int kMaxLayers = 32767;

    AcDbMPointEle();
    ~AcDbMPointEle() override;
    AcRxClass* isA() const override;

    // Setters need the entity open for write, getters for read.
    void setPosition(const AcGePoint3d& point);
    AcGePoint3d position() const;
    // Also rebuilds the drawing style with the new height.
    void setTextHeight(double height);
    double textHeight() const;
    // Radians.
    void setTextAngle(double angle);
    double textAngle() const;
    // The list becomes a copy of elevations (layer 1 first). A list longer
    // than kMaxLayers cannot be filed: it is refused with eOutOfRange and the
    // entity keeps its list.
    Acad::ErrorStatus setElevations(const AcGeDoubleArray& elevations);
    // Empties the list, then copies every elevation into it in order.
    void elevations(AcGeDoubleArray& elevations) const;
    // Whether the annotation style could be looked up or created.
    bool styleReady() const { return mStyleReady != 0; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;

  private:
    // Looks up or creates the annotation style with the current text height
    // and fills the drawing style from it.
    void setUpStyle();
    Acad::ErrorStatus readDxfMembers(AcDbDxfFiler* filer);

    AcGePoint3d mPosition;
    AcGeDoubleArray mElevations{0, 8};
    double mTextHeight = 2.5;
    double mTextAngle = 0.0;
    std::wstring mStyleName;
    int mStyleReady = 0;
    AcDbObjectId mStyleId;
    AcGiTextStyle mDrawStyle;
};

// Registers the class (step 3 of the load sequence); aborts the host with
// "Class mismatch" when its name is taken by another class.
void RegisterMPointEleClass();
// Removes the registered class; nothing happens when it is not registered.
void UnregisterMPointEleClass();
