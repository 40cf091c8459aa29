// Script lines of the host program: one input per line for the current prompt,
// plus directive lines for Escape, user breaks and dialogs. Stand-in only (the
// host program and tests use it; plug-in code never does). docs/scripts.md
// describes the format for other programs.
//
// Grammar (one line; a trailing carriage return is ignored):
//   line      := comment | directive | literal | input
//   comment   := ';' any*                        -- skipped, not an input
//   literal   := '!!' any*                       -- input text '!' any*
//   directive := '!' verb [blank arguments]
//     verb  "escape"                             -- presses Escape at the prompt
//           "break" count                        -- user break after count more polls
//           "dialog" name                        -- the named dialog is expected now
//           "dialog.set" control [blank value]   -- value is the rest of the line
//           "dialog.click" control
//           "dialog.focus" control
//           "dialog.ok" | "dialog.cancel"
//           "dialog.snapshot" file                -- file is the rest of the line
//           "dialog.resize" width height          -- pixels, 1 to 99999
//   input     := any*                            -- trimmed; empty means Enter
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class AcEdScriptKind {
    kInput,        // text for the current prompt (empty: Enter)
    kEscape,       // Escape at the current prompt
    kBreak,        // arm a user break after `count` polls of acedUsrBrk
    kDialog,       // `text` names the dialog expected to be showing
    kDialogSet,    // set `control` to `text`
    kDialogClick,  // press `control`
    kDialogOk,
    kDialogCancel,
    kDialogFocus,     // put the focus on `control`
    kDialogSnapshot,  // write the picture of the dialog to the file `text`
    kDialogResize,    // resize the dialog to `count` x `height` pixels
};

struct AcEdScriptLine {
    AcEdScriptKind kind = AcEdScriptKind::kInput;
    std::wstring text;
    std::wstring control;
    long count = 0;
    long height = 0;     // kDialogResize only
    int lineNumber = 0;  // 1-based line of the script; 0 for lines not read from a file

    bool isDialog() const {
        return kind == AcEdScriptKind::kDialog || kind == AcEdScriptKind::kDialogSet ||
               kind == AcEdScriptKind::kDialogClick || kind == AcEdScriptKind::kDialogOk ||
               kind == AcEdScriptKind::kDialogCancel || kind == AcEdScriptKind::kDialogFocus ||
               kind == AcEdScriptKind::kDialogSnapshot || kind == AcEdScriptKind::kDialogResize;
    }
};

// Outcome of reading one line: a line, nothing (a comment), or an error text.
struct AcEdScriptParse {
    std::optional<AcEdScriptLine> line;
    std::wstring error;  // non-empty when the line is malformed
};

AcEdScriptParse acedParseScriptLine(const std::wstring& rawLine, int lineNumber);

// A whole script. On the first malformed line `error` reads
// "script line N: ..." and `lines` holds what came before it.
struct AcEdScript {
    std::vector<AcEdScriptLine> lines;
    std::wstring error;
    bool ok() const { return error.empty(); }
};

// Splits UTF-8 text into lines (LF or CRLF; a leading byte-order mark is dropped).
AcEdScript acedParseScript(const std::string& utf8Text);
// Reads a script file; a file that cannot be read is an error naming it.
AcEdScript acedReadScriptFile(const std::string& path);
