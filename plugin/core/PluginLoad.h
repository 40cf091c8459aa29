// What the plug-in does when the host loads and unloads it.
#pragma once

#include "rxdefs.h"

// kInitAppMsg: unlock, MDI aware; then, when both helper modules are loaded,
// the entity class, the class hierarchy and the commands.
AcRx::AppRetCode OnPluginLoad(void* appId);
// kUnloadAppMsg: the class and the command group go. Refused (kRetError) while
// an open drawing still holds elevation points, whose code would go with us.
AcRx::AppRetCode OnPluginUnload();
