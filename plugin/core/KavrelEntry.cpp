// Entry points of Kavrel.arx.
#include "PluginLoad.h"
#include "rxdlinkr.h"

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(
    AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg:
            return OnPluginLoad(appId);
        case AcRx::kUnloadAppMsg:
            return OnPluginUnload();
        default:
            return AcRx::kRetOK;
    }
}

ACRX_DEFINE_API_VERSION()
