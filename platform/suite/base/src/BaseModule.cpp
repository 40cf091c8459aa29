// Entry points of QUARNArxBase.arx.
#include "AcDbPtEleDim.h"
#include "ArxModuleGuard.h"
#include "rxdlinkr.h"

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(
    AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg:
            acrxDynamicLinker->unlockApplication(appId);
            acrxDynamicLinker->registerAppMDIAware(appId);
            AcDbPtEleDim::rxInit();
            acrxBuildClassHierarchy();
            break;
        case AcRx::kUnloadAppMsg:
            // Dimensions still in a drawing would outlive the code that draws them.
            if (ArxClassHasInstances(AcDbPtEleDim::desc())) return AcRx::kRetError;
            AcDbPtEleDim::rxUninit();
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}

ACRX_DEFINE_API_VERSION()
