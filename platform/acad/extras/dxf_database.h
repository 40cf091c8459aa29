// Whole drawings to and from DXF text (ASCII, release AC1027, UTF-8), and the
// last error of AcDbDatabase::dxfIn / dxfOut for the host program. The file
// rules are described in docs/dxf.md.
#pragma once

#include <string>
#include <string_view>

#include "dbmain.h"
#include "dxf_error.h"

// Reads a drawing into `database`, which must be empty (built without the
// default drawing). On failure the database is left half filled: callers read
// into a fresh database and keep it only on success, as dxfIn does.
Acad::ErrorStatus dxfReadDatabase(std::string_view bytes, AcDbDatabase& database, DxfError& error);

// Writes the drawing as DXF text. Parts of a complete file the database lacks
// (standard tables, block markers) are added to it first, so that they keep
// their handles from one save to the next.
Acad::ErrorStatus dxfWriteDatabase(AcDbDatabase& database, std::string& text, DxfError& error);

// The error of the last dxfIn or dxfOut of this thread (fault None after a
// success). The message is UTF-8 and names the line for faults in a file.
const DxfError& dxfLastError();
// The same message as a wide string, for the host's command line.
std::wstring dxfLastErrorMessage();
// The error status reported for a fault.
Acad::ErrorStatus dxfErrorStatus(DxfFault fault);
