// Code-page conversion of the Win32 API (the subset the project uses). On
// Windows these are the system's own functions. Elsewhere the conversion runs
// through the C library's iconv; the ANSI code page is 936 (GBK) unless the
// environment variable KAVREL_ANSI_CODEPAGE names another.
#pragma once

#include "wintypes.h"

#ifndef _WIN32

#define CP_ACP 0
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008

// The ANSI code page of the system.
UINT GetACP();

// Converts byteCount bytes (-1: up to and including the terminating zero) of
// the code page into wide characters. A byte sequence that is not valid in the
// code page becomes U+FFFD, unless MB_ERR_INVALID_CHARS asks for a failure.
// With wideCount 0 the result is the count needed; otherwise the count
// written, 0 when the buffer is too small or the code page is unknown.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount);

#endif
