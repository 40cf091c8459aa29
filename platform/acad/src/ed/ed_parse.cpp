#include <cmath>
#include <cwchar>
#include <cwctype>

#include "acedparse.h"
#include "wcrt.h"

namespace {

std::vector<std::wstring> splitBlanks(const std::wstring& s) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : s) {
        if (std::iswspace(static_cast<wint_t>(c))) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

std::vector<std::wstring> splitCommas(const std::wstring& s) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = s.find(L',', start);
        parts.push_back(s.substr(start, comma - start));
        if (comma == std::wstring::npos) return parts;
        start = comma + 1;
    }
}

bool isUpper(wchar_t c) { return std::iswupper(static_cast<wint_t>(c)) != 0; }

bool equalNoCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && _wcsicmp(a.c_str(), b.c_str()) == 0;
}

bool keywordMatches(const std::wstring& keyword, const std::wstring& answer) {
    if (answer.empty()) return false;
    if (equalNoCase(keyword, answer)) return true;
    std::wstring capitals;
    size_t lastCapital = std::wstring::npos;
    for (size_t i = 0; i < keyword.size(); ++i) {
        if (!isUpper(keyword[i])) continue;
        capitals += keyword[i];
        lastCapital = i;
    }
    if (capitals.empty()) return false;  // no abbreviation: the whole word only
    if (equalNoCase(capitals, answer)) return true;
    return answer.size() > lastCapital && answer.size() <= keyword.size() &&
           _wcsnicmp(keyword.c_str(), answer.c_str(), answer.size()) == 0;
}

}  // namespace

std::vector<AcEdKeyword> acedParseKeywordList(const std::wstring& list) {
    std::vector<std::wstring> locals;
    std::vector<std::wstring> globals;
    bool inGlobals = false;
    for (const std::wstring& word : splitBlanks(list)) {
        if (word == L"_") {
            inGlobals = true;
            continue;
        }
        (inGlobals ? globals : locals).push_back(word);
    }
    std::vector<AcEdKeyword> keywords;
    for (size_t i = 0; i < locals.size(); ++i)
        keywords.push_back({locals[i], i < globals.size() ? globals[i] : locals[i]});
    return keywords;
}

const AcEdKeyword* acedMatchKeyword(const std::vector<AcEdKeyword>& keywords,
                                    const std::wstring& answer) {
    const std::wstring text = wcrtTrim(answer);
    // A leading "_" asks for the global name, as typed by international scripts.
    const bool global = !text.empty() && text[0] == L'_';
    const std::wstring word = global ? text.substr(1) : text;
    for (const AcEdKeyword& k : keywords)
        if (keywordMatches(global ? k.global : k.local, word)) return &k;
    return nullptr;
}

std::optional<double> acedParseReal(const std::wstring& answer) {
    const std::wstring text = wcrtTrim(answer);
    if (text.empty()) return std::nullopt;
    // Only digits, signs, a point and an exponent: wcstod would also take
    // "inf", "nan" and hexadecimal forms, which no prompt accepts.
    for (wchar_t c : text)
        if (std::wcschr(L"0123456789+-.eE", c) == nullptr) return std::nullopt;
    wchar_t* end = nullptr;
    double value = std::wcstod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> acedParseInt(const std::wstring& answer) {
    const std::wstring text = wcrtTrim(answer);
    size_t i = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
    if (i == text.size() || text.size() > 7) return std::nullopt;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < L'0' || text[j] > L'9') return std::nullopt;
    long value = std::wcstol(text.c_str(), nullptr, 10);
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<AcGePoint3d> acedParsePoint(const std::wstring& answer, const AcGePoint3d& last) {
    std::wstring text = wcrtTrim(answer);
    const bool relative = !text.empty() && text[0] == L'@';
    if (relative) text = text.substr(1);
    if (relative && text.empty()) return last;  // "@" alone: the last point itself
    const std::vector<std::wstring> parts = splitCommas(text);
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    double xyz[3] = {0.0, 0.0, 0.0};
    for (size_t i = 0; i < parts.size(); ++i) {
        std::optional<double> v = acedParseReal(parts[i]);
        if (!v) return std::nullopt;
        xyz[i] = *v;
    }
    AcGePoint3d p(xyz[0], xyz[1], xyz[2]);
    if (relative) p = last + p.asVector();
    return p;
}
