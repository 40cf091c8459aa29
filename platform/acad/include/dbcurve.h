// Curves: entities with a parameterised path (lines, rays, circles, polylines).
#pragma once

#include "dbmain.h"

// Intersections (AcDbEntity::intersectWith) work between any two of AcDbLine,
// AcDbRay, AcDbCircle and AcDbPolyline (arc segments included). Without a plane the
// points are where the curves really meet in space; with a projection plane both
// curves are projected onto it along its normal and the points returned lie on this
// curve. Extending a line segment makes it an unbounded line, a ray an unbounded line,
// an open polyline's first and last segments run on past its ends (an end arc
// becomes its whole circle); closed curves do not extend. Overlapping collinear pieces
// give no points. Arcs must lie in planes parallel to the projection plane
// (eNotApplicable otherwise).
class AcDbCurve : public AcDbEntity {
  public:
    static AcRxClass* desc();
    static AcDbCurve* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    virtual Adesk::Boolean isClosed() const { return false; }
    virtual Adesk::Boolean isPeriodic() const { return false; }
    virtual Acad::ErrorStatus getStartParam(double& param) const = 0;
    virtual Acad::ErrorStatus getEndParam(double& param) const = 0;
    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const = 0;
    // The parameter of a point on the curve (eInvalidInput when it is not on it).
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;
    // The nearest point of the curve (of its extension when extend is true).
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint,
                                                AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend = false) const;
    // The nearest point of the curve seen along direction (projected onto the plane
    // through the point with that normal).
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint,
                                                const AcGeVector3d& direction,
                                                AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend = false) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getArea(double& area) const;

  protected:
    AcDbCurve() = default;
    Acad::ErrorStatus subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                       AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                       Adesk::GsMarker otherGsMarker) const override;
    Acad::ErrorStatus subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                       const AcGePlane& projPlane, AcGePoint3dArray& points,
                                       Adesk::GsMarker thisGsMarker,
                                       Adesk::GsMarker otherGsMarker) const override;
};
