// The dynamic linker (AcRx): loads and unloads modules. A module is a shared
// library (suffix ".arx") that exports
//   extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
//   extern "C" int acrxGetApiVersion();   // the API version it was built for
// The host refuses a module built for another API version.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adscodes.h"
#include "adsdef.h"
#include "rxdefs.h"
#include "rxobject.h"
#include "rxregsvc.h"

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"

// API version of this host: major 19 in the high half, minor 0 in the low half.
#define ACRX_API_VERSION 0x00130000

// Defines the version marker a module exports; put it in one source file of the module.
#define ACRX_DEFINE_API_VERSION()                                               \
    extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { \
        return ACRX_API_VERSION;                                                \
    }

typedef AcRx::AppRetCode (*AcRxEntryPointFn)(AcRx::AppMsgCode msg, void* appId);

class AcRxDynamicLinker : public AcRxObject {
  public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);
    AcRxDynamicLinker();
    ~AcRxDynamicLinker() override;

    // Loads the module and sends it kInitAppMsg. True when it is loaded (also
    // when it already was). A module that cannot be opened, lacks the entry
    // points, was built for another API version or answers kRetError is not
    // kept, and the reason is printed on the command line.
    virtual bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false);
    // Sends kUnloadAppMsg and unloads. Refused for a locked module (modules are
    // locked until they call unlockApplication) and when it answers kRetError.
    virtual bool unloadModule(const ACHAR* fileName, bool asCmd = false);
    // appId is the value the module received with kInitAppMsg.
    virtual bool unlockApplication(void* appId) const;
    virtual bool lockApplication(void* appId) const;
    virtual bool isApplicationLocked(const ACHAR* modulename) const;
    virtual bool registerAppMDIAware(void* appId) const;
    virtual bool registerAppNotMDIAware(void* appId) const;
    // The address of an exported symbol of a loaded module (by file name), or null.
    virtual void* getSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol) const;

    // Stand-in additions for the host program and tests.
    // Names of the loaded modules as the host reports them: upper-case file
    // names without folder ("QUARNARXBASE.ARX"), in load order.
    std::vector<std::wstring> loadedModuleNames() const;
    bool isModuleLoaded(const ACHAR* name) const;
    bool isMDIAware(const ACHAR* name) const;
    // Unloads every module in reverse load order, locked or not (the host's exit).
    void unloadAll();

  private:
    struct Module;
    std::vector<std::unique_ptr<Module>> mModules;
    Module* find(const ACHAR* name) const;
    Module* findByAppId(void* appId) const;
    void release(Module& module);
};

AcRxDynamicLinker* acrxDynamicLinkerPtr();
#define acrxDynamicLinker acrxDynamicLinkerPtr()

// The names of the loaded modules (RTSTR buffers, free with acutRelRb), null when none.
struct resbuf* acedArxLoaded();
// Loads a module: RTNORM, or RTERROR when it could not be loaded.
int acedArxLoad(const ACHAR* app);
int acedArxUnload(const ACHAR* app);
