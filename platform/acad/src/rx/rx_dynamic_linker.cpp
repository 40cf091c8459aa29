// The dynamic linker: modules are shared libraries opened with dlopen.
#include <dlfcn.h>

#include <algorithm>
#include <cwctype>
#include <exception>

#include "aced.h"
#include "acutads.h"
#include "ed_services.h"
#include "rxdlinkr.h"
#include "wcrt.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

struct AcRxDynamicLinker::Module {
    std::wstring name;  // upper-case file name
    std::wstring path;
    void* handle = nullptr;
    AcRxEntryPointFn entry = nullptr;
    mutable bool locked = true;  // the host's default until the module unlocks itself
    mutable bool mdiAware = false;
};

namespace {

typedef int (*ApiVersionFn)();

// "dir/QuarnArxBase.arx" -> "QUARNARXBASE.ARX".
std::wstring moduleName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"/\\");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return name;
}

// Sends a message; a module that throws has failed it.
AcRx::AppRetCode send(AcRxEntryPointFn entry, AcRx::AppMsgCode msg, void* appId) {
    try {
        return entry(msg, appId);
    } catch (...) {
        return AcRx::kRetError;
    }
}

// Base address of the module a function lives in (null when unknown).
void* baseOf(void* address) {
    Dl_info info{};
    return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}

std::wstring dlMessage() {
    const char* e = dlerror();
    return e != nullptr ? wcrtFromUtf8(e) : std::wstring(L"unknown error");
}

// Opens a module and checks its entry points and API version; prints why not.
void* openChecked(const std::wstring& path, const std::wstring& name, AcRxEntryPointFn& entry) {
    void* handle = dlopen(wcrtToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        acutPrintf(L"\nUnable to load %s: %s", name.c_str(), dlMessage().c_str());
        return nullptr;
    }
    auto version = reinterpret_cast<ApiVersionFn>(dlsym(handle, "acrxGetApiVersion"));
    entry = reinterpret_cast<AcRxEntryPointFn>(dlsym(handle, "acrxEntryPoint"));
    if (version == nullptr || entry == nullptr) {
        acutPrintf(L"\nUnable to load %s: it is not a module of this host (no %s).", name.c_str(),
                   version == nullptr ? L"acrxGetApiVersion" : L"acrxEntryPoint");
    } else if (version() != ACRX_API_VERSION) {
        const int v = version();
        acutPrintf(L"\nUnable to load %s: it was built for API version %d.%d, this host has %d.%d.",
                   name.c_str(), v >> 16, v & 0xFFFF, ACRX_API_VERSION >> 16,
                   ACRX_API_VERSION & 0xFFFF);
    } else {
        return handle;
    }
    dlclose(handle);
    return nullptr;
}

}  // namespace

AcRxDynamicLinker::AcRxDynamicLinker() = default;
AcRxDynamicLinker::~AcRxDynamicLinker() = default;

AcRxDynamicLinker::Module* AcRxDynamicLinker::find(const ACHAR* name) const {
    if (name == nullptr) return nullptr;
    const std::wstring wanted = moduleName(name);
    for (const auto& m : mModules)
        if (m->name == wanted) return m.get();
    return nullptr;
}

AcRxDynamicLinker::Module* AcRxDynamicLinker::findByAppId(void* appId) const {
    for (const auto& m : mModules)
        if (m->handle == appId && appId != nullptr) return m.get();
    return nullptr;
}

bool AcRxDynamicLinker::loadModule(const ACHAR* fileName, bool printit, bool /*asCmd*/) {
    if (fileName == nullptr || *fileName == 0) return false;
    const std::wstring name = moduleName(fileName);
    if (find(fileName) != nullptr) return true;
    auto module = std::make_unique<Module>();
    module->name = name;
    module->path = fileName;
    module->handle = openChecked(fileName, name, module->entry);
    if (module->handle == nullptr) return false;
    Module& m = *module;
    mModules.push_back(std::move(module));
    if (send(m.entry, AcRx::kInitAppMsg, m.handle) != AcRx::kRetOK) {
        acutPrintf(L"\nUnable to load %s: its initialization failed.", name.c_str());
        release(m);
        return false;
    }
    if (printit) acutPrintf(L"\n%s loaded.", name.c_str());
    return true;
}

// Drops what a module left registered, closes it and forgets it.
void AcRxDynamicLinker::release(Module& module) {
    void* base = baseOf(reinterpret_cast<void*>(module.entry));
    // Commands whose code goes away with the module would crash when typed.
    if (base != nullptr)
        acedRegCmds->removeCommandsIf([&](const AcEdCommand& c) {
            return baseOf(reinterpret_cast<void*>(c.functionAddr())) == base;
        });
    dlclose(module.handle);
    std::erase_if(mModules, [&](const auto& m) { return m.get() == &module; });
}

bool AcRxDynamicLinker::unloadModule(const ACHAR* fileName, bool /*asCmd*/) {
    Module* m = find(fileName);
    if (m == nullptr) return false;
    if (m->locked) {
        acutPrintf(L"\nUnable to unload %s: it is locked.", m->name.c_str());
        return false;
    }
    if (send(m->entry, AcRx::kUnloadAppMsg, m->handle) != AcRx::kRetOK) {
        acutPrintf(L"\nUnable to unload %s: it refused.", m->name.c_str());
        return false;
    }
    release(*m);
    return true;
}

void AcRxDynamicLinker::unloadAll() {
    while (!mModules.empty()) {
        Module& m = *mModules.back();
        send(m.entry, AcRx::kUnloadAppMsg, m.handle);
        release(m);
    }
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
    Module* m = findByAppId(appId);
    if (m != nullptr) m->locked = false;
    return m != nullptr;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
    Module* m = findByAppId(appId);
    if (m != nullptr) m->locked = true;
    return m != nullptr;
}

bool AcRxDynamicLinker::isApplicationLocked(const ACHAR* modulename) const {
    Module* m = find(modulename);
    return m != nullptr && m->locked;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    Module* m = findByAppId(appId);
    if (m != nullptr) m->mdiAware = true;
    return m != nullptr;
}

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    Module* m = findByAppId(appId);
    if (m != nullptr) m->mdiAware = false;
    return m != nullptr;
}

void* AcRxDynamicLinker::getSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol) const {
    Module* m = find(serviceName);
    if (m == nullptr || symbol == nullptr) return nullptr;
    return dlsym(m->handle, wcrtToUtf8(symbol).c_str());
}

std::vector<std::wstring> AcRxDynamicLinker::loadedModuleNames() const {
    std::vector<std::wstring> names;
    for (const auto& m : mModules) names.push_back(m->name);
    return names;
}

bool AcRxDynamicLinker::isModuleLoaded(const ACHAR* name) const { return find(name) != nullptr; }

bool AcRxDynamicLinker::isMDIAware(const ACHAR* name) const {
    Module* m = find(name);
    return m != nullptr && m->mdiAware;
}

AcRxDynamicLinker* acrxDynamicLinkerPtr() {
    acrxHostRegisterServices();
    return AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
}

resbuf* acedArxLoaded() {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const std::wstring& name : acrxDynamicLinker->loadedModuleNames()) {
        *tail = acutNewRb(RTSTR);
        acutNewString(name.c_str(), (*tail)->resval.rstring);
        tail = &(*tail)->rbnext;
    }
    return head;
}

int acedArxLoad(const ACHAR* app) {
    return acrxDynamicLinker->loadModule(app, false) ? RTNORM : RTERROR;
}

int acedArxUnload(const ACHAR* app) {
    return acrxDynamicLinker->unloadModule(app) ? RTNORM : RTERROR;
}
