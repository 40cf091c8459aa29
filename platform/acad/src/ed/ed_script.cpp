#include <cwctype>
#include <fstream>
#include <sstream>

#include "acedscript.h"
#include "wcrt.h"

namespace {

// Splits "word rest" at the first blank; rest keeps its inner blanks.
std::pair<std::wstring, std::wstring> splitWord(const std::wstring& s) {
    size_t i = 0;
    while (i < s.size() && !std::iswspace(static_cast<wint_t>(s[i]))) ++i;
    std::wstring word = s.substr(0, i);
    if (i < s.size()) ++i;  // one separating blank belongs to neither part
    return {word, s.substr(i)};
}

AcEdScriptParse fail(const std::wstring& message) { return {std::nullopt, message}; }

AcEdScriptParse ok(AcEdScriptLine line) { return {std::move(line), std::wstring()}; }

// count := digit+   (at most the range of long)
bool parseCount(const std::wstring& text, long& count) {
    if (text.empty() || text.size() > 9) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    count = std::stol(text);
    return true;
}

// Each directive's arguments: none, a count, a name, a control, or a control and a value.
enum class Args { kNone, kCount, kName, kControl, kControlValue, kFile, kSize };

struct Directive {
    const wchar_t* verb;
    AcEdScriptKind kind;
    Args args;
};

const Directive kDirectives[] = {
    {L"escape", AcEdScriptKind::kEscape, Args::kNone},
    {L"break", AcEdScriptKind::kBreak, Args::kCount},
    {L"dialog", AcEdScriptKind::kDialog, Args::kName},
    {L"dialog.set", AcEdScriptKind::kDialogSet, Args::kControlValue},
    {L"dialog.click", AcEdScriptKind::kDialogClick, Args::kControl},
    {L"dialog.ok", AcEdScriptKind::kDialogOk, Args::kNone},
    {L"dialog.cancel", AcEdScriptKind::kDialogCancel, Args::kNone},
    {L"dialog.focus", AcEdScriptKind::kDialogFocus, Args::kControl},
    {L"dialog.snapshot", AcEdScriptKind::kDialogSnapshot, Args::kFile},
    {L"dialog.resize", AcEdScriptKind::kDialogResize, Args::kSize},
};

// size := count blank count   (each 1 to 99999)
bool parseSize(const std::wstring& text, long& width, long& height) {
    auto [w, h] = splitWord(text);
    return parseCount(w, width) && parseCount(wcrtTrim(h), height) && width >= 1 && height >= 1 &&
           width <= 99999 && height <= 99999;
}

const Directive* findDirective(const std::wstring& verb) {
    for (const Directive& d : kDirectives)
        if (verb == d.verb) return &d;
    return nullptr;
}

// directive := '!' verb [blank arguments]
AcEdScriptParse parseDirective(const std::wstring& body, int lineNumber) {
    auto [verb, rest] = splitWord(body);
    const Directive* d = findDirective(verb);
    if (d == nullptr) return fail(L"unknown directive \"!" + verb + L"\"");
    AcEdScriptLine line;
    line.kind = d->kind;
    line.lineNumber = lineNumber;
    const std::wstring args = wcrtTrim(rest);
    switch (d->args) {
        case Args::kNone:
            if (!args.empty()) return fail(L"\"!" + verb + L"\" takes no argument");
            break;
        case Args::kCount:
            if (!parseCount(args, line.count))
                return fail(L"\"!" + verb + L"\" needs a count of polls (0 to 999999999)");
            break;
        case Args::kName:
            if (args.empty()) return fail(L"\"!" + verb + L"\" needs a dialog name");
            line.text = args;
            break;
        case Args::kFile:
            if (args.empty()) return fail(L"\"!" + verb + L"\" needs a file name");
            line.text = args;
            break;
        case Args::kSize:
            if (!parseSize(args, line.count, line.height))
                return fail(L"\"!" + verb +
                            L"\" needs a width and a height in pixels (1 to 99999)");
            break;
        case Args::kControl:
        case Args::kControlValue: {
            auto [control, value] = splitWord(wcrtTrim(rest));
            if (control.empty()) return fail(L"\"!" + verb + L"\" needs a control name");
            if (d->args == Args::kControl && !wcrtTrim(value).empty())
                return fail(L"\"!" + verb + L"\" takes only a control name");
            line.control = control;
            line.text = value;
            break;
        }
    }
    return ok(std::move(line));
}

}  // namespace

AcEdScriptParse acedParseScriptLine(const std::wstring& rawLine, int lineNumber) {
    std::wstring raw = rawLine;
    if (!raw.empty() && raw.back() == L'\r') raw.pop_back();
    const std::wstring text = wcrtTrim(raw);
    if (!text.empty() && text[0] == L';') return {std::nullopt, std::wstring()};
    if (text.size() >= 2 && text[0] == L'!' && text[1] == L'!') {
        AcEdScriptLine line;
        line.text = text.substr(1);
        line.lineNumber = lineNumber;
        return ok(std::move(line));
    }
    if (!text.empty() && text[0] == L'!') return parseDirective(text.substr(1), lineNumber);
    AcEdScriptLine line;
    line.text = text;
    line.lineNumber = lineNumber;
    return ok(std::move(line));
}

AcEdScript acedParseScript(const std::string& utf8Text) {
    AcEdScript script;
    std::string text = utf8Text;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::istringstream in(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        AcEdScriptParse p = acedParseScriptLine(wcrtFromUtf8(raw), lineNumber);
        if (!p.error.empty()) {
            script.error = wcrtFormat(L"script line %d: %s", lineNumber, p.error.c_str());
            return script;
        }
        if (p.line) script.lines.push_back(std::move(*p.line));
    }
    return script;
}

AcEdScript acedReadScriptFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        AcEdScript script;
        script.error = L"cannot read script \"" + wcrtFromUtf8(path) + L"\"";
        return script;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return acedParseScript(buffer.str());
}
