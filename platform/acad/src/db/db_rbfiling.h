// Result-buffer chains through the binary filer (extended data, kept DXF groups).
#pragma once

#include "dbfiler.h"

// Writes the number of buffers, then each buffer's type code and value.
Acad::ErrorStatus acdbDwgWriteChain(AcDbDwgFiler* filer, const resbuf* chain);
// Reads a chain written by acdbDwgWriteChain; null on a filer error or an empty chain.
resbuf* acdbDwgReadChain(AcDbDwgFiler* filer);
