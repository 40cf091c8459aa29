#include "db_rbfiling.h"

#include "acutads.h"
#include "dbmain.h"

namespace {

// A chain longer than this cannot come from a 16 KB extended-data limit or one kept
// DXF group; a count above it means the filer is out of step.
constexpr Adesk::Int32 kMaxChainLength = 1 << 16;

void writeValue(AcDbDwgFiler* filer, const resbuf& rb) {
    switch (acutRbValueKind(rb.restype)) {
        case AcRbValueKind::kString:
            filer->writeString(rb.resval.rstring != nullptr ? rb.resval.rstring : L"");
            break;
        case AcRbValueKind::kReal:
            filer->writeDouble(rb.resval.rreal);
            break;
        case AcRbValueKind::kPoint:
            filer->writePoint3d(
                AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]));
            break;
        case AcRbValueKind::kInt16:
        case AcRbValueKind::kBool:
            filer->writeInt16(rb.resval.rint);
            break;
        case AcRbValueKind::kInt32:
            filer->writeInt32(rb.resval.rlong);
            break;
        case AcRbValueKind::kInt64:
            filer->writeInt64(rb.resval.mnInt64);
            break;
        case AcRbValueKind::kName: {
            AcDbObjectId id;
            acdbGetObjectId(id, rb.resval.rlname);
            filer->writeSoftPointerId(id);
            break;
        }
        case AcRbValueKind::kBinary:
            filer->writeBChunk(rb.resval.rbinary);
            break;
        case AcRbValueKind::kNone:
            break;
    }
}

void readValue(AcDbDwgFiler* filer, resbuf& rb) {
    switch (acutRbValueKind(rb.restype)) {
        case AcRbValueKind::kString:
            filer->readString(&rb.resval.rstring);
            break;
        case AcRbValueKind::kReal:
            filer->readDouble(&rb.resval.rreal);
            break;
        case AcRbValueKind::kPoint: {
            AcGePoint3d p;
            filer->readPoint3d(&p);
            rb.resval.rpoint[0] = p.x, rb.resval.rpoint[1] = p.y, rb.resval.rpoint[2] = p.z;
            break;
        }
        case AcRbValueKind::kInt16:
        case AcRbValueKind::kBool:
            filer->readInt16(&rb.resval.rint);
            break;
        case AcRbValueKind::kInt32:
            filer->readInt32(&rb.resval.rlong);
            break;
        case AcRbValueKind::kInt64:
            filer->readInt64(&rb.resval.mnInt64);
            break;
        case AcRbValueKind::kName: {
            AcDbSoftPointerId id;
            filer->readSoftPointerId(&id);
            acdbGetAdsName(rb.resval.rlname, id);
            break;
        }
        case AcRbValueKind::kBinary:
            filer->readBChunk(&rb.resval.rbinary);
            break;
        case AcRbValueKind::kNone:
            break;
    }
}

}  // namespace

Acad::ErrorStatus acdbDwgWriteChain(AcDbDwgFiler* filer, const resbuf* chain) {
    Adesk::Int32 count = 0;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) ++count;
    filer->writeInt32(count);
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        filer->writeInt16(rb->restype);
        writeValue(filer, *rb);
    }
    return filer->filerStatus();
}

resbuf* acdbDwgReadChain(AcDbDwgFiler* filer) {
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk || count < 0 || count > kMaxChainLength)
        return nullptr;
    AcRbChain head;
    resbuf* tail = nullptr;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        Adesk::Int16 code = 0;
        if (filer->readInt16(&code) != Acad::eOk) return nullptr;
        resbuf* rb = acutNewRb(code);
        if (tail == nullptr)
            head.reset(rb);
        else
            tail->rbnext = rb;
        tail = rb;
        readValue(filer, *rb);
        if (filer->filerStatus() != Acad::eOk) return nullptr;
    }
    return head.release();
}
