// Result codes and result-buffer type codes of the host's C interface.
#pragma once

// Result codes of the input and utility functions.
#define RTNORM 5100      // request succeeded
#define RTERROR (-5001)  // some other error
#define RTCAN (-5002)    // user cancelled the request (Escape)
#define RTREJ (-5003)    // request rejected as invalid
#define RTFAIL (-5004)   // link failure, the host is gone
#define RTKWORD (-5005)  // a keyword was returned
#define RTINPUTTRUNCATED (-5008)

// Result-buffer value types (restype of a resbuf that is not a DXF group).
#define RTNONE 5000     // no result
#define RTREAL 5001     // real number
#define RTPOINT 5002    // 2D point
#define RTSHORT 5003    // short integer
#define RTANG 5004      // angle
#define RTSTR 5005      // string
#define RTENAME 5006    // entity name
#define RTPICKS 5007    // selection set name
#define RTORINT 5008    // orientation
#define RT3DPOINT 5009  // 3D point
#define RTLONG 5010     // 32-bit integer
#define RTVOID 5014     // blank symbol
#define RTLB 5016       // list begin
#define RTLE 5017       // list end
#define RTDOTE 5018     // dotted pair
#define RTNIL 5019      // nil
#define RTDXF0 5020     // DXF code 0 for selection filters
#define RTT 5021        // T atom
#define RTRESBUF 5023   // resbuf
#define RTMODELESS 5027
#define RTLONG_PTR 5030
#define RTINT64 5031

// acedInitGet control bits.
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080
#define RSG_DDISTFIRST 0x0100
#define RSG_TRACKUCS 0x0200
#define RSG_NOORTHOZ 0x0400
#define RSG_NOOSNAP 0x0800
#define RSG_NODDIST 0x1000

// Results of a function called from the interpreter.
#define RSRSLT 1
#define RSERR 3
