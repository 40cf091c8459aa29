// DXF group codes: the value type each code carries and the parsing of value
// texts. Pure functions on strings; no database involved.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the value line of a group holds, decided by the group code alone.
enum class DxfValueType {
    Unknown,  // not a code of the DXF format: a file using it is malformed
    String,
    Double,
    Int16,
    Int32,
    Int64,
    Bool,
    Handle,  // hexadecimal object handle, "0" for none
    Binary,  // hexadecimal bytes
};

// A comment line: legal anywhere in a file, skipped by readers.
inline constexpr int kDxfCommentCode = 999;

// The value type of a group code, by code range as the DXF reference defines.
DxfValueType dxfValueType(int code);

// True when `text` (blanks at both ends ignored) is a value of `type`;
// strings and binary chunks are checked for their hexadecimal form only.
bool dxfValueIsValid(DxfValueType type, std::string_view text);

// Parsers of value texts. Each ignores blanks at both ends, requires the whole
// text to be the number and returns false otherwise (value left unchanged).
bool dxfParseDouble(std::string_view text, double& value);
bool dxfParseInteger(std::string_view text, int64_t minValue, int64_t maxValue, int64_t& value);
bool dxfParseHandle(std::string_view text, uint64_t& value);
// The highest handle a file may name; higher ones do not parse.
inline constexpr uint64_t kDxfMaxHandle = 0x7FFFFFFFFFFFFFFF;
// The highest handle a file may give one of its objects (or its seed): new
// objects take handles upwards from there, and about four billion of them
// must still fit below kDxfMaxHandle.
inline constexpr uint64_t kDxfMaxObjectHandle = kDxfMaxHandle - (uint64_t{1} << 32);

// Texts of values as this system writes them: doubles in the shortest form
// that reads back to the same bits, handles in upper-case hexadecimal.
std::string dxfFormatDouble(double value);
std::string dxfFormatHandle(uint64_t value);

// Blanks (spaces, tabs) removed at both ends.
std::string_view dxfTrim(std::string_view text);

// String values travel one per line, so control characters are written in the
// format's caret form ("^J" for a line feed, "^I" for a tab); a caret that
// would read as such a form is written "^ ". Unescaping reverses this for every
// string without NUL characters (strings of the host end at a NUL), and also
// decodes the "\U+XXXX" escapes (UTF-16 units in hexadecimal, a pair for
// characters beyond U+FFFF) by which programs write characters their code
// page lacks; the writer writes UTF-8 and needs none.
std::string dxfEscapeString(std::string_view text);
// The same appended to out.
void dxfAppendEscaped(std::string& out, std::string_view text);
std::string dxfUnescapeString(std::string_view text);
// False when dxfUnescapeString would give the text as it stands.
bool dxfHasEscapes(std::string_view text);
