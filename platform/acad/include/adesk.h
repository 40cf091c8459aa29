// Basic integer and boolean types of the host SDK.
#pragma once

#include <cstdint>

#ifndef ACHAR
typedef wchar_t ACHAR;
#define ACHAR ACHAR
#endif

#ifndef ACRX_T
#define ACRX_T(x) L##x
#endif
#ifndef _T
#define _T(x) L##x
#endif

struct Adesk {
    typedef std::int8_t Int8;
    typedef std::int16_t Int16;
    typedef std::int32_t Int32;
    typedef std::int64_t Int64;
    typedef std::uint8_t UInt8;
    typedef std::uint16_t UInt16;
    typedef std::uint32_t UInt32;
    typedef std::uint64_t UInt64;
    typedef std::intptr_t IntPtr;
    typedef std::uintptr_t UIntPtr;
    typedef std::intptr_t LongPtr;
    typedef std::uintptr_t ULongPtr;
    typedef std::int64_t IntDbId;
    typedef std::intptr_t GsMarker;
    typedef bool Boolean;
    static constexpr bool kFalse = false;
    static constexpr bool kTrue = true;
};
