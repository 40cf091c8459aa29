// The Win32 scalar types and handle types used by the Windows services of the
// project. On Windows they come from <windows.h>; elsewhere they are defined
// here with the sizes they have on 64-bit Windows (DWORD and LONG are 32 bits).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef std::int32_t LONG;
typedef std::uint64_t QWORD;
typedef int BOOL;
typedef std::uint64_t ULONGLONG;
typedef std::int64_t LONGLONG;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef wchar_t* LPWSTR;
typedef const wchar_t* LPCWSTR;
typedef struct _SECURITY_ATTRIBUTES SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
#endif
