// Layout of one construction site as the suite's base module lays it out: a
// closed outline covered by a grid of square panes of side `spacing`, turned
// by `angle` about `origin`; panes cut by the outline become the part of their
// square inside it (triangles, quadrilaterals, polygons of five or more
// corners). Inner outlines (holes) are whole grid cells, so no pane is cut by
// them: the cells inside a hole get no pane. See docs/sitegen.md.
#pragma once

#include <string>
#include <vector>

#include "acge.h"

// A block of grid cells: rows firstRow ... lastRow, columns firstColumn ...
// lastColumn (grid numbering, see PaneShape).
struct CellBlock {
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;
};

struct SitePlan {
    std::wstring number;               // "场区编号"
    std::vector<AcGePoint2d> outline;  // convex, either orientation, no closing duplicate
    std::vector<CellBlock> holes;      // inner outlines ("内框")
    AcGePoint2d origin;                // grid origin: lower-left corner of cell (1, 1)
    double angle = 0.0;                // grid rotation, radians counter-clockwise
    double spacing = 20.0;             // pane side length
    // Only the outline, marked as an inner outline ("内框") of the site with
    // this number; no grid and no panes.
    bool innerOnly = false;
};

// One pane: its grid row and column (both from 1; row 1 at the lowest grid y,
// column 1 at the lowest grid x, cells below or left of the origin have
// numbers of 0 and less), its number (1, 2, ... in row-major order) and its
// corners counter-clockwise in world plan coordinates. A whole square starts
// at its lower-left grid corner.
struct PaneShape {
    int row = 0;
    int column = 0;
    int number = 0;
    std::vector<AcGePoint2d> corners;
};

// Grid coordinates of a world point and back (rotation about the origin).
AcGePoint2d ToGrid(const SitePlan& plan, const AcGePoint2d& world);
AcGePoint2d ToWorld(const SitePlan& plan, const AcGePoint2d& grid);

// Every pane of the site, row by row from the lowest row, left to right.
// Pieces of a square smaller than kSliverShare of the square are left out.
std::vector<PaneShape> LayOutPanes(const SitePlan& plan);

// The outline of an inner outline's cell block, counter-clockwise, world plan.
std::vector<AcGePoint2d> HoleOutline(const SitePlan& plan, const CellBlock& hole);

// The part of the polygon inside the axis-aligned box [x0, x1] x [y0, y1]
// (Sutherland-Hodgman; exact for a convex polygon), with repeated and
// collinear corners removed.
std::vector<AcGePoint2d> ClipToBox(const std::vector<AcGePoint2d>& polygon, double x0, double y0,
                                   double x1, double y1);

// Signed area (shoelace formula): positive for counter-clockwise corners.
double SignedArea(const std::vector<AcGePoint2d>& polygon);

// A sliver this small (relative to the square) is survey noise along the
// outline, not a pane a site engineer would draw or compute.
inline constexpr double kSliverShare = 1e-3;
