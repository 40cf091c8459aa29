// Faults found while reading or writing a DXF file. Every fault carries the
// line it was found at (0 when it concerns no line) and a message naming it.
#pragma once

#include <string>

enum class DxfFault {
    None,
    Io,              // file cannot be read or written
    TooLarge,        // file or line beyond the reader's bounds
    Truncated,       // the file ends inside a group or before "EOF"
    BadCode,         // the group code line is not a number
    UnknownCode,     // a number that is no group code of the format
    BadValue,        // the value does not parse as the code's type
    BadStructure,    // sections, tables or objects out of order or incomplete
    DanglingHandle,  // a handle that points to no object of the file
    DuplicateHandle,
    BadOwnership,  // ownership deeper than allowed or cyclic
    BadData,       // an object refused its own data
};

struct DxfError {
    DxfFault fault = DxfFault::None;
    int line = 0;
    std::string message;  // UTF-8, starts with "line N: " when a line is known
};
