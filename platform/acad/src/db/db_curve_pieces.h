// Curves broken into straight and circular pieces in world coordinates: the common
// ground of parameters, nearest points and intersections of lines, rays, circles
// and polylines.
#pragma once

#include <vector>

#include "acge.h"
#include "dbcurve.h"

struct CurvePiece {
    bool arc = false;
    // Line: from start to end (t = 0 .. 1). Arc: from start turning sweep radians about
    // normal around center (sweep < 0 is clockwise); start == end for a whole circle.
    AcGePoint3d start, end;
    AcGePoint3d center;
    double radius = 0.0;
    AcGeVector3d normal{0.0, 0.0, 1.0};
    double sweep = 0.0;
    // Curve parameters at the two ends.
    double paramStart = 0.0;
    double paramEnd = 1.0;
    // Extension: a line runs on before start / after end; an arc becomes its circle.
    bool openBefore = false;
    bool openAfter = false;

    AcGePoint3d pointAt(double t) const;  // t = 0 .. 1 along the piece
    double length() const;
};

// The pieces of a line, ray, circle or polyline (eNotApplicable for other entities);
// with extend the ends run on as described in dbcurve.h.
Acad::ErrorStatus acdbCurvePieces(const AcDbEntity& entity, bool extend,
                                  std::vector<CurvePiece>& pieces);

// The plane a curve lies in, when it has one of its own (circle, polyline).
bool acdbCurvePlane(const AcDbEntity& entity, AcGePlane& plane);

// Nearest point of the pieces to p and its curve parameter.
bool acdbClosestOnPieces(const std::vector<CurvePiece>& pieces, const AcGePoint3d& p,
                         AcGePoint3d& closest, double& param);

// Intersections between two sets of pieces after projection onto plane; the points lie
// on the first set. With requireMeet, only points where both really meet in space.
Acad::ErrorStatus acdbIntersectPieces(const std::vector<CurvePiece>& mine,
                                      const std::vector<CurvePiece>& other, const AcGePlane& plane,
                                      bool requireMeet, AcGePoint3dArray& points);

// Tolerance for "the same point" among coordinates of this size: the global point
// tolerance, widened to 1e-9 relative because survey coordinates of 1e5..1e7 carry
// rounding far above an absolute 1e-10.
double acdbPointTolerance(double magnitude);
