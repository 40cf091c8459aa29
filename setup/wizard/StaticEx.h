// CStaticEx: a transparent static text with an optional drop shadow.
#pragma once

#include <windows.h>

namespace setup {

class CStaticEx {
  public:
    CStaticEx() = default;
    ~CStaticEx();
    CStaticEx(const CStaticEx&) = delete;
    CStaticEx& operator=(const CStaticEx&) = delete;

    void Attach(HWND dialog, int id);
    // Returns the previous setting.
    int SetShadow(int on);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
    int m_shadow = 0;
    int m_shadowX = 3;
    int m_shadowY = 3;
    COLORREF m_shadowColour = RGB(208, 208, 208);
    COLORREF m_textColour = RGB(0, 0, 0);
    HFONT m_font = nullptr;  // the window's font when none
};

}  // namespace setup
