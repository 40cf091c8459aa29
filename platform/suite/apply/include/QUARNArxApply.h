// The extended-data helpers of the suite's module QUARNArxApply.arx.
#pragma once

#include "ArxDbgAppXdataX.h"
#include "ArxDbgRbList.h"
