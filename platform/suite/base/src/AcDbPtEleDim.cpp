#include "AcDbPtEleDim.h"

#include <cmath>
#include <memory>

#include "ArxLayer.h"
#include "PtEleDimFields.h"
#include "ScopedOpen.h"
#include "acutads.h"
#include "dbents.h"
#include "wcrt.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// Proxy flags: a drawing without this module may erase, move and copy the
// entity (erase 1, transform 2, colour 4, layer 8, ... 0x3FF all edits).
constexpr int kProxyFlags = 0x3FF;

// No font metrics here: a digit or sign is taken as 0.6 of the height wide.
constexpr double kCharWidthFactor = 0.6;

AcDbObjectId LayerId(AcDbDatabase* db, const std::wstring& name) {
    AcDbObjectId id;
    if (db == nullptr || name.empty()) return id;
    ScopedOpen<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    if (table && table->getAt(name.c_str(), id) != Acad::eOk) id.setNull();
    return id;
}

void EnsureLayer(const ACHAR* name, int color) {
    AcDbObjectId id;
    if (name != nullptr && *name != 0 && ArxLayer::Arx_FindLayerFromName(name, id) == 0)
        ArxLayer::Arx_CreateLayer(name, color, id);
}

// The exploded pieces start with the entity's own layer and colour.
void CopyLooks(const AcDbEntity& from, AcDbEntity& to) {
    to.setLayer(from.layerId());
    to.setColor(from.color());
}

}  // namespace

AcRxClass* AcDbPtEleDim::gpDesc = nullptr;

AcRxClass* AcDbPtEleDim::desc() {
    if (gpDesc == nullptr) gpDesc = acrxFindClass(L"AcDbPtEleDim");
    return gpDesc;
}

AcDbPtEleDim* AcDbPtEleDim::cast(const AcRxObject* inPtr) {
    return inPtr == nullptr || desc() == nullptr || !inPtr->isKindOf(desc())
               ? nullptr
               : const_cast<AcDbPtEleDim*>(static_cast<const AcDbPtEleDim*>(inPtr));
}

AcRxClass* AcDbPtEleDim::isA() const { return desc(); }

void AcDbPtEleDim::rxInit() {
    gpDesc = newAcRxClass(
        L"AcDbPtEleDim", L"AcDbEntity", AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, kProxyFlags,
        []() -> AcRxObject* { return new AcDbPtEleDim(); }, L"AcDbPtEleDim", L"QUARNArxBase");
}

void AcDbPtEleDim::rxUninit() {
    if (gpDesc != nullptr) deleteAcRxClass(gpDesc);
    gpDesc = nullptr;
}

AcDbPtEleDim::AcDbPtEleDim() = default;

void AcDbPtEleDim::setDimPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    mData.dimPoint = point;
}
void AcDbPtEleDim::setLeadPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    mData.leadPoint = point;
}
void AcDbPtEleDim::setOriginEle(const ACHAR* text) {
    assertWriteEnabled();
    mData.originEle = text ? text : L"";
}
void AcDbPtEleDim::setDesignEle(const ACHAR* text) {
    assertWriteEnabled();
    mData.designEle = text ? text : L"";
}
void AcDbPtEleDim::setVar(const ACHAR* text) {
    assertWriteEnabled();
    mData.var = text ? text : L"";
}

void AcDbPtEleDim::setOriginLayer(const ACHAR* layer) {
    assertWriteEnabled();
    mData.originLayer = layer ? layer : L"";
    EnsureLayer(layer, mData.originColor);
}

void AcDbPtEleDim::setDesignLayer(const ACHAR* layer) {
    assertWriteEnabled();
    mData.designLayer = layer ? layer : L"";
    EnsureLayer(layer, mData.designColor);
}

void AcDbPtEleDim::setVarLayer(const ACHAR* layer) {
    assertWriteEnabled();
    mData.varLayer = layer ? layer : L"";
    EnsureLayer(layer, mData.varColor);
}

void AcDbPtEleDim::setOriginColor(int colorIndex) {
    assertWriteEnabled();
    mData.originColor = colorIndex;
}
void AcDbPtEleDim::setDesignColor(int colorIndex) {
    assertWriteEnabled();
    mData.designColor = colorIndex;
}
void AcDbPtEleDim::setVarColor(int colorIndex) {
    assertWriteEnabled();
    mData.varColor = colorIndex;
}
void AcDbPtEleDim::setTextHeight(double height) {
    assertWriteEnabled();
    mData.textHeight = height;
}
void AcDbPtEleDim::setTextAngle(double angle) {
    assertWriteEnabled();
    mData.textAngle = angle;
}

AcGePoint3d AcDbPtEleDim::dimPoint() const { return mData.dimPoint; }
AcGePoint3d AcDbPtEleDim::leadPoint() const { return mData.leadPoint; }
const ACHAR* AcDbPtEleDim::originEle() const { return mData.originEle.c_str(); }
const ACHAR* AcDbPtEleDim::designEle() const { return mData.designEle.c_str(); }
const ACHAR* AcDbPtEleDim::var() const { return mData.var.c_str(); }
const ACHAR* AcDbPtEleDim::originLayer() const { return mData.originLayer.c_str(); }
const ACHAR* AcDbPtEleDim::designLayer() const { return mData.designLayer.c_str(); }
const ACHAR* AcDbPtEleDim::varLayer() const { return mData.varLayer.c_str(); }
int AcDbPtEleDim::originColor() const { return mData.originColor; }
int AcDbPtEleDim::designColor() const { return mData.designColor; }
int AcDbPtEleDim::varColor() const { return mData.varColor; }
double AcDbPtEleDim::textHeight() const { return mData.textHeight; }
double AcDbPtEleDim::textAngle() const { return mData.textAngle; }

// Texts around the lead point L, with u the text direction, v across it, h the
// height and g = h / 2 the gap: the design elevation at L + g u + g v (upper
// right), the natural elevation at L + g u - (g + h) v (lower right) and the
// difference ending at L - g u + g v (upper left).
void AcDbPtEleDim::textPieces(TextPiece pieces[3], int& count) const {
    const double h = mData.textHeight, g = h / 2.0;
    const AcGeVector3d u(std::cos(mData.textAngle), std::sin(mData.textAngle), 0.0);
    const AcGeVector3d v(-u.y, u.x, 0.0);
    const AcGePoint3d& lead = mData.leadPoint;
    const double varWidth = kCharWidthFactor * h * static_cast<double>(mData.var.size());
    const TextPiece all[3] = {
        {lead - u * (g + varWidth) + v * g, mData.var, mData.varLayer, mData.varColor},
        {lead + u * g + v * g, mData.designEle, mData.designLayer, mData.designColor},
        {lead + u * g - v * (g + h), mData.originEle, mData.originLayer, mData.originColor},
    };
    count = 0;
    for (const TextPiece& piece : all)
        if (!piece.text.empty()) pieces[count++] = piece;
}

Adesk::Boolean AcDbPtEleDim::subWorldDraw(AcGiWorldDraw* mode) {
    AcGiSubEntityTraits& traits = mode->subEntityTraits();
    const AcGeVector3d normal = AcGeVector3d::kZAxis;
    mode->geometry().circle(mData.dimPoint, mData.textHeight / 5.0, normal);
    if (!mData.dimPoint.isEqualTo(mData.leadPoint)) {
        const AcGePoint3d leader[2] = {mData.dimPoint, mData.leadPoint};
        mode->geometry().polyline(2, leader);
    }
    AcDbDatabase* db = database() != nullptr ? database() : WorkingDatabase();
    const AcGeVector3d direction(std::cos(mData.textAngle), std::sin(mData.textAngle), 0.0);
    TextPiece pieces[3];
    int count = 0;
    textPieces(pieces, count);
    for (int i = 0; i < count; ++i) {
        const AcDbObjectId layer = LayerId(db, pieces[i].layer);
        if (!layer.isNull()) traits.setLayer(layer);
        traits.setColor(static_cast<Adesk::UInt16>(pieces[i].color));
        mode->geometry().text(pieces[i].position, normal, direction, mData.textHeight, 1.0, 0.0,
                              pieces[i].text.c_str());
    }
    return Adesk::kTrue;
}

void AcDbPtEleDim::subList() const {
    acutPrintf(L"\n自然标高: %s\n设计标高: %s\n差值: %s", mData.originEle.c_str(),
               mData.designEle.c_str(), mData.var.c_str());
    AcDbEntity::subList();
}

Acad::ErrorStatus AcDbPtEleDim::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d direction(std::cos(mData.textAngle), std::sin(mData.textAngle), 0.0);
    direction.transformBy(xform);
    mData.dimPoint.transformBy(xform);
    mData.leadPoint.transformBy(xform);
    mData.textHeight *= xform.scale();
    if (direction.x != 0.0 || direction.y != 0.0)
        mData.textAngle = std::atan2(direction.y, direction.x);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPtEleDim::subGetGeomExtents(AcDbExtents& extents) const {
    const double r = mData.textHeight / 5.0;
    extents.addPoint(mData.dimPoint + AcGeVector3d(r, r, 0.0));
    extents.addPoint(mData.dimPoint - AcGeVector3d(r, r, 0.0));
    extents.addPoint(mData.leadPoint);
    TextPiece pieces[3];
    int count = 0;
    textPieces(pieces, count);
    const AcGeVector3d u(std::cos(mData.textAngle), std::sin(mData.textAngle), 0.0);
    const AcGeVector3d v(-u.y, u.x, 0.0);
    for (int i = 0; i < count; ++i) {
        const double width =
            kCharWidthFactor * mData.textHeight * static_cast<double>(pieces[i].text.size());
        extents.addPoint(pieces[i].position);
        extents.addPoint(pieces[i].position + u * width + v * mData.textHeight);
    }
    return Acad::eOk;
}

// Explodes into the marker circle, the leader (when the two points differ)
// and one single-line text per non-empty text, on its layer in its colour.
Acad::ErrorStatus AcDbPtEleDim::subExplode(AcDbVoidPtrArray& entitySet) const {
    auto circle =
        std::make_unique<AcDbCircle>(mData.dimPoint, AcGeVector3d::kZAxis, mData.textHeight / 5.0);
    CopyLooks(*this, *circle);
    entitySet.append(circle.release());
    if (!mData.dimPoint.isEqualTo(mData.leadPoint)) {
        auto line = std::make_unique<AcDbLine>(mData.dimPoint, mData.leadPoint);
        CopyLooks(*this, *line);
        entitySet.append(line.release());
    }
    TextPiece pieces[3];
    int count = 0;
    textPieces(pieces, count);
    for (int i = 0; i < count; ++i) {
        auto text =
            std::make_unique<AcDbText>(pieces[i].position, pieces[i].text.c_str(),
                                       AcDbObjectId::kNull, mData.textHeight, mData.textAngle);
        CopyLooks(*this, *text);
        if (!pieces[i].layer.empty()) text->setLayer(pieces[i].layer.c_str());
        text->setColorIndex(static_cast<Adesk::UInt16>(pieces[i].color));
        entitySet.append(text.release());
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPtEleDim::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                 AcDbIntArray&) const {
    gripPoints.append(mData.dimPoint);
    gripPoints.append(mData.leadPoint);
    return Acad::eOk;
}

// Grip 0 moves the dimensioned point, grip 1 the texts.
Acad::ErrorStatus AcDbPtEleDim::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                    const AcGeVector3d& offset) {
    if (indices.contains(0)) mData.dimPoint += offset;
    if (indices.contains(1)) mData.leadPoint += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPtEleDim::dwgOutFields(AcDbDwgFiler* filer) const {
    const Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kPtEleDimVersion);
    for (const PtEleDimField& f : PtEleDimFields()) {
        if (auto p = std::get_if<AcGePoint3d Data::*>(&f.member))
            filer->writePoint3d(mData.*(*p));
        else if (auto s = std::get_if<std::wstring Data::*>(&f.member))
            filer->writeString((mData.*(*s)).c_str());
        else if (auto i = std::get_if<int Data::*>(&f.member))
            filer->writeInt32(mData.*(*i));
        else if (auto d = std::get_if<double Data::*>(&f.member))
            filer->writeDouble(mData.*(*d));
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPtEleDim::dwgInFields(AcDbDwgFiler* filer) {
    const Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (version > kPtEleDimVersion) return Acad::eInvalidDwgVersion;
    for (const PtEleDimField& f : PtEleDimFields()) {
        if (auto p = std::get_if<AcGePoint3d Data::*>(&f.member))
            filer->readPoint3d(&(mData.*(*p)));
        else if (auto s = std::get_if<std::wstring Data::*>(&f.member))
            filer->readString(mData.*(*s));
        else if (auto i = std::get_if<int Data::*>(&f.member)) {
            Adesk::Int32 value = 0;
            filer->readInt32(&value);
            mData.*(*i) = value;
        } else if (auto d = std::get_if<double Data::*>(&f.member))
            filer->readDouble(&(mData.*(*d)));
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPtEleDim::dxfOutFields(AcDbDxfFiler* filer) const {
    const Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbPtEleDim");
    for (const PtEleDimField& f : PtEleDimFields()) {
        if (auto p = std::get_if<AcGePoint3d Data::*>(&f.member))
            filer->writePoint3d(f.code, mData.*(*p));
        else if (auto s = std::get_if<std::wstring Data::*>(&f.member))
            filer->writeString(f.code, (mData.*(*s)).c_str());
        else if (auto i = std::get_if<int Data::*>(&f.member))
            filer->writeInt32(f.code, mData.*(*i));
        else if (auto d = std::get_if<double Data::*>(&f.member))
            filer->writeDouble(f.code, f.angle ? mData.*(*d) * kDegreesPerRadian : mData.*(*d));
    }
    writeUnknownDxfItems(filer, L"AcDbPtEleDim");
    return filer->filerStatus();
}

namespace {

// Stores a DXF item in the member its code is bound to; false for other codes.
bool ReadField(AcDbPtEleDim::Data& data, const resbuf& item) {
    using Data = AcDbPtEleDim::Data;
    for (const PtEleDimField& f : PtEleDimFields()) {
        if (f.code != item.restype) continue;
        const double* p = item.resval.rpoint;
        if (auto m = std::get_if<AcGePoint3d Data::*>(&f.member))
            data.*(*m) = AcGePoint3d(p[0], p[1], p[2]);
        else if (auto s = std::get_if<std::wstring Data::*>(&f.member))
            data.*(*s) = item.resval.rstring != nullptr ? item.resval.rstring : L"";
        else if (auto i = std::get_if<int Data::*>(&f.member))
            data.*(*i) = item.resval.rlong;
        else if (auto d = std::get_if<double Data::*>(&f.member))
            data.*(*d) = f.angle ? item.resval.rreal / kDegreesPerRadian : item.resval.rreal;
        return true;
    }
    return false;
}

}  // namespace

Acad::ErrorStatus AcDbPtEleDim::dxfInFields(AcDbDxfFiler* filer) {
    const Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbPtEleDim"))
        return filer->setError(Acad::eBadDxfSequence,
                               L"point elevation dimension without its subclass marker");
    return readDxfSubclass(filer, L"AcDbPtEleDim",
                           [this](const resbuf& item) { return ReadField(mData, item); });
}
