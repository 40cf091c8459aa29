// The stored members of AcDbPtEleDim as one table: each row binds a DXF group
// code to a member. The same rows, in the same order, drive the DXF form and
// the binary filer, so that the two cannot drift apart.
#pragma once

#include <variant>
#include <vector>

#include "AcDbPtEleDim.h"

struct PtEleDimField {
    short code;
    std::variant<AcGePoint3d AcDbPtEleDim::Data::*, std::wstring AcDbPtEleDim::Data::*,
                 int AcDbPtEleDim::Data::*, double AcDbPtEleDim::Data::*>
        member;
    bool angle = false;  // radians in memory, degrees in the DXF file
};

const std::vector<PtEleDimField>& PtEleDimFields();

// Version of the binary record, written first.
constexpr Adesk::Int16 kPtEleDimVersion = 1;
