// CxShadeButton: an owner-drawn push button whose face is a generated
// shaded bitmap in the system's 3-D colours.
#pragma once

#include <windows.h>

#include "ShadeBitmap.h"

namespace setup {

class CxShadeButton {
  public:
    CxShadeButton() = default;
    ~CxShadeButton();
    CxShadeButton(const CxShadeButton&) = delete;
    CxShadeButton& operator=(const CxShadeButton&) = delete;

    // Takes over the dialog's control `id`: records its style and makes it
    // owner-drawn.
    void Attach(HWND dialog, int id);
    void SetShade(int style, int granularity, int highlight, int colouring, COLORREF colour);
    HWND Window() const { return m_window; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Draw(const DRAWITEMSTRUCT& item);
    void DrawText(HDC dc, RECT rect, COLORREF colour);

    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
    ShadeFaces m_faces;
    bool m_shaded = false;
    UINT m_textFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    bool m_isDefault = false;
    bool m_border = true;
    bool m_push = true;
    bool m_flat = false;
    bool m_hover = false;
};

}  // namespace setup
