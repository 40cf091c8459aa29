// Result-buffer utilities of the host's C interface.
#pragma once

#include "adscodes.h"
#include "adsdef.h"

// A new buffer of the given type with a zero value and no successor; free with acutRelRb.
struct resbuf* acutNewRb(int type);

// Frees a chain of buffers, including the strings and binary chunks they own.
int acutRelRb(struct resbuf* rb);

// Builds a chain from (type, value) pairs ending with 0. Value types by code:
// strings (RTSTR, RTDXF0 and the DXF string codes such as 0..9, 1000..1003, 1005) take
// const ACHAR*; reals take double; 16-bit codes (RTSHORT, 60..79, 1070 ...) take int;
// 32-bit codes (RTLONG, 90..99, 1071 ...) take int; points (RTPOINT, RT3DPOINT, 10..18,
// 1010..1013 ...) take const ads_real*; RTENAME/RTPICKS take an ads_name; RTLB, RTLE,
// RTDOTE, RTNIL, RTT, RTVOID and -3 take nothing. Returns null for an unsupported code.
struct resbuf* acutBuildList(int rtype, ...);

// Copies a string into a new buffer of the host, freed by acutDelString, or by
// acutRelRb when a resbuf holds it; never by delete[] or free.
int acutNewString(const ACHAR* source, ACHAR*& dest);
// Replaces dest by a copy of source, freeing the old string.
int acutUpdString(const ACHAR* source, ACHAR*& dest);
// Frees a string allocated by acutNewString.
int acutDelString(ACHAR*& string);

// Deep copy of one buffer (not its successors) or of a whole chain.
struct resbuf* acutCopyRb(const struct resbuf* rb);
struct resbuf* acutCopyRbChain(const struct resbuf* rb);

// Stand-in additions (not in the host SDK) used by the database and its filers.
enum class AcRbValueKind {
    kNone,
    kString,
    kReal,
    kPoint,
    kInt16,
    kInt32,
    kInt64,
    kBool,
    kName,
    kBinary
};
// How a resbuf of this type code carries its value.
AcRbValueKind acutRbValueKind(int restype);

// Prints on the host's command line (printf formats on wide strings, see wcrtFormat);
// defined by the editor part of the host.
int acutPrintf(const ACHAR* format, ...);
