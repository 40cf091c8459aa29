#include <cwchar>

#include "giRenderRecord.h"

class AcGiRecordingDraw::Traits final : public AcGiSubEntityTraits {
  public:
    void setColor(Adesk::UInt16 color) override { mColor = color; }
    Adesk::UInt16 color() const override { return mColor; }
    void setLayer(AcDbObjectId layerId) override { mLayer = layerId; }
    AcDbObjectId layerId() const override { return mLayer; }

    AcDbObjectId entity;

  private:
    Adesk::UInt16 mColor = 256;
    AcDbObjectId mLayer;
};

class AcGiRecordingDraw::Geometry final : public AcGiWorldGeometry {
  public:
    explicit Geometry(const Traits& traits) : mTraits(traits) {}

    Adesk::Boolean circle(const AcGePoint3d& center, double radius,
                          const AcGeVector3d& /*normal*/) const override {
        AcGiPrimitive p = start(AcGiPrimitive::Kind::kCircle);
        p.points.push_back(center);
        p.radius = radius;
        return keep(std::move(p));
    }

    Adesk::Boolean circularArc(const AcGePoint3d& center, double radius,
                               const AcGeVector3d& /*normal*/, const AcGeVector3d& startVector,
                               double sweepAngle, AcGiArcType /*arcType*/) const override {
        AcGiPrimitive p = start(AcGiPrimitive::Kind::kArc);
        p.points.push_back(center);
        p.radius = radius;
        p.startVector = startVector;
        p.sweepAngle = sweepAngle;
        return keep(std::move(p));
    }

    Adesk::Boolean polyline(Adesk::UInt32 nbPoints, const AcGePoint3d* vertexList,
                            const AcGeVector3d* /*normal*/,
                            Adesk::LongPtr /*marker*/) const override {
        return vertices(AcGiPrimitive::Kind::kPolyline, nbPoints, vertexList);
    }

    Adesk::Boolean polygon(Adesk::UInt32 nbPoints, const AcGePoint3d* vertexList) const override {
        return vertices(AcGiPrimitive::Kind::kPolygon, nbPoints, vertexList);
    }

    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& /*normal*/,
                        const AcGeVector3d& direction, double height, double width, double oblique,
                        const ACHAR* message) const override {
        AcGiPrimitive p = textStart(position, direction, message, -1);
        p.height = height;
        p.widthFactor = width;
        p.oblique = oblique;
        return keep(std::move(p));
    }

    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& /*normal*/,
                        const AcGeVector3d& direction, const ACHAR* message, Adesk::Int32 length,
                        Adesk::Boolean /*raw*/, const AcGiTextStyle& style) const override {
        AcGiPrimitive p = textStart(position, direction, message, length);
        p.height = style.textSize();
        p.widthFactor = style.xScale();
        p.oblique = style.obliquingAngle();
        p.typeface = style.typeface();
        return keep(std::move(p));
    }

    // The drawing interface's calls are const; what they record is not.
    mutable std::vector<AcGiPrimitive> recorded;

  private:
    AcGiPrimitive start(AcGiPrimitive::Kind kind) const {
        AcGiPrimitive p;
        p.kind = kind;
        p.color = mTraits.color();
        p.layerId = mTraits.layerId();
        p.entityId = mTraits.entity;
        return p;
    }

    AcGiPrimitive textStart(const AcGePoint3d& position, const AcGeVector3d& direction,
                            const ACHAR* message, Adesk::Int32 length) const {
        AcGiPrimitive p = start(AcGiPrimitive::Kind::kText);
        p.points.push_back(position);
        p.direction = direction;
        if (message != nullptr) {
            size_t n = std::wcslen(message);
            // A length beyond the text's end reads no further than its terminator.
            if (length >= 0 && static_cast<size_t>(length) < n) n = static_cast<size_t>(length);
            p.text.assign(message, n);
        }
        return p;
    }

    Adesk::Boolean vertices(AcGiPrimitive::Kind kind, Adesk::UInt32 n,
                            const AcGePoint3d* list) const {
        if (list == nullptr && n > 0) return Adesk::kTrue;  // nothing readable: abort this entity
        AcGiPrimitive p = start(kind);
        p.points.assign(list, list + n);
        return keep(std::move(p));
    }

    // Recording never asks the entity to stop drawing (false = go on).
    Adesk::Boolean keep(AcGiPrimitive p) const {
        recorded.push_back(std::move(p));
        return Adesk::kFalse;
    }

    const Traits& mTraits;
};

AcGiRecordingDraw::AcGiRecordingDraw()
    : mTraits(std::make_unique<Traits>()), mGeometry(std::make_unique<Geometry>(*mTraits)) {}

AcGiRecordingDraw::~AcGiRecordingDraw() = default;

AcGiWorldGeometry& AcGiRecordingDraw::geometry() const { return *mGeometry; }

AcGiSubEntityTraits& AcGiRecordingDraw::subEntityTraits() const { return *mTraits; }

void AcGiRecordingDraw::beginEntity(AcDbObjectId entityId, Adesk::UInt16 color,
                                    AcDbObjectId layerId) {
    mTraits->entity = entityId;
    mTraits->setColor(color);
    mTraits->setLayer(layerId);
}

const std::vector<AcGiPrimitive>& AcGiRecordingDraw::primitives() const {
    return mGeometry->recorded;
}

void AcGiRecordingDraw::clear() { mGeometry->recorded.clear(); }
