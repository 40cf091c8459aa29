#include "FormulaNormalizer.h"

#include <array>
#include <cwctype>
#include <vector>

namespace {

struct Replacement {
    const wchar_t* from;
    const wchar_t* to;
};

// Applied in order, each as a case-sensitive replace-all.
constexpr std::array<Replacement, 6> kUnifyCharacters = {{
    {L" ", L""},
    {L",", L"."},  // decimal comma
    {L"[", L"("},
    {L"]", L")"},
    {L"{", L"("},
    {L"}", L")"},
}};

// A parenthesised X as factor needs no parentheses.
constexpr std::array<Replacement, 5> kPlainX = {{
    {L"*(x)", L"*x"},
    {L"((x)*", L"(x*"},
    {L"+(x)*", L"+x*"},
    {L"-(x)*", L"-x*"},
    {L"*(x)*", L"*x*"},
}};

// A function of X standing alone in parentheses.
constexpr std::array<Replacement, 7> kPlainFunctionOfX = {{
    {L"(sin(x))", L"sin(x)"},
    {L"(cos(x))", L"cos(x)"},
    {L"(cot(x))", L"cot(x)"},
    {L"(tan(x))", L"tan(x)"},
    {L"(exp(x))", L"exp(x)"},
    {L"(log(x))", L"log(x)"},
    {L"(ln(x))", L"ln(x)"},
}};

void replaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
    size_t hit = text.find(from);
    if (hit == std::wstring::npos) return;
    std::wstring out;
    size_t start = 0;
    for (; hit != std::wstring::npos; hit = text.find(from, start)) {
        out.append(text, start, hit - start).append(to);
        start = hit + from.size();
    }
    out.append(text, start, std::wstring::npos);
    text = std::move(out);
}

template <size_t N>
void replaceAll(std::wstring& text, const std::array<Replacement, N>& table) {
    for (const Replacement& r : table) replaceAll(text, std::wstring(r.from), std::wstring(r.to));
}

// Removes every occurrence of `pattern` for which `removable(text, at)` holds,
// judged on the text before any removal (like a replace-all).
template <typename Guard>
void removeWhere(std::wstring& text, const std::wstring& pattern, Guard removable) {
    if (text.find(pattern) == std::wstring::npos) return;
    std::wstring out;
    size_t start = 0;
    for (size_t hit = text.find(pattern); hit != std::wstring::npos;
         hit = text.find(pattern, hit + 1)) {
        if (hit < start || !removable(text, hit)) continue;
        out.append(text, start, hit - start);
        start = hit + pattern.size();
    }
    out.append(text, start, std::wstring::npos);
    text = std::move(out);
}

wchar_t charAt(const std::wstring& text, size_t at) { return at < text.size() ? text[at] : L'\0'; }

bool endsOperand(wchar_t c) {
    return std::iswalnum(static_cast<wint_t>(c)) || c == L'.' || c == L')';
}

// Multiplying by "(1)" can be dropped: "a*(1)" is "a" only when no power
// follows ("2*(1)^3" is 2, not 8), and "(1)*b" is "b" only when nothing binds
// the "(1)" more tightly from the left ("2/(1)*3", "2^(1)*3", "SQRT(1)*4"
// and a unary "-" keep it).
void dropUnitFactors(std::wstring& text) {
    removeWhere(text, L"*(1)", [](const std::wstring& t, size_t at) {
        const wchar_t next = charAt(t, at + 4);
        return next == L'\0' || next == L'+' || next == L'-' || next == L'*' || next == L'/' ||
               next == L')';
    });
    removeWhere(text, L"(1)*", [](const std::wstring& t, size_t at) {
        if (at == 0) return true;
        const wchar_t before = t[at - 1];
        if (before == L'(' || before == L'+' || before == L'*') return true;
        return before == L'-' && at >= 2 && endsOperand(t[at - 2]);
    });
}

// For every "(" the position of the ")" that closes it (npos when none does);
// npos for every other character.
std::vector<size_t> matchParentheses(const std::wstring& text) {
    std::vector<size_t> match(text.size(), std::wstring::npos);
    std::vector<size_t> open;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'(') open.push_back(i);
        if (text[i] == L')' && !open.empty()) {
            match[open.back()] = i;
            open.pop_back();
        }
    }
    return match;
}

// Strips parentheses around the whole text, but only a pair whose "(" really
// closes at the last ")": "((1)+(2))" becomes "(1)+(2)", not "1)+(2".
void stripOuterParentheses(std::wstring& text) {
    const std::vector<size_t> match = matchParentheses(text);
    size_t first = 0, last = text.size();
    while (last - first >= 2 && match[first] == last - 1) {
        ++first;
        --last;
    }
    text = text.substr(first, last - first);
}

// Drops leading "+" and blanks and trailing white space.
void trimEnds(std::wstring& text) {
    const size_t first = text.find_first_not_of(L"+ ");
    if (first == std::wstring::npos) {
        text.clear();
        return;
    }
    size_t last = text.size();
    while (last > first && std::iswspace(static_cast<wint_t>(text[last - 1]))) --last;
    text = text.substr(first, last - first);
}

// Where one pair directly encloses another pair that closes at the same
// place, "((e))", the inner pair is removed: "(1+((2)))*3" becomes
// "(1+(2))*3". Only matched pairs are touched.
void dropDoubledParentheses(std::wstring& text) {
    const std::vector<size_t> match = matchParentheses(text);
    std::vector<bool> drop(text.size(), false);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const size_t outer = match[i], inner = match[i + 1];
        if (outer != std::wstring::npos && inner != std::wstring::npos && inner + 1 == outer) {
            drop[i + 1] = drop[inner] = true;
        }
    }
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!drop[i]) out += text[i];
    }
    text = std::move(out);
}

}  // namespace

std::wstring NormalizeFormula(std::wstring formula) {
    replaceAll(formula, kUnifyCharacters);
    dropUnitFactors(formula);
    replaceAll(formula, kPlainX);
    replaceAll(formula, kPlainFunctionOfX);
    stripOuterParentheses(formula);
    trimEnds(formula);
    dropDoubledParentheses(formula);
    return formula;
}
