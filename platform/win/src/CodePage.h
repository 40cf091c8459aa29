// Conversion between wide text and the ANSI code page 936 (GBK) of the
// installer's texts, through the C library's iconv (other code pages:
// wincodepage.h, through the same converter).
#pragma once

#ifndef _WIN32

#include <string>

namespace winreg {

// Bytes that are not valid GBK become "?", one per byte, as Windows
// substitutes its default character.
std::wstring AnsiToWide(const std::string& text);
// Characters GBK cannot hold become "?".
std::string WideToAnsi(const std::wstring& text);

}  // namespace winreg

#endif
