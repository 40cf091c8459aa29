// Puts the host's services into the system registry on first use, so that
// modules find them there by name, as in the host.
#include "ed_services.h"

#include "acdocman.h"
#include "aced.h"
#include "ed_state.h"
#include "rxdlinkr.h"

void acrxHostRegisterServices() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    AcEdCommandStack::rxInit();
    AcRxDynamicLinker::rxInit();
    AcApDocument::rxInit();
    AcApDocManagerReactor::rxInit();
    AcApDocManager::rxInit();
    // They live as long as the process; the registry only refers to them.
    static AcEdCommandStack commands;
    static AcRxDynamicLinker linker;
    static AcApDocManager documents;
    acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, &commands);
    acrxSysRegistry()->atPut(ACRX_DYNAMIC_LINKER, &linker);
    acrxSysRegistry()->atPut(L"AcApDocManager", &documents);
}

void acedHostReset() {
    AcEdState& s = acedState();
    AcEdState fresh;
    fresh.builtins = std::move(s.builtins);
    fresh.terminalEcho = s.terminalEcho;
    fresh.frame = s.frame;
    s = std::move(fresh);
    gAcedInterrupt = 0;
    acedResetSysVars();
}
