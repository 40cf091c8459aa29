#include <cwchar>

#include "db_stub.h"
#include "dbmain.h"

const AcDbObjectId AcDbObjectId::kNull;

AcDbHandle::AcDbHandle(const ACHAR* hexText) {
    if (hexText == nullptr || *hexText == 0) return;
    std::uint64_t v = 0;
    int digits = 0;
    for (const ACHAR* p = hexText; *p != 0; ++p, ++digits) {
        const ACHAR c = *p;
        int d = -1;
        if (c >= L'0' && c <= L'9')
            d = c - L'0';
        else if (c >= L'a' && c <= L'f')
            d = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            d = c - L'A' + 10;
        // More than 16 digits would overflow 64 bits.
        if (d < 0 || digits >= 16) return;
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    mValue = v;
}

void AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength) const {
    if (buffer == nullptr || bufferLength == 0) return;
    std::swprintf(buffer, bufferLength, L"%llX", static_cast<unsigned long long>(mValue));
}

bool AcDbObjectId::isValid() const { return mStub != nullptr && mStub->object != nullptr; }

bool AcDbObjectId::isErased() const { return isValid() && mStub->object->isErased(); }

AcDbDatabase* AcDbObjectId::database() const {
    return mStub != nullptr ? mStub->database : nullptr;
}

AcDbHandle AcDbObjectId::handle() const { return mStub != nullptr ? mStub->handle : AcDbHandle(); }

AcRxClass* AcDbObjectId::objectClass() const { return isValid() ? mStub->object->isA() : nullptr; }

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
    objName[0] = reinterpret_cast<Adesk::LongPtr>(objId.stub());
    objName[1] = 0;
    return objId.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
    objId = AcDbObjectId(reinterpret_cast<AcDbStub*>(objName[0]));
    return objId.isNull() ? Acad::eInvalidAdsName : Acad::eOk;
}
