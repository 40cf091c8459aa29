#include "AcDbMPointEle.h"

#include "ArxHelpers.h"
#include "TextStyles.h"
#include "rxdict.h"

namespace {

// Drawing version and maintenance release of the class's records.
constexpr int kDwgVersion = 31;
constexpr int kMaintenanceRelease = 1;
// 0xBFF: every operation is allowed on a proxy, material change included;
// the proxy warning dialog is not suppressed.
constexpr int kProxyFlags = 3071;

AcRxObject* MakeMPointEle() { return new AcDbMPointEle(); }

AcRxClass* RegisteredClass() { return AcRxClass::cast(acrxClassDictionary->at(L"AcDbMPointEle")); }

}  // namespace

AcRxClass* AcDbMPointEle::gpDesc = nullptr;

AcRxClass* AcDbMPointEle::desc() {
    if (gpDesc == nullptr) gpDesc = RegisteredClass();
    return gpDesc;
}

AcDbMPointEle* AcDbMPointEle::cast(const AcRxObject* inPtr) {
    return inPtr == nullptr || desc() == nullptr || !inPtr->isKindOf(desc())
               ? nullptr
               : const_cast<AcDbMPointEle*>(static_cast<const AcDbMPointEle*>(inPtr));
}

AcRxClass* AcDbMPointEle::isA() const { return desc(); }

AcDbMPointEle::AcDbMPointEle() : mStyleName(kAnnotationStyleName) { setUpStyle(); }

AcDbMPointEle::~AcDbMPointEle() = default;

void AcDbMPointEle::setUpStyle() {
    mStyleReady = MakeNarrowTextStyle(mStyleName.c_str(), mTextHeight, mStyleId) ? 1 : 0;
    ArxText::Arx_getTextStyleFromId(mDrawStyle, mStyleId);
}

void AcDbMPointEle::setPosition(const AcGePoint3d& point) {
    assertWriteEnabled();
    mPosition = point;
}

AcGePoint3d AcDbMPointEle::position() const {
    assertReadEnabled();
    return mPosition;
}

void AcDbMPointEle::setTextHeight(double height) {
    assertWriteEnabled();
    mTextHeight = height;
    setUpStyle();
}

double AcDbMPointEle::textHeight() const {
    assertReadEnabled();
    return mTextHeight;
}

void AcDbMPointEle::setTextAngle(double angle) {
    assertWriteEnabled();
    mTextAngle = angle;
}

double AcDbMPointEle::textAngle() const {
    assertReadEnabled();
    return mTextAngle;
}

Acad::ErrorStatus AcDbMPointEle::setElevations(const AcGeDoubleArray& elevations) {
    if (elevations.length() > kMaxLayers) return Acad::eOutOfRange;
    assertWriteEnabled();
    mElevations.removeAll();
    for (int i = 0; i < elevations.length(); ++i) mElevations.append(elevations[i]);
    return Acad::eOk;
}

void AcDbMPointEle::elevations(AcGeDoubleArray& elevations) const {
    assertReadEnabled();
    elevations.removeAll();
    for (int i = 0; i < mElevations.length(); ++i) elevations.append(mElevations[i]);
}

void RegisterMPointEleClass() {
    if (AcDbMPointEle::gpDesc != nullptr) {
        AcRxClass* found = RegisteredClass();
        if (found == AcDbMPointEle::gpDesc) return;
        if (found != nullptr) acrx_abort(L"Class mismatch");
    }
    AcRxClass* made =
        newAcRxClass(L"AcDbMPointEle", L"AcDbEntity", kDwgVersion, kMaintenanceRelease, kProxyFlags,
                     MakeMPointEle, L"AcDbMPointEle", L"AcDbMPointEle");
    // The runtime hands back a class registered earlier under the name; one
    // that does not build our objects is another module's class.
    if (made != nullptr && made->constructor() != MakeMPointEle) acrx_abort(L"Class mismatch");
    AcDbMPointEle::gpDesc = made;
}

void UnregisterMPointEleClass() {
    AcRxClass* registered = RegisteredClass();
    if (registered != nullptr && registered->constructor() == MakeMPointEle)
        deleteAcRxClass(registered);
    AcDbMPointEle::gpDesc = nullptr;
}
