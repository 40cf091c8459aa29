#include "ModuleRecord.h"

#include <dlfcn.h>

#include "acdocman.h"

ModuleRecord& PluginModule() {
    static ModuleRecord record;
    return record;
}

void AttachPluginModule(HINSTANCE moduleHandle) {
    ModuleRecord& record = PluginModule();
    if (record.attached) return;
    record.attached = true;
    record.defaultResourceInstance = acDocManager->currentResourceHandle();
    record.moduleResourceInstance = moduleHandle;
}

PluginResourceScope::PluginResourceScope() {
    acDocManager->pushResourceHandle(PluginModule().moduleResourceInstance);
}

PluginResourceScope::~PluginResourceScope() { acDocManager->popResourceHandle(); }

void DetachPluginModule() {
    ModuleRecord& record = PluginModule();
    if (record.attached) record.attached = false;
}

namespace {

// The module's handle: the address the library was mapped at.
HINSTANCE OwnModuleHandle() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&PluginModule), &info) == 0) return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

// Stands for the library's process attach and detach notifications.
struct ModuleLifetime {
    ModuleLifetime() { AttachPluginModule(OwnModuleHandle()); }
    ~ModuleLifetime() { DetachPluginModule(); }
};

const ModuleLifetime gModuleLifetime;

}  // namespace
