// The command loop: reads command names and runs the commands.
#include <exception>

#include "ed_state.h"
#include "wcrt.h"

namespace {

std::wstring where(int lineNumber) {
    return lineNumber > 0 ? wcrtFormat(L"script line %d: ", lineNumber) : std::wstring();
}

// "_NAME" asks for the global name; a leading "." for the host's own command.
std::wstring bareName(const std::wstring& typed, bool& global) {
    std::wstring name = typed;
    global = false;
    while (!name.empty() && (name[0] == L'_' || name[0] == L'.')) {
        global = global || name[0] == L'_';
        name.erase(0, 1);
    }
    return name;
}

AcRxFunctionPtr findCommand(const std::wstring& typed) {
    bool global = false;
    const std::wstring name = bareName(typed, global);
    if (name.empty()) return nullptr;
    for (const AcEdBuiltinCommand& b : acedState().builtins)
        if (_wcsicmp(b.name.c_str(), name.c_str()) == 0) return b.function;
    AcEdCommand* cmd = acedRegCmds->lookupCmd(name.c_str(), global);
    return cmd != nullptr ? cmd->functionAddr() : nullptr;
}

// Runs one command; nothing it throws goes further.
void runCommand(AcRxFunctionPtr function, const std::wstring& name, int lineNumber) {
    acedState().initFlags = 0;
    acedState().keywords.clear();
    std::wstring problem;
    try {
        function();
    } catch (const std::exception& e) {
        problem = wcrtFromUtf8(e.what());
    } catch (...) {
        problem = L"unknown exception";
    }
    if (acedState().meter.active) acedRestoreStatusBar();
    if (problem.empty()) return;
    acutPrintf(L"\nCommand %s failed: %s", name.c_str(), problem.c_str());
    acedHostFail(where(lineNumber) + L"command " + name + L" failed: " + problem);
}

// The next command-line entry at the top level, or nothing at the end.
std::optional<AcEdScriptLine> nextEntry() {
    AcEdState& s = acedState();
    for (;;) {
        acedStateOut(L"\nCommand: ");
        std::optional<AcEdScriptLine> line = acedStateNextLine();
        if (!line) return std::nullopt;
        if (line->kind == AcEdScriptKind::kEscape) {
            acedStateOut(L"*Cancel*");
            continue;
        }
        if (line->isDialog()) {
            acedStateOut(L"\nNo dialog is showing.");
            acedHostFail(where(line->lineNumber) + L"a dialog line where a command was expected");
            continue;
        }
        acedStateOut(line->text, s.source->echoesInput());
        if (!line->text.empty()) return line;
    }
}

void dispatch(const AcEdScriptLine& entry) {
    AcRxFunctionPtr function = findCommand(entry.text);
    if (function != nullptr) {
        runCommand(function, entry.text, entry.lineNumber);
        return;
    }
    acutPrintf(L"\nUnknown command \"%s\".  Press F1 for help.", entry.text.c_str());
    acedHostFail(where(entry.lineNumber) + L"unknown command \"" + entry.text + L"\"");
}

}  // namespace

AcEdRunResult acedHostRun(AcEdInputSource& source) {
    AcEdState& s = acedState();
    AcEdInputSource* outer = s.source;
    s.source = &source;
    s.pushedBack.reset();
    s.failed = s.quit = s.inputEnded = false;
    s.failure.clear();
    while (!s.failed && !s.quit) {
        std::optional<AcEdScriptLine> entry = nextEntry();
        if (!entry) break;
        dispatch(*entry);
    }
    AcEdRunResult result{!s.failed, s.failure};
    s.source = outer;
    s.pushedBack.reset();
    s.failed = s.quit = s.inputEnded = false;
    s.failure.clear();
    return result;
}

void acedHostFail(const std::wstring& message) {
    AcEdState& s = acedState();
    if (s.source != nullptr && !s.source->isBatch()) return;
    acedStateFail(message);
}

void acedHostRequestQuit() { acedState().quit = true; }

bool acedHostIsBatch() {
    const AcEdState& s = acedState();
    return s.source != nullptr && s.source->isBatch();
}

void acedHostAddBuiltinCommand(const wchar_t* name, void (*function)()) {
    if (name == nullptr || function == nullptr) return;
    acedState().builtins.push_back({name, function});
}

void acedHostClearBuiltinCommands() { acedState().builtins.clear(); }

std::optional<AcEdScriptLine> acedHostNextDialogLine(const std::wstring& dialogName) {
    AcEdState& s = acedState();
    std::optional<AcEdScriptLine> line = acedStateNextLine();
    // At a terminal another line is reported and the dialog asks again.
    while (line && !line->isDialog() && s.source != nullptr && !s.source->isBatch()) {
        acedStateOut(L"\nA dialog line was expected: the dialog \"" + dialogName +
                     L"\" is showing.");
        line = acedStateNextLine();
    }
    if (line && line->isDialog()) return line;
    if (line) s.pushedBack = std::move(line);
    const int at = s.pushedBack ? s.pushedBack->lineNumber : s.lineNumber;
    const std::wstring what = s.pushedBack ? L"a dialog line was expected" : L"the script ended";
    acedHostFail(where(at) + what + L" while the dialog \"" + dialogName + L"\" is showing");
    return std::nullopt;
}

std::optional<AcEdScriptLine> AcEdTerminalSource::next() {
    for (;;) {
        std::string raw;
        int c = 0;
        while ((c = std::fgetc(mIn)) != EOF && c != '\n') raw += static_cast<char>(c);
        if (c == EOF && raw.empty()) return std::nullopt;
        ++mLineNumber;
        AcEdScriptParse p = acedParseScriptLine(wcrtFromUtf8(raw), 0);
        if (p.error.empty() && p.line) return p.line;
        if (!p.error.empty()) acedStateOut(L"\n" + p.error + L"\n", true);
    }
}
