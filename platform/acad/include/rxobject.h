// Runtime classes (AcRx): every host object knows its class, classes know their
// parent, and cast()/isKindOf() follow the parent chain.
#pragma once

#include <string>

#include "acadstrc.h"
#include "adesk.h"
#include "rxdefs.h"

class AcRxClass;
class AcRxObject;

typedef AcRxObject* (*AcRxPseudoConstructor)();
typedef void (*AppNameChangeFuncPtr)(const AcRxClass* classObj, ACHAR*& newAppName, int saveVer);

// Declares the runtime-class members of a class derived from AcRxObject.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                             \
  public:                                                                            \
    AcRxClass* isA() const override;                                                 \
    static AcRxClass* gpDesc;                                                        \
    static AcRxClass* desc();                                                        \
    static CLASS_NAME* cast(const AcRxObject* inPtr) {                               \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))            \
                   ? nullptr                                                         \
                   : const_cast<CLASS_NAME*>(static_cast<const CLASS_NAME*>(inPtr)); \
    }                                                                                \
    static void rxInit();                                                            \
    static void rxUninit()

// Defines the members for a class registered by its module with a DXF name: rxInit()
// registers it with newAcRxClass, rxUninit() removes it; desc() is the registered class
// (looked up by name when rxInit has not run in this module).
#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION,    \
                                PROXY_FLAGS, DXF_NAME, APP)                                    \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                   \
    AcRxClass* CLASS_NAME::desc() {                                                            \
        if (gpDesc == nullptr) gpDesc = acrxFindClass(L## #CLASS_NAME);                        \
        return gpDesc;                                                                         \
    }                                                                                          \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                          \
    void CLASS_NAME::rxInit() {                                                                \
        gpDesc = newAcRxClass(                                                                 \
            L## #CLASS_NAME, L## #PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS, \
            []() -> AcRxObject* { return new CLASS_NAME(); }, L## #DXF_NAME, L## #APP);        \
    }                                                                                          \
    void CLASS_NAME::rxUninit() {                                                              \
        if (gpDesc != nullptr) deleteAcRxClass(gpDesc);                                        \
        gpDesc = nullptr;                                                                      \
    }

// As above, for a class without pseudo-constructor and DXF name.
#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                                \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                 \
    AcRxClass* CLASS_NAME::desc() {                                                          \
        if (gpDesc == nullptr) gpDesc = acrxFindClass(L## #CLASS_NAME);                      \
        return gpDesc;                                                                       \
    }                                                                                        \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                        \
    void CLASS_NAME::rxInit() { gpDesc = newAcRxClass(L## #CLASS_NAME, L## #PARENT_CLASS); } \
    void CLASS_NAME::rxUninit() {                                                            \
        if (gpDesc != nullptr) deleteAcRxClass(gpDesc);                                      \
        gpDesc = nullptr;                                                                    \
    }

// Allocation through the host's heap; here the ordinary heap.
class AcHeapOperators {};

class AcRxObject : public AcHeapOperators {
  public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* aClass) const;

    // A new object of the same class with the same contents; null when the class
    // cannot be copied.
    virtual AcRxObject* clone() const;
    virtual Acad::ErrorStatus copyFrom(const AcRxObject* other);
    virtual bool isEqualTo(const AcRxObject* other) const { return other == this; }
    virtual AcRx::Ordering comparedTo(const AcRxObject* other) const;

  protected:
    AcRxObject() = default;
    AcRxObject(const AcRxObject&) = default;
    AcRxObject& operator=(const AcRxObject&) = default;
};

// Describes one runtime class. Made by newAcRxClass (or built in), owned by the runtime,
// listed in the class dictionary by name.
class AcRxClass : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcRxClass* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    const ACHAR* name() const { return mName.c_str(); }
    const ACHAR* dxfName() const { return mDxfName.c_str(); }
    const ACHAR* appName() const { return mAppName.c_str(); }
    const ACHAR* parentName() const { return mParentName.c_str(); }
    AcRxClass* myParent() const { return mParent; }
    bool isDerivedFrom(const AcRxClass* other) const;
    // A new instance through the pseudo-constructor; null when the class has none.
    AcRxObject* create() const { return mConstructor != nullptr ? mConstructor() : nullptr; }
    AcRxPseudoConstructor constructor() const { return mConstructor; }
    int proxyFlags() const { return mProxyFlags; }
    Acad::ErrorStatus getClassVersion(int& dwgVersion, int& maintenanceVersion) const {
        dwgVersion = mDwgVersion;
        maintenanceVersion = mMaintenanceVersion;
        return Acad::eOk;
    }
    AppNameChangeFuncPtr appNameCallbackPtr() const { return mAppNameChange; }
    // True for the classes the runtime itself provides (never deleted).
    bool isBuiltIn() const { return mBuiltIn; }

    // Stand-in internals, used by newAcRxClass and the built-in class table.
    AcRxClass(const ACHAR* name, const ACHAR* parentName, AcRxClass* parent, int dwgVersion,
              int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor constructor,
              const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr appNameChange,
              bool builtIn);
    void setParent(AcRxClass* parent) { mParent = parent; }

  private:
    std::wstring mName;
    std::wstring mParentName;
    AcRxClass* mParent = nullptr;
    int mDwgVersion = 0;
    int mMaintenanceVersion = 0;
    int mProxyFlags = 0;
    AcRxPseudoConstructor mConstructor = nullptr;
    std::wstring mDxfName;
    std::wstring mAppName;
    AppNameChangeFuncPtr mAppNameChange = nullptr;
    bool mBuiltIn = false;
};

// Registers a class under its name in the class dictionary and returns it. A parent not
// yet registered is linked by acrxBuildClassHierarchy. When the name is already taken the
// registered class is returned unchanged.
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName = nullptr,
                        const ACHAR* appName = nullptr,
                        AppNameChangeFuncPtr appNameChange = nullptr);
// Removes a class made by newAcRxClass from the dictionary and frees it; built-in
// classes stay.
void deleteAcRxClass(AcRxClass* classObj);
// Links every registered class to its parent by the parent's name.
void acrxBuildClassHierarchy();
// The registered class of that name, or null.
AcRxClass* acrxFindClass(const ACHAR* className);
// The registered class with that DXF name (compared without regard to case), or null.
AcRxClass* acrxFindClassByDxfName(const ACHAR* dxfName);
// Prints the message and terminates the process, as the host does on a fatal error.
[[noreturn]] void acrx_abort(const ACHAR* format, ...);
