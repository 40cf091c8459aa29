// Wild-card matching of the host's C interface (acutWcMatch).
//
// Grammar:
//   pattern     := alternative { ',' alternative }
//   alternative := ['~'] item*                 -- '~' first: matches what the rest does not
//   item        := '*' | '?' | '#' | '@' | '.' | class | '`' char | char
//   class       := '[' ['~'] { char ['-' char] } ']'
// '*' any sequence, '?' any character, '#' a digit, '@' a letter, '.' any
// character that is neither letter nor digit, '`' takes the next character literally.
#include <cwctype>
#include <string>
#include <vector>

#include "aced.h"

namespace {

// Splits at commas that are neither escaped nor inside a class.
std::vector<std::wstring> alternatives(const std::wstring& pattern) {
    std::vector<std::wstring> parts(1);
    bool inClass = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        wchar_t c = pattern[i];
        if (c == L'`' && i + 1 < pattern.size()) {
            parts.back() += c;
            parts.back() += pattern[++i];
            continue;
        }
        if (c == L'[') inClass = true;
        if (c == L']') inClass = false;
        if (c == L',' && !inClass) {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

// class := '[' ['~'] { char ['-' char] } ']'; p points after '['. Returns the
// position after ']' (npos when unterminated) and whether c is in the class.
size_t matchClass(const std::wstring& p, size_t i, wchar_t c, bool& in) {
    bool negate = i < p.size() && p[i] == L'~';
    if (negate) ++i;
    bool found = false;
    bool first = true;
    while (i < p.size() && (p[i] != L']' || first)) {
        wchar_t lo = p[i];
        wchar_t hi = lo;
        if (i + 2 < p.size() && p[i + 1] == L'-' && p[i + 2] != L']') {
            hi = p[i + 2];
            i += 2;
        }
        if (c >= lo && c <= hi) found = true;
        ++i;
        first = false;
    }
    if (i >= p.size()) return std::wstring::npos;
    in = found != negate;
    return i + 1;
}

bool singleMatches(wchar_t item, wchar_t c) {
    switch (item) {
        case L'?':
            return true;
        case L'#':
            return std::iswdigit(static_cast<wint_t>(c)) != 0;
        case L'@':
            return std::iswalpha(static_cast<wint_t>(c)) != 0;
        case L'.':
            return std::iswalnum(static_cast<wint_t>(c)) == 0;
        default:
            return item == c;
    }
}

// One item (not '*') against one character; `next` is the position after the item.
bool itemMatches(const std::wstring& p, size_t pi, wchar_t c, size_t& next) {
    const wchar_t item = p[pi];
    if (item == L'[') {
        bool in = false;
        next = matchClass(p, pi + 1, c, in);
        if (next != std::wstring::npos) return in;
        next = pi + 1;  // an unterminated '[' stands for itself
        return c == item;
    }
    if (item == L'`' && pi + 1 < p.size()) {
        next = pi + 2;
        return p[pi + 1] == c;
    }
    next = pi + 1;
    return singleMatches(item, c);
}

// item* from position pi against all of s. Every item but '*' takes exactly one
// character, so on a mismatch only the last '*' needs to take one more: the
// time is bounded by the product of the lengths, whatever the pattern.
bool matchItems(const std::wstring& p, size_t pi, const std::wstring& s) {
    size_t si = 0;
    size_t starP = std::wstring::npos;
    size_t starS = 0;
    while (si < s.size()) {
        size_t next = 0;
        if (pi < p.size() && p[pi] == L'*') {
            starP = ++pi;
            starS = si;
        } else if (pi < p.size() && itemMatches(p, pi, s[si], next)) {
            pi = next;
            ++si;
        } else if (starP != std::wstring::npos) {
            pi = starP;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

bool matchAlternative(const std::wstring& alt, const std::wstring& s) {
    if (!alt.empty() && alt[0] == L'~') return !matchItems(alt, 1, s);
    return matchItems(alt, 0, s);
}

}  // namespace

int acutWcMatch(const ACHAR* string, const ACHAR* pattern) {
    if (string == nullptr || pattern == nullptr) return RTERROR;
    const std::wstring s(string);
    for (const std::wstring& alt : alternatives(pattern))
        if (matchAlternative(alt, s)) return RTNORM;
    return RTERROR;
}
