// Geometry helpers: polylines, point-in-region tests, curve queries,
// coordinate systems.
#pragma once

#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"

class ArxPolyline {
  public:
    // The vertices of a lightweight polyline in stored order, in world
    // coordinates; a closed polyline gets no repeated first vertex. The lists
    // are emptied first. Non-zero when the entity is a polyline.
    static int Arx_TakeAllPLinePtArr(AcDbObjectId id, AcGePoint3dArray& points);
    // As above, with the bulge of the segment that starts at each vertex.
    static int Arx_TakeAllPLinePtArr(AcDbObjectId id, AcGePoint3dArray& points,
                                     AcGeDoubleArray& bulges);
    // The lower-left and upper-right corners of the polyline's extents.
    static int Arx_getPLinePointOfLBRT(AcDbObjectId id, AcGePoint3d& leftBottom,
                                       AcGePoint3d& rightTop);
    // A new closed polyline through the points (plan, at the first point's z)
    // with the given bulges (missing bulges are 0), appended to model space and
    // closed. Its id, or null when it could not be added.
    static AcDbObjectId Arx_CreateClosePolyine(const AcGePoint3dArray& points,
                                               const AcGeDoubleArray& bulges);
};

// Point-in-region tests work in plan (z ignored). A point on the region's
// boundary, within the rounding of the coordinates, counts as inside for every
// test here.
class ArxJudgeClass {
  public:
    // Against the polygon through the points (closing edge implied; a repeated
    // first point at the end is allowed). Fewer than 3 points: 0.
    static int Arx_JudgePointInRegion(const AcGePoint3d& point, const AcGePoint3dArray& polygon);
    // Against a closed curve of the drawing: a polyline (arc segments
    // included) or a circle. 0 for other entities or when it cannot be opened.
    static int Arx_JudgePointInRegion(const AcGePoint3d& point, AcDbObjectId curveId);
    // Against the polyline when one is given (its arcs count), otherwise
    // against the polygon.
    static int Arx_JudgePointInRegionPL(const AcGePoint3d& point, const AcGePoint3dArray& polygon,
                                        const AcDbPolyline* polyline);
    // Makes the points relative to origin in plan: origin's x and y are
    // subtracted from every point (z unchanged). Tests on relative coordinates
    // keep the digits that decide them at survey coordinates.
    static void Arx_AdjustPointXYCoord(const AcGePoint3d& origin, AcGePoint3dArray& points);
    // Non-zero for a single-line text entity.
    static int Arx_JudgeIsAcDbText(AcDbObjectId id);
    // Non-zero when the host lists the module as loaded ("QUARNARXBASE.ARX";
    // case and folder do not matter).
    static int Arx_JudgeisModuleLoaded(const ACHAR* moduleName);
};

class ArxCurve {
  public:
    static int Arx_GetCurveSEPoint(AcDbObjectId id, AcGePoint3d& start, AcGePoint3d& end);
    // The point of the curve nearest to point.
    static int Arx_getClosestPointTo(AcDbObjectId id, const AcGePoint3d& point,
                                     AcGePoint3d& closest);
};

class ArxLine {
  public:
    // Where the line p1-p2 meets the curve, in plan (both projected onto the
    // world XY plane); with extend non-zero the line is unbounded. The points
    // are appended to points. Returns the number of points found.
    static int Arx_GetInterOfLineThis(const AcGePoint3d& p1, const AcGePoint3d& p2,
                                      AcDbObjectId curveId, AcGePoint3dArray& points, int extend);
};

class ArxTransClass {
  public:
    // From the current user coordinate system to world coordinates and back.
    static AcGePoint3d Arx_UcsToWcsPoint(const AcGePoint3d& point);
    static void Arx_UcsToWcsPoint(AcGePoint3dArray& points);
    static AcGePoint3d Arx_WcsToUcsPoint(const AcGePoint3d& point);
};

class ArxUCS {
  public:
    // Angle of the current user x axis from the world x axis in plan, radians
    // in [0, 2 pi). Always non-zero.
    static int Arx_getcCoordinateXangle(double& angle);
};
