// What a user does to a showing dialog, shared by every driver.
#include <fstream>

#include "GridCtrl.h"
#include "uidriver.h"
#include "wcrt.h"

// The dialog's own handlers for Enter and closing the window.
struct UiDialogAccess {
    static void Ok(CDialog& d) { d.OnOK(); }
    static void Cancel(CDialog& d) { d.OnCancel(); }
};

namespace {

CUiDriver* gDriver = nullptr;

template <class T>
T* FindControl(const CDialog& dialog) {
    for (CWnd* c : dialog.Controls())
        if (auto* t = dynamic_cast<T*>(c)) return t;
    return nullptr;
}

// "grid:R,C" -> row and column.
bool ParseCellName(const std::wstring& name, int& row, int& column) {
    const std::wstring stem = L"grid:";
    if (name.rfind(stem, 0) != 0) return false;
    const std::wstring rest = name.substr(stem.size());
    const size_t comma = rest.find(L',');
    if (comma == std::wstring::npos || comma == 0 || comma + 1 == rest.size()) return false;
    for (size_t i = 0; i < rest.size(); ++i)
        if (i != comma && (rest[i] < L'0' || rest[i] > L'9')) return false;
    if (comma > 6 || rest.size() - comma - 1 > 6) return false;  // no grid has a million rows
    row = std::stoi(rest.substr(0, comma));
    column = std::stoi(rest.substr(comma + 1));
    return true;
}

std::wstring NoSuch(const CDialog& dialog, const std::wstring& what, const std::wstring& name) {
    return L"the dialog \"" + dialog.GetWindowText() + L"\" has no " + what + L" \"" + name + L"\"";
}

}  // namespace

CUiDriver* UiSetDriver(CUiDriver* driver) {
    CUiDriver* old = gDriver;
    gDriver = driver;
    return old;
}

CUiDriver* UiDriver() { return gDriver; }

namespace ui {

std::wstring Click(CDialog& dialog, const std::wstring& caption) {
    for (CWnd* c : dialog.Controls()) {
        auto* b = dynamic_cast<CButton*>(c);
        if (b == nullptr || b->GetWindowText() != caption) continue;
        if (!b->IsWindowEnabled()) return L"the button \"" + caption + L"\" is disabled";
        b->Click();
        return dialog.TakeRefusal();
    }
    return NoSuch(dialog, L"button", caption);
}

std::wstring Set(CDialog& dialog, const std::wstring& control, const std::wstring& value) {
    int row = 0, column = 0;
    if (ParseCellName(control, row, column)) {
        CGridCtrl* grid = FindControl<CGridCtrl>(dialog);
        if (grid == nullptr) return NoSuch(dialog, L"grid", control);
        std::wstring why;
        return grid->EditCell(row, column, value, why) ? std::wstring() : why;
    }
    for (CWnd* c : dialog.Controls()) {
        if (UiControlLabel(dialog, *c) != control) continue;
        if (auto* e = dynamic_cast<CEdit*>(c)) {
            if (e->TypeText(value)) return std::wstring();
            return L"the field \"" + control + L"\" does not take \"" + value + L"\"";
        }
        if (auto* list = dynamic_cast<CComboBox*>(c)) {
            list->TypeText(value);
            return std::wstring();
        }
    }
    return NoSuch(dialog, L"field", control);
}

std::wstring Focus(CDialog& dialog, const std::wstring& control) {
    int row = 0, column = 0;
    CGridCtrl* grid = FindControl<CGridCtrl>(dialog);
    if (!ParseCellName(control, row, column) || grid == nullptr)
        return NoSuch(dialog, L"grid cell", control);
    if (!grid->SetFocusCell(row, column))
        return L"the grid has no cell " + std::to_wstring(row) + L"," + std::to_wstring(column);
    return std::wstring();
}

std::wstring Ok(CDialog& dialog) {
    // Enter presses the default button; one without a handler of its own confirms.
    if (CButton* b = dialog.DefaultButton(); b != nullptr && b->HasHandler())
        return Click(dialog, b->GetWindowText());
    UiDialogAccess::Ok(dialog);
    return dialog.TakeRefusal();
}

std::wstring Cancel(CDialog& dialog) {
    UiDialogAccess::Cancel(dialog);
    return std::wstring();
}

std::wstring Resize(CDialog& dialog, int width, int height) {
    if (!dialog.IsResizable())
        return L"the dialog \"" + dialog.GetWindowText() + L"\" has a fixed size";
    if (width < 50 || height < 50 || width > 10000 || height > 10000)
        return L"a dialog is 50 to 10000 pixels each way";
    dialog.SetSize(width, height);
    return std::wstring();
}

std::wstring Snapshot(const CDialog& dialog, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << UiDialogSvg(dialog);
    out.close();
    if (!out) return L"cannot write the picture \"" + wcrtFromUtf8(path) + L"\"";
    return std::wstring();
}

}  // namespace ui
