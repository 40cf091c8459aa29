// Answers to prompts: where they come from, how each request reads them.
#include <cstring>

#include "ed_state.h"
#include "wcrt.h"

volatile std::sig_atomic_t gAcedInterrupt = 0;

AcEdState& acedState() {
    static AcEdState state;
    return state;
}

void acedStateFail(const std::wstring& message) {
    AcEdState& s = acedState();
    if (s.failed) return;  // the first cause is the one worth reporting
    s.failed = true;
    s.failure = message;
}

AcEdRequestOptions acedTakeRequestOptions() {
    AcEdState& s = acedState();
    AcEdRequestOptions options{s.initFlags, std::move(s.keywords)};
    s.initFlags = 0;
    s.keywords.clear();
    return options;
}

std::optional<AcEdScriptLine> acedStateNextLine() {
    AcEdState& s = acedState();
    for (;;) {
        if (s.failed || s.inputEnded || s.quit || s.source == nullptr) return std::nullopt;
        std::optional<AcEdScriptLine> line;
        if (s.pushedBack) {
            line = std::move(s.pushedBack);
            s.pushedBack.reset();
        } else {
            line = s.source->next();
        }
        if (!line) {
            s.inputEnded = true;
            return std::nullopt;
        }
        s.lineNumber = line->lineNumber;
        if (line->kind != AcEdScriptKind::kBreak) return line;
        s.breakCountdown = line->count;
    }
}

namespace {

// One answer as the requests see it.
struct Answer {
    enum class Kind { kText, kEnter, kEscape };
    Kind kind = Kind::kEscape;
    std::wstring text;
};

std::wstring where() {
    const int line = acedState().lineNumber;
    return line > 0 ? wcrtFormat(L"script line %d: ", line) : std::wstring();
}

// A wrong answer: a batch run stops, a terminal user is told and asked again.
// Returns true when the request should ask again.
bool rejectAnswer(const std::wstring& message, const std::wstring& answer) {
    AcEdState& s = acedState();
    acedStateOut(L"\n" + message);
    if (s.source != nullptr && !s.source->isBatch()) return true;
    std::wstring text = where() + message;
    if (!text.empty() && text.back() == L'.') text.pop_back();
    acedStateFail(text + L" (answer \"" + answer + L"\")");
    return false;
}

Answer readAnswer(const ACHAR* prompt) {
    AcEdState& s = acedState();
    if (prompt != nullptr) acedStateOut(prompt);
    for (;;) {
        std::optional<AcEdScriptLine> line = acedStateNextLine();
        if (!line) {
            if (s.inputEnded && s.source != nullptr && s.source->isBatch())
                acedStateFail(L"the script ended while a command was waiting for input");
            return {};
        }
        const bool typed = s.source->echoesInput();
        if (line->isDialog()) {
            if (rejectAnswer(L"No dialog is showing.", L"!" + line->text)) continue;
            return {};
        }
        if (line->kind == AcEdScriptKind::kEscape) {
            acedStateOut(L"*Cancel*", false);
            return {};
        }
        acedStateOut(line->text, typed);
        if (line->text.empty()) return {Answer::Kind::kEnter, std::wstring()};
        return {Answer::Kind::kText, line->text};
    }
}

}  // namespace

// A value is tried first, then the keywords, then arbitrary input.
int acedRequest(const ACHAR* prompt, const AcEdRequestOptions& options, const AcEdParser& parse) {
    AcEdState& s = acedState();
    for (;;) {
        const Answer a = readAnswer(prompt);
        if (a.kind == Answer::Kind::kEscape) return RTCAN;
        if (a.kind == Answer::Kind::kEnter) {
            if ((options.flags & RSG_NONULL) == 0) return RTNONE;
            if (rejectAnswer(L"Requires a value.", L"")) continue;
            return RTCAN;
        }
        const wchar_t* error = parse(a.text);
        if (error == nullptr) return RTNORM;
        if (const AcEdKeyword* k = acedMatchKeyword(options.keywords, a.text)) {
            s.lastInput = k->global;
            return RTKWORD;
        }
        if ((options.flags & RSG_OTHER) != 0) {
            s.lastInput = a.text;
            return RTKWORD;
        }
        if (rejectAnswer(error, a.text)) continue;
        return RTCAN;
    }
}

namespace {

// Sign rules of acedInitGet for numbers.
const wchar_t* checkSign(int flags, double value) {
    if ((flags & RSG_NOZERO) != 0 && value == 0.0) return L"Value must be nonzero.";
    if ((flags & RSG_NONEG) != 0 && value < 0.0) return L"Value must be positive.";
    return nullptr;
}

AcGePoint3d basePoint(const ads_point pt) {
    if (pt == nullptr) return acedState().lastPoint;
    return {pt[X], pt[Y], pt[Z]};
}

int copyOut(const std::wstring& text, ACHAR* result, size_t bufsize) {
    if (result == nullptr || bufsize == 0) return RTERROR;
    const size_t n = text.size() < bufsize ? text.size() : bufsize - 1;
    std::wmemcpy(result, text.data(), n);
    result[n] = 0;
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

// The host's limit for strings typed at a prompt, and the buffer the
// three-argument forms assume.
constexpr size_t kInputBuffer = 133;

}  // namespace

int acedInitGet(int val, const ACHAR* kwl) {
    AcEdState& s = acedState();
    s.initFlags = val;
    s.keywords = acedParseKeywordList(kwl != nullptr ? kwl : L"");
    return RTNORM;
}

int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    const AcGePoint3d base = basePoint(pt);
    AcGePoint3d picked;
    int rc = acedRequest(prompt, options, [&](const std::wstring& text) -> const wchar_t* {
        std::optional<AcGePoint3d> p = acedParsePoint(text, base);
        if (!p) return L"Invalid point.";
        picked = *p;
        return nullptr;
    });
    if (rc == RTNORM && result != nullptr) {
        result[X] = picked.x;
        result[Y] = picked.y;
        result[Z] = picked.z;
        acedState().lastPoint = picked;
    }
    return rc;
}

int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result) {
    return acedGetPoint(pt, prompt, result);
}

int acedGetInt(const ACHAR* prompt, int* result) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    int value = 0;
    int rc = acedRequest(prompt, options, [&](const std::wstring& text) -> const wchar_t* {
        std::optional<int> v = acedParseInt(text);
        if (!v) return L"Requires an integer between -32768 and 32767.";
        value = *v;
        return checkSign(options.flags, value);
    });
    if (rc == RTNORM && result != nullptr) *result = value;
    return rc;
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    double value = 0.0;
    int rc = acedRequest(prompt, options, [&](const std::wstring& text) -> const wchar_t* {
        std::optional<double> v = acedParseReal(text);
        if (!v) return L"Requires numeric value.";
        value = *v;
        return checkSign(options.flags, value);
    });
    if (rc == RTNORM && result != nullptr) *result = value;
    return rc;
}

int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    const AcGePoint3d base = basePoint(pt);
    double value = 0.0;
    // A number, or a second point whose distance from the base point is taken.
    int rc = acedRequest(prompt, options, [&](const std::wstring& text) -> const wchar_t* {
        if (std::optional<double> v = acedParseReal(text)) {
            value = *v;
        } else if (std::optional<AcGePoint3d> p = acedParsePoint(text, base); p && pt != nullptr) {
            value = base.distanceTo(*p);
        } else {
            return L"Requires numeric distance or second point.";
        }
        return checkSign(options.flags, value);
    });
    if (rc == RTNORM && result != nullptr) *result = value;
    return rc;
}

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result) {
    return acedGetString(cronly, prompt, result, kInputBuffer);
}

// Every line is one answer, so blanks stay part of it whatever cronly says.
int acedGetString(int /*cronly*/, const ACHAR* prompt, ACHAR* result, size_t bufsize) {
    acedTakeRequestOptions();
    const Answer a = readAnswer(prompt);
    if (a.kind == Answer::Kind::kEscape) return RTCAN;
    return copyOut(a.text, result, bufsize);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result) {
    return acedGetKword(prompt, result, kInputBuffer);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufsize) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    int rc = acedRequest(prompt, options, [](const std::wstring&) -> const wchar_t* {
        return L"Invalid option keyword.";
    });
    if (rc == RTKWORD) return copyOut(acedState().lastInput, result, bufsize);
    return rc;
}

int acedGetInput(ACHAR* str) { return acedGetInput(str, kInputBuffer); }

int acedGetInput(ACHAR* str, size_t bufsize) {
    return copyOut(acedState().lastInput, str, bufsize);
}

int acedUsrBrk() {
    AcEdState& s = acedState();
    if (s.failed) return 1;  // a stopped batch run unwinds its loops at once
    if (gAcedInterrupt != 0) {
        gAcedInterrupt = 0;
        return 1;
    }
    if (s.breakCountdown < 0) return 0;
    if (s.breakCountdown-- > 0) return 0;
    return 1;
}

void acedHostInterrupt() { gAcedInterrupt = 1; }

AcEdScript acedHostScriptFromLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\n";
    return acedParseScript(wcrtToUtf8(text));
}

std::optional<AcEdScriptLine> AcEdScriptSource::next() {
    if (mNext >= mLines.size()) return std::nullopt;
    return mLines[mNext++];
}
