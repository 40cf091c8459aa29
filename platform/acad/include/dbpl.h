// The lightweight polyline: 2D vertices with bulges and widths in the plane of its
// normal at its elevation.
#pragma once

#include <vector>

#include "dbcurve.h"

// Segment i runs from vertex i to vertex i + 1 (to vertex 0 for the closing segment of
// a closed polyline). Its bulge is tan(sweep / 4): 0 a straight segment, positive an arc
// turning counter-clockwise about the normal, negative clockwise; 1 a half circle.
// Parameter: vertex i at i, within a segment linear in length (straight) or angle (arc).
// DXF "LWPOLYLINE": 100 "AcDbPolyline", 90 vertex count, 70 flags (1 closed, 128
// linetype generation), 43 constant width, 38 elevation, 39 thickness, then per vertex
// 10 (x, y), 40 start width, 41 end width, 42 bulge (widths and bulge only when not
// zero), then 210 normal.
class AcDbPolyline : public AcDbCurve {
  public:
    static AcRxClass* desc();
    static AcDbPolyline* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbPolyline() = default;
    explicit AcDbPolyline(unsigned int numVerts) { mVertices.reserve(numVerts); }

    unsigned int numVerts() const { return static_cast<unsigned int>(mVertices.size()); }
    // Inserts a vertex before index (index == numVerts appends); widths below 0 mean
    // the constant width.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    // Keeps the first numVerts vertices when reuse is true, else empties the polyline.
    Acad::ErrorStatus reset(Adesk::Boolean reuse, unsigned int numVerts);
    // Vertex in world coordinates, or in the polyline's own plane coordinates.
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& point);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    AcDb::SegType segType(unsigned int index) const;
    unsigned int numSegments() const;

    Adesk::Boolean isClosed() const override { return mClosed; }
    void setClosed(Adesk::Boolean closed) { mClosed = closed; }
    bool hasPlinegen() const { return mPlinegen; }
    void setPlinegen(bool on) { mPlinegen = on; }
    double elevation() const { return mElevation; }
    void setElevation(double elevation) { mElevation = elevation; }
    AcGeVector3d normal() const { return mNormal; }
    // A zero vector is refused with eInvalidInput.
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double thickness);
    Acad::ErrorStatus getConstantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    bool isOnlyLines() const;

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    using AcDbCurve::getClosestPointTo;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    // Area enclosed (as if closed), arc segments included; always positive.
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Vertex {
        AcGePoint2d point;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
    };
    const std::vector<Vertex>& vertices() const { return mVertices; }

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

  private:
    AcGePoint3d toWorld(const AcGePoint2d& p) const;
    AcGePoint2d toPlane(const AcGePoint3d& p) const;

    std::vector<Vertex> mVertices;
    bool mClosed = false;
    bool mPlinegen = false;
    double mElevation = 0.0;
    double mThickness = 0.0;
    double mConstantWidth = 0.0;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
};
