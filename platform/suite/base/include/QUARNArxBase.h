// The drafting helpers of the suite's base module QUARNArxBase.arx.
#pragma once

#include "AcDbPtEleDim.h"
#include "ArxEntity.h"
#include "ArxGeometry.h"
#include "ArxLayer.h"
#include "ArxSettings.h"
#include "ArxText.h"
