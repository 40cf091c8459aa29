// A world-draw context that records what entities draw, for pictures, for
// picking entities near a point and for tests. Stand-in header (not part of
// the host SDK). Geometry is kept in world coordinates; pictures and picking
// look at it in plan (z ignored).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acgi.h"

struct AcGiPrimitive {
    enum class Kind { kCircle, kArc, kPolyline, kPolygon, kText };
    Kind kind = Kind::kPolyline;
    Adesk::UInt16 color = 256;  // traits colour when drawn: 0 by block, 256 by layer
    AcDbObjectId layerId;       // traits layer when drawn
    AcDbObjectId entityId;      // the entity being drawn, when the caller named it

    std::vector<AcGePoint3d>
        points;  // polyline/polygon vertices; circle, arc: centre; text: position
    double radius = 0.0;
    AcGeVector3d startVector;  // arc: from the centre to its start
    double sweepAngle = 0.0;   // arc: radians, counter-clockwise

    std::wstring text;
    AcGeVector3d direction{1.0, 0.0, 0.0};  // text baseline direction
    double height = 0.0;
    double widthFactor = 1.0;
    double oblique = 0.0;
    std::wstring typeface;  // text style's font name, when drawn with a style
};

class AcGiRecordingDraw final : public AcGiWorldDraw {
  public:
    AcGiRecordingDraw();
    ~AcGiRecordingDraw() override;
    AcGiRecordingDraw(const AcGiRecordingDraw&) = delete;
    AcGiRecordingDraw& operator=(const AcGiRecordingDraw&) = delete;

    AcGiWorldGeometry& geometry() const override;
    AcGiSubEntityTraits& subEntityTraits() const override;

    // Sets the traits an entity starts drawing with (its own colour and layer,
    // as the host does before calling worldDraw) and tags what follows with its id.
    void beginEntity(AcDbObjectId entityId, Adesk::UInt16 color, AcDbObjectId layerId);

    const std::vector<AcGiPrimitive>& primitives() const;
    void clear();

  private:
    class Traits;
    class Geometry;
    std::unique_ptr<Traits> mTraits;
    std::unique_ptr<Geometry> mGeometry;
};

// Plan extents of recorded geometry. Texts count with their estimated box.
struct AcGiExtents2d {
    bool empty = true;
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    void add(double x, double y);
};
AcGiExtents2d acgiExtents(const std::vector<AcGiPrimitive>& primitives);

// Estimated advance of a text along its baseline: full-width (CJK) characters
// take one text height, others 0.6 of it, times the width factor. The host
// measures with the font; an estimate is enough for extents and picking.
double acgiTextLength(const AcGiPrimitive& text);

// Plan distance from a point to what a primitive draws (0 inside a text's box).
double acgiDistanceTo(const AcGiPrimitive& primitive, const AcGePoint3d& point);

class AcDbDatabase;

// The entities of a drawing's model space, erased ones left out, in drawing order.
std::vector<AcDbObjectId> acgiModelSpaceEntities(AcDbDatabase* database);

// Draws every visible model-space entity into the recorder, each starting with
// its own colour and layer. Entities on layers that are off or frozen are left out.
void acgiDrawModelSpace(AcDbDatabase* database, AcGiRecordingDraw& draw);
