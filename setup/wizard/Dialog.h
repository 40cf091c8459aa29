// A small dialog layer over the Win32 dialog manager: modal templates with
// virtual handlers, owner-drawn items reflected to the controls that draw
// themselves.
#pragma once

#include <windows.h>

#include <string>

namespace setup {

// Owner-draw requests reflected to the control (WM_DRAWITEM + 0x2000).
constexpr UINT kReflectedDrawItem = WM_DRAWITEM + 0x2000;

class Dialog {
  public:
    explicit Dialog(int templateId) : m_template(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR DoModal(HWND owner);
    HWND Window() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    void EndDialog(INT_PTR result) { ::EndDialog(m_window, result); }

  protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // True when the command was handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Other messages; `handled` false lets the dialog manager go on.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }
    // The owner's big and small icons on this window.
    void CopyOwnerIcons();

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int m_template;
    HWND m_window = nullptr;
};

std::string LoadText(int id);

}  // namespace setup
