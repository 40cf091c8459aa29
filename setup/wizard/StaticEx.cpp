#include "StaticEx.h"

namespace setup {
namespace {
constexpr const char* kSelf = "CStaticEx";
}

CStaticEx::~CStaticEx() {
    if (m_window && IsWindow(m_window)) {
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        RemovePropA(m_window, kSelf);
    }
}

void CStaticEx::Attach(HWND dialog, int id) {
    m_window = GetDlgItem(dialog, id);
    if (!m_window) return;
    SetPropA(m_window, kSelf, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

int CStaticEx::SetShadow(int on) {
    const int previous = m_shadow;
    m_shadow = on;
    if (m_window) InvalidateRect(m_window, nullptr, TRUE);
    return previous;
}

LRESULT CALLBACK CStaticEx::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CStaticEx*>(GetPropA(window, kSelf));
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;  // the dialog's background shows through
        case WM_PAINT:
            self->Paint();
            return 0;
        default:
            return CallWindowProcA(self->m_previous, window, message, wParam, lParam);
    }
}

void CStaticEx::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    SetBkMode(dc, TRANSPARENT);
    HFONT font =
        m_font ? m_font : reinterpret_cast<HFONT>(SendMessageA(m_window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    char text[512] = "";
    GetWindowTextA(m_window, text, sizeof text);
    RECT rect;
    GetClientRect(m_window, &rect);
    if (m_shadow) {
        RECT shadow = rect;
        OffsetRect(&shadow, m_shadowX, m_shadowY);
        SetTextColor(dc, m_shadowColour);
        DrawTextA(dc, text, -1, &shadow, DT_WORDBREAK);
    }
    SetTextColor(dc, m_textColour);
    DrawTextA(dc, text, -1, &rect, DT_WORDBREAK);
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(m_window, &paint);
}

}  // namespace setup
