// What the host program and tests use to drive the editor: where answers
// come from, the command loop, the transcript, the user coordinate system and
// the host's own commands. Stand-in header (not part of the host SDK); plug-in
// code never includes it.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acadwin.h"
#include "acedscript.h"
#include "acge.h"

// ---------------------------------------------------------------- input sources

// Where the answers to prompts come from: a script, a terminal, a test queue.
class AcEdInputSource {
  public:
    virtual ~AcEdInputSource() = default;
    // The next line, or nothing at the end of input.
    virtual std::optional<AcEdScriptLine> next() = 0;
    // In a batch run an answer that does not fit its prompt stops the run;
    // at a terminal the prompt is shown again.
    virtual bool isBatch() const = 0;
    // Whether the answers already appear on the terminal (typed by the user).
    virtual bool echoesInput() const { return false; }
};

// Lines of a parsed script, in order.
class AcEdScriptSource : public AcEdInputSource {
  public:
    explicit AcEdScriptSource(std::vector<AcEdScriptLine> lines) : mLines(std::move(lines)) {}
    std::optional<AcEdScriptLine> next() override;
    bool isBatch() const override { return true; }

  private:
    std::vector<AcEdScriptLine> mLines;
    size_t mNext = 0;
};

// Lines read from a stream (standard input at a terminal); a malformed line
// is reported and read again. End of file ends the input.
class AcEdTerminalSource : public AcEdInputSource {
  public:
    explicit AcEdTerminalSource(std::FILE* in = stdin) : mIn(in) {}
    std::optional<AcEdScriptLine> next() override;
    bool isBatch() const override { return false; }
    bool echoesInput() const override { return true; }

  private:
    std::FILE* mIn;
    int mLineNumber = 0;
};

// Script text given as lines ("" is Enter), parsed as a script file would be.
AcEdScript acedHostScriptFromLines(const std::vector<std::wstring>& lines);

// ---------------------------------------------------------------- command loop

struct AcEdRunResult {
    bool ok = true;      // the input ran to its end (or QUIT)
    std::wstring error;  // why a batch run stopped, e.g. "script line 4: unknown command \"FOO\""
};

// Reads command names from the source and runs the commands until the input
// ends, QUIT is given, or (in a batch) something cannot go on. Nothing thrown
// by a command crosses this call.
AcEdRunResult acedHostRun(AcEdInputSource& source);

// Requests a user break: the next acedUsrBrk reports it. Safe to call from a
// signal handler (Ctrl+C at a terminal).
void acedHostInterrupt();

// Stops a batch run with this message (a host command that cannot do its work,
// such as OPEN of an unreadable file). At a terminal it is only printed.
void acedHostFail(const std::wstring& message);
// Ends the command loop after the current command (the QUIT command).
void acedHostRequestQuit();

// The host's own commands, found before the registered ones.
void acedHostAddBuiltinCommand(const wchar_t* name, void (*function)());
void acedHostClearBuiltinCommands();

// For the dialog framework in a scripted run: the next line when it is a
// dialog line (a break line on the way is obeyed); nothing at the end of the
// input or when the next line is not for a dialog (that line stays unread and
// a batch run stops with a message naming the dialog).
std::optional<AcEdScriptLine> acedHostNextDialogLine(const std::wstring& dialogName);
// True while acedHostRun reads from a batch source.
bool acedHostIsBatch();

// ---------------------------------------------------------------- output

// Everything printed on the command line since the last clear, answers included.
const std::wstring& acedHostTranscript();
void acedHostClearTranscript();
// Whether command-line output is also written to standard output (UTF-8).
void acedHostSetTerminalEcho(bool on);

// ---------------------------------------------------------------- state

// The current user coordinate system: origin and unit axes in world
// coordinates (world by default). The y axis is made perpendicular to x.
struct AcEdUcs {
    AcGePoint3d origin;
    AcGeVector3d xAxis{1.0, 0.0, 0.0};
    AcGeVector3d yAxis{0.0, 1.0, 0.0};
};
// False (and nothing changes) when the axes are zero or parallel.
bool acedHostSetUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                    const AcGeVector3d& yAxis);
AcEdUcs acedHostUcs();
AcGePoint3d acedHostUcsToWcs(const AcGePoint3d& p);
AcGePoint3d acedHostWcsToUcs(const AcGePoint3d& p);

// The main frame window that acedGetAcadFrame returns (none by default).
void acedHostSetAcadFrame(CWnd* frame);

// Forgets input state, user breaks, selection sets and the progress meter;
// system variables and the coordinate system go back to their defaults.
// Registered commands stay.
void acedHostReset();
