// How the editor reads the answer typed at a prompt: keywords, integers,
// reals and points. Pure functions on text; the input functions of aced.h
// call them. Stand-in header (not part of the host SDK).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "acge.h"

// One keyword of an acedInitGet list: what the user types (local) and what
// acedGetInput reports (global; the local name when the list has no globals).
struct AcEdKeyword {
    std::wstring local;
    std::wstring global;
};

// Parses a keyword list such as "Set " or "B A ": keywords separated by blanks.
// A lone "_" splits local names from their global names, in the same order.
std::vector<AcEdKeyword> acedParseKeywordList(const std::wstring& list);

// A keyword matches when the answer is the whole keyword, its capital letters,
// or a prefix of it reaching at least its last capital ("Set": S, SE, SET;
// "eXit": X, EX, EXI, EXIT); case is ignored. The first match in list order wins.
const AcEdKeyword* acedMatchKeyword(const std::vector<AcEdKeyword>& keywords,
                                    const std::wstring& answer);

// A whole answer as a real ("12", "-0.5", "1e3"); blanks around it allowed,
// nothing else; infinities and NaN are refused.
std::optional<double> acedParseReal(const std::wstring& answer);

// A whole answer as an integer in the host's range for acedGetInt (-32768..32767).
std::optional<int> acedParseInt(const std::wstring& answer);

// A point "x,y" or "x,y,z" (z = 0 when missing); "@dx,dy[,dz]" is relative
// to `last` ("@" alone is `last`). Coordinates are those of the current user coordinate system.
std::optional<AcGePoint3d> acedParsePoint(const std::wstring& answer, const AcGePoint3d& last);
