#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "rx_builtin.h"
#include "rxdict.h"
#include "wcrt.h"

namespace {

// The runtime's registries. Plain members, so that building them calls no desc() and
// registering the built-in classes cannot recurse into their construction.
struct Runtime {
    AcRxDictionary sysRegistry;
    AcRxDictionary classDictionary;
    std::vector<std::unique_ptr<AcRxClass>> classes;
    bool classDictionaryListed = false;
};

Runtime& runtime() {
    static Runtime r;
    return r;
}

AcRxClass* makeClass(const ACHAR* name, const ACHAR* parentName, AcRxClass* parent, int dwgVersion,
                     int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor constructor,
                     const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr change,
                     bool builtIn) {
    Runtime& r = runtime();
    auto cls =
        std::make_unique<AcRxClass>(name, parentName, parent, dwgVersion, maintenanceVersion,
                                    proxyFlags, constructor, dxfName, appName, change, builtIn);
    AcRxClass* raw = cls.get();
    r.classes.push_back(std::move(cls));
    r.classDictionary.atPut(name, raw);
    return raw;
}

}  // namespace

AcRxClass::AcRxClass(const ACHAR* name, const ACHAR* parentName, AcRxClass* parent, int dwgVersion,
                     int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor constructor,
                     const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr appNameChange,
                     bool builtIn)
    : mName(name != nullptr ? name : L""),
      mParentName(parentName != nullptr ? parentName : L""),
      mParent(parent),
      mDwgVersion(dwgVersion),
      mMaintenanceVersion(maintenanceVersion),
      mProxyFlags(proxyFlags),
      mConstructor(constructor),
      mDxfName(dxfName != nullptr ? dxfName : L""),
      mAppName(appName != nullptr ? appName : L""),
      mAppNameChange(appNameChange),
      mBuiltIn(builtIn) {}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c != nullptr; c = c->mParent)
        if (c == other) return true;
    return false;
}

AcRxClass* acrxBuiltinClass(const ACHAR* name, AcRxClass* parent, AcRxPseudoConstructor constructor,
                            const ACHAR* dxfName) {
    return makeClass(name, parent != nullptr ? parent->name() : L"", parent, 0, 0, 0, constructor,
                     dxfName, L"", nullptr, true);
}

ACRX_BUILTIN_DESC(AcRxObject, nullptr, nullptr, L"")
ACRX_BUILTIN_MEMBERS(AcRxClass, AcRxObject, nullptr, L"")
ACRX_BUILTIN_MEMBERS(AcRxDictionary, AcRxObject, ACRX_CONSTRUCTOR(AcRxDictionary), L"")

bool AcRxObject::isKindOf(const AcRxClass* aClass) const {
    const AcRxClass* mine = isA();
    return mine != nullptr && mine->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::clone() const { return nullptr; }

Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*) { return Acad::eNotApplicable; }

AcRx::Ordering AcRxObject::comparedTo(const AcRxObject*) const { return AcRx::kNotOrderable; }

AcRxDictionary* acrxClassDictionaryPtr() {
    Runtime& r = runtime();
    if (!r.classDictionaryListed) {
        r.classDictionaryListed = true;
        r.sysRegistry.atPut(ACRX_CLASS_DICTIONARY, &r.classDictionary);
        acrxRegisterStandInClasses();
    }
    return &r.classDictionary;
}

AcRxDictionary* acrxSysRegistry() {
    acrxClassDictionaryPtr();
    return &runtime().sysRegistry;
}

AcRxClass* acrxFindClass(const ACHAR* className) {
    if (className == nullptr) return nullptr;
    return AcRxClass::cast(acrxClassDictionaryPtr()->at(className));
}

AcRxClass* acrxFindClassByDxfName(const ACHAR* dxfName) {
    if (dxfName == nullptr || *dxfName == 0) return nullptr;
    std::unique_ptr<AcRxDictionaryIterator> it(acrxClassDictionaryPtr()->newIterator());
    for (; !it->done(); it->next()) {
        AcRxClass* cls = AcRxClass::cast(it->object());
        if (cls != nullptr && _wcsicmp(cls->dxfName(), dxfName) == 0) return cls;
    }
    return nullptr;
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName) {
    return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName,
                        appName, nullptr);
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName, AppNameChangeFuncPtr appNameChange) {
    if (className == nullptr || *className == 0) return nullptr;
    if (AcRxClass* existing = acrxFindClass(className)) return existing;
    return makeClass(className, parentClassName, acrxFindClass(parentClassName), dwgVersion,
                     maintenanceVersion, proxyFlags, pseudoConstructor, dxfName, appName,
                     appNameChange, false);
}

void deleteAcRxClass(AcRxClass* classObj) {
    if (classObj == nullptr || classObj->isBuiltIn()) return;
    Runtime& r = runtime();
    if (r.classDictionary.at(classObj->name()) == classObj)
        r.classDictionary.remove(classObj->name());
    // Classes derived from it lose their parent until it is registered again.
    for (auto& cls : r.classes)
        if (cls->myParent() == classObj) cls->setParent(nullptr);
    std::erase_if(r.classes,
                  [classObj](const std::unique_ptr<AcRxClass>& c) { return c.get() == classObj; });
}

void acrxBuildClassHierarchy() {
    for (auto& cls : runtime().classes)
        if (cls->myParent() == nullptr && *cls->parentName() != 0)
            cls->setParent(acrxFindClass(cls->parentName()));
}

void acrx_abort(const ACHAR* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring message = wcrtVFormat(format, args);
    va_end(args);
    std::fprintf(stderr, "acrx_abort: %s\n", wcrtToUtf8(message).c_str());
    std::fflush(stderr);
    std::abort();
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
    if (key == nullptr) return nullptr;
    auto it = mEntries.find(key);
    return it != mEntries.end() ? it->second : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* obj) {
    if (key == nullptr) return nullptr;
    AcRxObject*& slot = mEntries[key];
    AcRxObject* previous = slot;
    slot = obj;
    return previous;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key) {
    if (key == nullptr) return nullptr;
    auto it = mEntries.find(key);
    if (it == mEntries.end()) return nullptr;
    AcRxObject* obj = it->second;
    mEntries.erase(it);
    return obj;
}

AcRxDictionaryIterator* AcRxDictionary::newIterator() const {
    return new AcRxDictionaryIterator(*this);
}
