// Entry points of QUARNArxApply.arx.
#include "rxdlinkr.h"

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(
    AcRx::AppMsgCode msg, void* appId) {
    if (msg == AcRx::kInitAppMsg) {
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
    }
    return AcRx::kRetOK;
}

ACRX_DEFINE_API_VERSION()
