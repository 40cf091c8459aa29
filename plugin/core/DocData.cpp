#include "DocData.h"

AsdkDataManager<CDocData> DocVars;
