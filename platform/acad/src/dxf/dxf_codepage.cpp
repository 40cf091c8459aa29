#include "dxf_codepage.h"

#include <algorithm>
#include <cctype>

#include "dxf_stream.h"
#include "wcrt.h"
#include "wincodepage.h"

namespace {

struct NamedCodePage {
    const char* name;
    UINT codePage;
};

// Names of the DXF reference without a number of their own.
constexpr NamedCodePage kNamedCodePages[] = {
    {"BIG5", 950},        {"GB2312", 936}, {"KSC5601", 949}, {"JOHAB", 1361},
    {"MACINTOSH", 10000}, {"UTF8", 65001}, {"UTF-8", 65001},
};

// Names made of a stem and the code page number: the stem's numbers add `base`.
struct NumberedCodePage {
    const char* stem;
    UINT base;
};

constexpr NumberedCodePage kNumberedCodePages[] = {{"ANSI_", 0}, {"DOS", 0}, {"ISO8859-", 28590}};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::optional<UINT> numberAfter(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<UINT>(std::stoul(std::string(text)));
}

struct HeaderFacts {
    std::string version;
    std::optional<std::string> codePage;
    int codePageLine = 0;
};

// $ACADVER and $DWGCODEPAGE from the HEADER section, which opens the file.
// Their values are ASCII in every code page.
HeaderFacts readHeaderFacts(std::string_view bytes) {
    HeaderFacts facts;
    DxfGroupReader in(bytes);
    std::string variable;
    while (std::optional<DxfGroup> g = in.next()) {
        if (g->is(0, "ENDSEC")) break;
        if (g->code == 9)
            variable = dxfTrim(g->text);
        else if (variable == "$ACADVER" && g->code == 1)
            facts.version = dxfTrim(g->text);
        else if (variable == "$DWGCODEPAGE" && g->code == 3) {
            facts.codePage = std::string(dxfTrim(g->text));
            facts.codePageLine = g->line + 1;
        }
    }
    return facts;
}

// Releases are named "AC" and four digits; AC1021 (2007) was the first in UTF-8.
bool beforeUtf8(const std::string& version) {
    return version.size() == 6 && version.rfind("AC", 0) == 0 && version < "AC1021";
}

// Converted a piece at a time, each ending with a line, so that a large file
// never stands in memory as wide text. Lines end in "\n" in every code page
// a drawing may use.
std::string convert(std::string_view bytes, UINT codePage) {
    constexpr size_t kPiece = 1 << 20;
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    std::wstring wide;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = std::min(bytes.size(), start + kPiece);
        if (end < bytes.size()) {
            const size_t lineEnd = bytes.find('\n', end);
            end = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
        }
        CodePageToWide(codePage, bytes.substr(start, end - start), wide);
        utf8 += wcrtToUtf8(wide);
        start = end;
    }
    return utf8;
}

}  // namespace

std::optional<unsigned> dxfCodePageOfName(std::string_view name) {
    const std::string key = upper(dxfTrim(name));
    for (const NamedCodePage& n : kNamedCodePages)
        if (key == n.name) return n.codePage;
    for (const NumberedCodePage& n : kNumberedCodePages) {
        const std::string_view stem = n.stem;
        if (key.rfind(stem, 0) != 0) continue;
        if (std::optional<UINT> number = numberAfter(std::string_view(key).substr(stem.size())))
            return n.base + *number;
    }
    return std::nullopt;
}

bool dxfTextAsUtf8(std::string_view bytes, std::string& utf8, DxfError& error) {
    utf8.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return true;
    const HeaderFacts facts = readHeaderFacts(bytes);
    if (!beforeUtf8(facts.version)) return true;
    std::optional<unsigned> codePage = GetACP();
    if (facts.codePage) codePage = dxfCodePageOfName(*facts.codePage);
    std::wstring probe;
    if (codePage && CodePageToWide(*codePage, "", probe)) {
        utf8 = convert(bytes, *codePage);
        return true;
    }
    if (facts.codePage) {
        const int line = facts.codePageLine;
        error = DxfError{DxfFault::BadValue, line,
                         "line " + std::to_string(line) + ": code page \"" + *facts.codePage +
                             "\" of $DWGCODEPAGE is not known"};
    } else {
        error = DxfError{DxfFault::BadValue, 0,
                         "the ANSI code page " + std::to_string(*codePage) +
                             " of this older drawing is not known"};
    }
    return false;
}
