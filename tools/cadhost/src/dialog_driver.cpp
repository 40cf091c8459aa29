#include "dialog_driver.h"

#include "acedhost.h"
#include "acutads.h"
#include "wcrt.h"

namespace {

constexpr const wchar_t* kTerminalHelp =
    L"dialog lines: !dialog.set LABEL VALUE | !dialog.set grid:R,C VALUE | !dialog.focus grid:R,C"
    L" | !dialog.click CAPTION | !dialog.ok | !dialog.cancel | !dialog.resize W H"
    L" | !dialog.snapshot FILE.svg";

// Does what the line says; why not when it cannot be done.
std::wstring Apply(CDialog& dialog, const AcEdScriptLine& line) {
    switch (line.kind) {
        case AcEdScriptKind::kDialog:
            if (line.text == dialog.GetWindowText()) return std::wstring();
            return L"the dialog \"" + dialog.GetWindowText() + L"\" is showing, not \"" +
                   line.text + L"\"";
        case AcEdScriptKind::kDialogSet:
            return ui::Set(dialog, line.control, line.text);
        case AcEdScriptKind::kDialogClick:
            return ui::Click(dialog, line.control);
        case AcEdScriptKind::kDialogFocus:
            return ui::Focus(dialog, line.control);
        case AcEdScriptKind::kDialogOk:
            return ui::Ok(dialog);
        case AcEdScriptKind::kDialogCancel:
            return ui::Cancel(dialog);
        case AcEdScriptKind::kDialogSnapshot:
            return ui::Snapshot(dialog, wcrtToUtf8(line.text));
        case AcEdScriptKind::kDialogResize:
            return ui::Resize(dialog, static_cast<int>(line.count), static_cast<int>(line.height));
        default:
            return L"not a dialog line";
    }
}

}  // namespace

int CadhostDialogDriver::RunModal(CDialog& dialog) {
    dialog.Start();
    for (bool first = true; !dialog.IsEnded(); first = false) {
        const bool terminal = !acedHostIsBatch();
        if (terminal)
            acutPrintf(L"\n%s%s", UiDialogText(dialog).c_str(), first ? kTerminalHelp : L"");
        std::optional<AcEdScriptLine> line = acedHostNextDialogLine(dialog.GetWindowText());
        if (!line) {
            ui::Cancel(dialog);  // the input ended or the run stopped
            break;
        }
        const std::wstring error = Apply(dialog, *line);
        if (error.empty()) continue;
        if (terminal) {
            acutPrintf(L"\n%s", error.c_str());
            continue;
        }
        acedHostFail(wcrtFormat(L"script line %d: ", line->lineNumber) + error);
        ui::Cancel(dialog);
    }
    return dialog.GetResult();
}
