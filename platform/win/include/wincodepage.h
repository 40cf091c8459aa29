// Windows code pages: the process's ANSI code page and the conversion of
// text in a code page to wide text. On Windows these are the system's own
// GetACP and MultiByteToWideChar; elsewhere the C library's iconv converts.
#pragma once

#include <string>
#include <string_view>

#include "wintypes.h"

#ifndef _WIN32
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008

// The ANSI code page of the process: the number in the environment variable
// KAVREL_ANSI_CODEPAGE when it holds one, else 936 (GBK), the code page of
// the survey files and drawings this suite is used with.
UINT GetACP();

// Converts byteCount bytes (-1: up to and including the terminating zero) of
// the code page (CP_ACP: GetACP()) into wide characters. A byte sequence that
// is not valid in the code page becomes U+FFFD, unless MB_ERR_INVALID_CHARS
// asks for a failure. With wideCount 0 the result is the count needed;
// otherwise the count written, 0 when the buffer is too small or the code
// page is unknown.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount);
#endif

// Text in the code page as wide text. False, with nothing converted, when the
// system does not know the code page; bytes that are not valid in it become
// "?", as Windows substitutes its default character.
bool CodePageToWide(UINT codePage, std::string_view bytes, std::wstring& text);

#ifdef _WIN32
inline bool CodePageToWide(UINT codePage, std::string_view bytes, std::wstring& text) {
    text.clear();
    if (!IsValidCodePage(codePage)) return false;
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    text.resize(static_cast<size_t>(length));
    MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
    return true;
}
#endif
