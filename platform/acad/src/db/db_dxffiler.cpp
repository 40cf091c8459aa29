#include <cmath>
#include <cstdarg>
#include <numbers>

#include "acutads.h"
#include "dbfiler.h"
#include "dbmain.h"
#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_DESC(AcDbDxfFiler, AcRxObject::desc(), nullptr, L"")

Acad::ErrorStatus AcDbDxfFiler::setError(Acad::ErrorStatus status, const ACHAR* format, ...) {
    va_list args;
    va_start(args, format);
    mErrorMessage = wcrtVFormat(format, args);
    va_end(args);
    setFilerStatus(status);
    return status;
}

Acad::ErrorStatus AcDbDxfFiler::setError(const ACHAR* format, ...) {
    va_list args;
    va_start(args, format);
    mErrorMessage = wcrtVFormat(format, args);
    va_end(args);
    setFilerStatus(Acad::eFilerError);
    return Acad::eFilerError;
}

Acad::ErrorStatus AcDbDxfFiler::writeAngle(int code, double radians, int precision) {
    return writeDouble(code, radians * 180.0 / std::numbers::pi, precision);
}

Acad::ErrorStatus AcDbDxfFiler::writeResBuf(const resbuf& item) {
    const int code = item.restype;
    const ads_u_val& v = item.resval;
    switch (acutRbValueKind(code)) {
        case AcRbValueKind::kString:
            return writeString(code, v.rstring != nullptr ? v.rstring : L"");
        case AcRbValueKind::kReal:
            return writeDouble(code, v.rreal);
        case AcRbValueKind::kPoint:
            return writePoint3d(code, AcGePoint3d(v.rpoint[0], v.rpoint[1], v.rpoint[2]));
        case AcRbValueKind::kInt16:
            return writeInt16(code, v.rint);
        case AcRbValueKind::kBool:
            return writeBool(code, v.rint != 0);
        case AcRbValueKind::kInt32:
            return writeInt32(code, v.rlong);
        case AcRbValueKind::kInt64:
            return writeInt64(code, v.mnInt64);
        case AcRbValueKind::kBinary:
            return writeBytes(code, v.rbinary.buf,
                              static_cast<Adesk::UIntPtr>(v.rbinary.clen > 0 ? v.rbinary.clen : 0));
        case AcRbValueKind::kName: {
            AcDbObjectId id;
            acdbGetObjectId(id, v.rlname);
            return writeObjectId(code, id);
        }
        case AcRbValueKind::kNone:
            break;
    }
    return setError(Acad::eInvalidDxfCode, L"group code %d has no value type", code);
}

bool AcDbDxfFiler::atSubclassData(const ACHAR* subClassName) {
    if (atEOF()) return false;
    resbuf item{};
    if (readItem(&item) != Acad::eOk) return false;
    if (item.restype == 100 && item.resval.rstring != nullptr && subClassName != nullptr &&
        _wcsicmp(item.resval.rstring, subClassName) == 0)
        return true;
    pushBackItem();
    return false;
}

bool AcDbDxfFiler::atExtendedData() {
    if (atEOF()) return false;
    resbuf item{};
    if (readItem(&item) != Acad::eOk) return false;
    pushBackItem();
    return item.restype == 1001;
}
