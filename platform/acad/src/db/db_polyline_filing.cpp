// The lightweight polyline through the binary and DXF filers.
#include <cmath>

#include "dbpl.h"

namespace {

// A vertex count a file may claim; more is not a drawing's and would only exhaust memory.
constexpr Adesk::Int32 kMaxVertices = 10'000'000;

}  // namespace

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeBool(mClosed);
    filer->writeBool(mPlinegen);
    for (double v : {mElevation, mThickness, mConstantWidth}) filer->writeDouble(v);
    filer->writeVector3d(mNormal);
    filer->writeInt32(static_cast<Adesk::Int32>(mVertices.size()));
    for (const Vertex& v : mVertices) {
        filer->writePoint2d(v.point);
        filer->writeDouble(v.bulge);
        filer->writeDouble(v.startWidth);
        filer->writeDouble(v.endWidth);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readBool(&mClosed);
    filer->readBool(&mPlinegen);
    for (double* v : {&mElevation, &mThickness, &mConstantWidth}) filer->readDouble(v);
    filer->readVector3d(&mNormal);
    Adesk::Int32 n = 0;
    filer->readInt32(&n);
    if (n < 0 || n > kMaxVertices) return Acad::eFilerError;
    mVertices.assign(static_cast<size_t>(n), Vertex{});
    for (Vertex& v : mVertices) {
        filer->readPoint2d(&v.point);
        filer->readDouble(&v.bulge);
        filer->readDouble(&v.startWidth);
        filer->readDouble(&v.endWidth);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbPolyline");
    filer->writeInt32(90, static_cast<Adesk::Int32>(mVertices.size()));
    filer->writeInt16(70, static_cast<Adesk::Int16>((mClosed ? 1 : 0) | (mPlinegen ? 128 : 0)));
    filer->writeDouble(43, mConstantWidth);
    if (mElevation != 0.0) filer->writeDouble(38, mElevation);
    if (mThickness != 0.0) filer->writeDouble(39, mThickness);
    for (const Vertex& v : mVertices) {
        filer->writePoint2d(10, v.point);
        if (v.startWidth != mConstantWidth || v.endWidth != mConstantWidth) {
            filer->writeDouble(40, v.startWidth);
            filer->writeDouble(41, v.endWidth);
        }
        if (v.bulge != 0.0) filer->writeDouble(42, v.bulge);
    }
    if (!mNormal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(210, mNormal);
    writeUnknownDxfItems(filer, L"AcDbPolyline");
    return filer->filerStatus();
}

// A 10 group starts a vertex; 40, 41, 42 (and the vertex id 91) belong to the vertex
// before them. The 90 count must match the vertices read.
Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbPolyline"))
        return filer->setError(Acad::eBadDxfSequence, L"polyline without its subclass marker");
    mVertices.clear();
    Adesk::Int32 declared = -1;
    bool strayVertexData = false;
    es = readDxfSubclass(filer, L"AcDbPolyline", [&](const resbuf& item) {
        const ads_u_val& v = item.resval;
        switch (item.restype) {
            case 90:
                declared = v.rlong;
                return true;
            case 70:
                mClosed = (v.rint & 1) != 0, mPlinegen = (v.rint & 128) != 0;
                return true;
            case 43:
                mConstantWidth = v.rreal;
                return true;
            case 38:
                mElevation = v.rreal;
                return true;
            case 39:
                mThickness = v.rreal;
                return true;
            case 210:
                mNormal = AcGeVector3d(v.rpoint[0], v.rpoint[1], v.rpoint[2]);
                return true;
            case 10:
                if (mVertices.size() >= static_cast<size_t>(kMaxVertices)) return false;
                mVertices.push_back({AcGePoint2d(v.rpoint[0], v.rpoint[1]), 0.0, -1.0, -1.0});
                return true;
            case 40:
            case 41:
            case 42:
            case 91: {
                // Width or bulge before the first vertex belongs to no vertex: the
                // file is refused. Vertex ids are not kept.
                if (mVertices.empty()) {
                    strayVertexData = strayVertexData || item.restype != 91;
                    return true;
                }
                Vertex& last = mVertices.back();
                if (item.restype == 40) last.startWidth = v.rreal;
                if (item.restype == 41) last.endWidth = v.rreal;
                if (item.restype == 42) last.bulge = v.rreal;
                return true;
            }
            default:
                return false;
        }
    });
    if (es != Acad::eOk) return es;
    if (strayVertexData)
        return filer->setError(Acad::eBadDxfSequence,
                               L"polyline width or bulge before its first vertex");
    for (Vertex& vertex : mVertices) {
        if (vertex.startWidth < 0.0) vertex.startWidth = mConstantWidth;
        if (vertex.endWidth < 0.0) vertex.endWidth = mConstantWidth;
        if (!std::isfinite(vertex.bulge))
            return filer->setError(Acad::eInvalidInput, L"polyline bulge is not a number");
    }
    if (declared >= 0 && static_cast<size_t>(declared) != mVertices.size())
        return filer->setError(Acad::eInvalidInput, L"polyline declares %d vertices but has %d",
                               static_cast<int>(declared), static_cast<int>(mVertices.size()));
    if (mNormal.isZeroLength())
        return filer->setError(Acad::eInvalidInput, L"polyline with a zero normal");
    mNormal.normalize();
    return Acad::eOk;
}
