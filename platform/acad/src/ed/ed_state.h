// The editor's process-wide state, shared by the editor's files (src/ed/). Everything
// runs on the host's main thread; only the interrupt flag is set from a
// signal handler.
#pragma once

#include <csignal>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "aced.h"
#include "acedhost.h"
#include "acedparse.h"
#include "dbid.h"

struct AcEdBuiltinCommand {
    std::wstring name;
    void (*function)();
};

struct AcEdProgressMeter {
    bool active = false;
    std::wstring label;
    int minPos = 0;
    int maxPos = 0;
    int shownPercent = -1;  // last percent drawn, so a redraw happens only on change
};

struct AcEdState {
    // Input.
    AcEdInputSource* source = nullptr;
    std::optional<AcEdScriptLine> pushedBack;  // a line read ahead and not used
    int initFlags = 0;                         // acedInitGet, for the next request only
    std::vector<AcEdKeyword> keywords;
    std::wstring lastInput;    // what acedGetInput returns
    int lineNumber = 0;        // script line of the last answer
    long breakCountdown = -1;  // polls left before a break; -1 none armed
    bool failed = false;       // a batch run cannot go on
    std::wstring failure;
    bool quit = false;
    bool inputEnded = false;
    std::vector<AcEdBuiltinCommand> builtins;

    // Output.
    std::wstring transcript;
    bool terminalEcho = false;
    bool terminalAtLineStart = true;  // the user's Enter already moved to a new line

    // Drawing-related.
    AcEdUcs ucs;
    AcGePoint3d lastPoint;  // user coordinates, like the host's "LASTPOINT"
    AcEdProgressMeter meter;
    CWnd* frame = nullptr;
    std::map<Adesk::LongPtr, std::vector<AcDbObjectId>> selectionSets;
    Adesk::LongPtr nextSelectionSet = 1;
};

AcEdState& acedState();

// Set by SIGINT while commands run at a terminal: a user break for acedUsrBrk.
extern volatile std::sig_atomic_t gAcedInterrupt;

// Appends to the transcript and, when echo is on, writes to standard output.
// Answers typed at a terminal are not written again (echoedByUser).
void acedStateOut(const std::wstring& text, bool echoedByUser = false);

// Stops a batch run: the message is kept, further requests are cancelled.
void acedStateFail(const std::wstring& message);

// Keyword and control bits of acedInitGet, taken by the next request.
struct AcEdRequestOptions {
    int flags = 0;
    std::vector<AcEdKeyword> keywords;
};
AcEdRequestOptions acedTakeRequestOptions();

// Checks one typed answer; returns an error text (the host's message) or null.
using AcEdParser = std::function<const wchar_t*(const std::wstring& text)>;

// Asks until an answer fits: Escape gives RTCAN, Enter RTNONE (refused with
// RSG_NONULL), a value the parser accepts RTNORM, a keyword (or any text with
// RSG_OTHER) RTKWORD. A refused answer stops a batch run (RTCAN).
int acedRequest(const ACHAR* prompt, const AcEdRequestOptions& options, const AcEdParser& parse);

// Takes the next line from the source (or the line pushed back). Break lines
// are obeyed on the way. Nothing when the input has ended or failed.
std::optional<AcEdScriptLine> acedStateNextLine();
