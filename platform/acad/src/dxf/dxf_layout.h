// The layout of the DXF files this system writes and reads: the symbol tables in
// file order with the database's table for each, and the default contents of the
// parts the database does not model. Shared by the reader and the writer.
#pragma once

#include <span>
#include <string>

#include "dbsymtb.h"
#include "dxf_proxy.h"

// Header variables the database holds itself; every other variable is carried.
inline constexpr const char* kDxfAcadVer = "$ACADVER";
inline constexpr const char* kDxfRelease = "AC1027";

// Pseudo-subclasses under which groups without a home of their own are kept as
// unknown items: on the block table the header variables and the CLASSES
// entries of classes not registered; on any object its 102 application groups.
inline constexpr const ACHAR* kDxfKeptHeader = L"$HEADER";
inline constexpr const ACHAR* kDxfKeptClasses = L"$CLASSES";
inline constexpr const ACHAR* kDxfKeptAppData = L"$102";

// Ownership chains longer than this are refused: real drawings nest a few
// levels (model space, entity, extension dictionary, record), and the bound
// stops a crafted chain before it costs time.
inline constexpr int kDxfMaxOwnershipDepth = 64;

struct DxfTableKind {
    const char* name;  // the table's name and the type of its records
    // The database's table of this kind, null for tables carried as raw records.
    AcDbObjectId (AcDbDatabase::*tableId)() const;
    AcDbSymbolTable* (*newTable)();
    AcDbSymbolTableRecord* (*newRecord)();
};

// The tables in the order of the file.
std::span<const DxfTableKind> dxfTableKinds();
const DxfTableKind* dxfFindTableKind(std::string_view name);

// Default raw records of a drawing that never was a file: the head of a carried
// table and its standard records, and the begin and end markers of a block.
// Handle (5) and owner (330) groups are placeholders the writer fills in.
std::vector<DxfRawRecord> dxfDefaultTableRecords(std::string_view tableName);
DxfRawRecord dxfDefaultTableHead(std::string_view tableName);
DxfRawRecord dxfDefaultBlockBegin(const std::string& blockName, bool paperSpace);
DxfRawRecord dxfDefaultBlockEnd(bool paperSpace);
