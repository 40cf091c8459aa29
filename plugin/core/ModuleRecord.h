// The plug-in's module record: whether the module is attached, the resource
// handle that was current when it attached, and its own handle, from which
// every dialog of the plug-in is loaded.
#pragma once

#include "acadwin.h"

struct ModuleRecord {
    bool attached = false;
    HINSTANCE defaultResourceInstance = nullptr;
    HINSTANCE moduleResourceInstance = nullptr;
};

ModuleRecord& PluginModule();

// The library's attach and detach notifications (run when the module is
// mapped into the host and when it leaves).
void AttachPluginModule(HINSTANCE moduleHandle);
void DetachPluginModule();

// Makes the plug-in's resources current while it lives: every dialog of the
// plug-in is constructed and destroyed inside one.
class PluginResourceScope {
  public:
    PluginResourceScope();
    ~PluginResourceScope();
    PluginResourceScope(const PluginResourceScope&) = delete;
    PluginResourceScope& operator=(const PluginResourceScope&) = delete;
};
