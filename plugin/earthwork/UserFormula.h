// User formulas are stored as "[+V=" formula "]" "[-V=" formula "]", either
// part first.
#pragma once

#include <string>

// Splits a user formula setting into its +V and -V parts. Texts without a
// closing "]" give two empty parts. A setting that holds only a "[-V=...]"
// part gives an empty +V part.
void SplitUserFormula(const std::wstring& text, std::wstring& plusPart, std::wstring& minusPart);
