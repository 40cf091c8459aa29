// Drawings of releases before AC1021 (2007) hold their texts in the code
// page their header names ($DWGCODEPAGE); later ones in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dxf_error.h"

// The Windows code page of a $DWGCODEPAGE name ("ANSI_936", "DOS850",
// "ISO8859-1", "BIG5", ...; case ignored); nothing for a name it is not.
std::optional<unsigned> dxfCodePageOfName(std::string_view name);

// The file's text in UTF-8. A file before AC1021 is converted from its code
// page, or from the process's ANSI code page when the header names none; a
// later file, one with a UTF-8 byte-order mark or one without $ACADVER is
// UTF-8 already and `utf8` is left empty. False, with the error naming the
// line, when the code page is not known.
bool dxfTextAsUtf8(std::string_view bytes, std::string& utf8, DxfError& error);
