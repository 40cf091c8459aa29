// Why the last write of site or pane data failed, for the commands' messages.
#pragma once

#include "acadstrc.h"

// The status of the last write through this layer: eOk after a success,
// eXdataSizeExceeded when the entity's extended data would pass its 16 KB
// limit, eInvalidInput when a number to store was not finite (nothing is
// written then), or the failure of opening the entity.
Acad::ErrorStatus LastDataWriteStatus();
