// The site prompt of the calculation commands: a point inside a site or a
// keyword, asked with object snaps off ("OSMODE" 0) and the previous snap mode
// restored whatever the answer.
#pragma once

#include <string>

#include "acge.h"
#include "adesk.h"

struct SiteAnswer {
    enum class Kind { Point, Keyword, Other };
    Kind kind = Kind::Other;
    AcGePoint3d point;     // world coordinates, for Kind::Point
    std::wstring keyword;  // as acedGetInput reports it, for Kind::Keyword
};

// keywords is the acedInitGet list ("B A "), prompt the text shown.
SiteAnswer AskForSite(const ACHAR* keywords, const ACHAR* prompt);

// Case-insensitive comparison of an answered keyword.
bool IsKeyword(const SiteAnswer& answer, const ACHAR* keyword);
