// Command-line output: acutPrintf and friends, the transcript, terminal echo.
#include <cstdarg>
#include <cstdio>

#include "ed_state.h"
#include "wcrt.h"

namespace {

void writeTerminal(const std::wstring& text) {
    AcEdState& s = acedState();
    std::wstring shown = text;
    // The user's Enter already started a new line: the "\n" that begins
    // nearly every prompt and message would leave an empty one.
    if (s.terminalAtLineStart && !shown.empty() && shown[0] == L'\n') shown.erase(0, 1);
    if (shown.empty()) return;
    s.terminalAtLineStart = shown.back() == L'\n';
    const std::string utf8 = wcrtToUtf8(shown);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

void acedStateOut(const std::wstring& text, bool echoedByUser) {
    AcEdState& s = acedState();
    s.transcript += text;
    if (!s.terminalEcho) return;
    if (echoedByUser) {
        s.terminalAtLineStart = true;
        return;
    }
    writeTerminal(text);
}

int acutPrintf(const ACHAR* format, ...) {
    if (format == nullptr) return 0;
    va_list args;
    va_start(args, format);
    const std::wstring text = wcrtVFormat(format, args);
    va_end(args);
    acedStateOut(text);
    return static_cast<int>(text.size());
}

int acedPrompt(const ACHAR* text) {
    if (text != nullptr) acedStateOut(text);
    return RTNORM;
}

int acedAlert(const ACHAR* text) {
    if (text != nullptr) acedStateOut(std::wstring(L"\n") + text);
    return RTNORM;
}

const std::wstring& acedHostTranscript() { return acedState().transcript; }

void acedHostClearTranscript() { acedState().transcript.clear(); }

void acedHostSetTerminalEcho(bool on) {
    acedState().terminalEcho = on;
    acedState().terminalAtLineStart = true;
}

void acedUpdateDisplay() {}

int acedRedraw(const ads_name /*ent*/, int /*mode*/) { return RTNORM; }

void acedHostSetAcadFrame(CWnd* frame) { acedState().frame = frame; }

CWnd* acedGetAcadFrame() { return acedState().frame; }
