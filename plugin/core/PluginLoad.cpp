#include "PluginLoad.h"

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "ArxModuleGuard.h"
#include "Commands.h"
#include "rxdlinkr.h"

AcRx::AppRetCode OnPluginLoad(void* appId) {
    acrxDynamicLinker->unlockApplication(appId);
    acrxDynamicLinker->registerAppMDIAware(appId);
    if (ArxJudgeClass::Arx_JudgeisModuleLoaded(kQuarnApplyModule) == 0) return AcRx::kRetOK;
    if (ArxJudgeClass::Arx_JudgeisModuleLoaded(kQuarnBaseModule) == 0) return AcRx::kRetOK;
    RegisterMPointEleClass();
    acrxBuildClassHierarchy();
    RegisterPluginCommands();
    return AcRx::kRetOK;
}

AcRx::AppRetCode OnPluginUnload() {
    if (ArxClassHasInstances(AcDbMPointEle::desc())) return AcRx::kRetError;
    UnregisterMPointEleClass();
    RemovePluginCommands();
    return AcRx::kRetOK;
}
