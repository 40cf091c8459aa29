#include "ShadeButton.h"

#include <string>

#include "Dialog.h"

namespace setup {
namespace {

// Every button of the program draws its noise from the runtime's one
// unseeded sequence.
RuntimeRand& ProgramRand() {
    static RuntimeRand rand;
    return rand;
}

Rgb ToRgb(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

ButtonColours SystemButtonColours() {
    return {ToRgb(GetSysColor(COLOR_BTNSHADOW)), ToRgb(GetSysColor(COLOR_BTNFACE)),
            ToRgb(GetSysColor(COLOR_BTNHIGHLIGHT))};
}

// Draws an 8-bit bitmap 1:1 at (x, y).
void DrawBitmap8(HDC dc, const Bitmap8& bitmap, int x, int y) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = bitmap.Width();
    info.header.biHeight = bitmap.Height();  // bottom-up rows
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
        const Rgb& c = bitmap.Palette()[i];
        info.colours[i] = {static_cast<BYTE>(c.b), static_cast<BYTE>(c.g), static_cast<BYTE>(c.r),
                           0};
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, bitmap.Width(), bitmap.Height(), 0, 0, bitmap.Width(), bitmap.Height(),
                  bitmap.Bits().data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                  SRCCOPY);
}

constexpr const char* kSelf = "CxShadeButton";

}  // namespace

CxShadeButton::~CxShadeButton() {
    if (m_window && IsWindow(m_window)) {
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        RemovePropA(m_window, kSelf);
    }
}

void CxShadeButton::Attach(HWND dialog, int id) {
    m_window = GetDlgItem(dialog, id);
    if (!m_window) return;
    const LONG style = GetWindowLongA(m_window, GWL_STYLE);
    const LONG kind = style & BS_TYPEMASK;
    m_isDefault = kind == BS_DEFPUSHBUTTON;
    m_border = m_push = kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
    m_flat = (style & BS_FLAT) != 0;
    const LONG align = style & BS_CENTER;
    m_textFormat = DT_SINGLELINE | DT_VCENTER |
                   (align == BS_LEFT    ? DT_LEFT
                    : align == BS_RIGHT ? DT_RIGHT
                                        : DT_CENTER);
    SetWindowLongA(m_window, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    SetPropA(m_window, kSelf, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

void CxShadeButton::SetShade(int style, int granularity, int highlight, int colouring,
                             COLORREF colour) {
    if (!m_window) return;
    RECT rect;
    GetClientRect(m_window, &rect);
    m_faces = MakeShadeFaces(rect.right, rect.bottom,
                             Shade{style, granularity, highlight, colouring, ToRgb(colour)},
                             SystemButtonColours(), ProgramRand());
    m_shaded = true;
    InvalidateRect(m_window, nullptr, FALSE);
}

LRESULT CALLBACK CxShadeButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CxShadeButton*>(GetPropA(window, kSelf));
    return self->Handle(message, wParam, lParam);
}

LRESULT CxShadeButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kReflectedDrawItem:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_LBUTTONDBLCLK:  // a second press, not a double click
            message = WM_LBUTTONDOWN;
            break;
        case WM_MOUSEMOVE:
            if (!m_hover) {
                TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_window, 0};
                TrackMouseEvent(&track);
                m_hover = true;
                InvalidateRect(m_window, nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            m_hover = false;
            InvalidateRect(m_window, nullptr, FALSE);
            break;
        case WM_KILLFOCUS:
            if (GetCapture() == m_window) ReleaseCapture();
            break;
        case WM_ENABLE:
            InvalidateRect(m_window, nullptr, FALSE);
            break;
        default:
            break;
    }
    return CallWindowProcA(m_previous, m_window, message, wParam, lParam);
}

void CxShadeButton::DrawText(HDC dc, RECT rect, COLORREF colour) {
    char text[256] = "";
    GetWindowTextA(m_window, text, sizeof text);
    SetTextColor(dc, colour);
    ::DrawTextA(dc, text, -1, &rect, m_textFormat);
}

void CxShadeButton::Draw(const DRAWITEMSTRUCT& item) {
    const RECT bounds = item.rcItem;
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    HDC memory = CreateCompatibleDC(item.hDC);
    HBITMAP canvas = CreateCompatibleBitmap(item.hDC, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont =
        SelectObject(memory, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(memory, TRANSPARENT);

    const ButtonLook look = LookFor({(item.itemState & ODS_DISABLED) != 0,
                                     (item.itemState & ODS_SELECTED) != 0, m_hover, m_isDefault});
    RECT rect = {0, 0, width, height};
    FillRect(memory, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (m_shaded) {
        const Bitmap8* faces[] = {&m_faces.face, &m_faces.hover, &m_faces.pressed,
                                  &m_faces.disabled};
        const int shift = m_push ? look.offset : 0;
        DrawBitmap8(memory, *faces[static_cast<int>(look.face)], shift, shift);
    }
    if (m_border) {
        switch (look.edge) {
            case EdgeKind::kRaised:
                DrawEdge(memory, &rect, EDGE_RAISED, BF_RECT);
                break;
            case EdgeKind::kSunken:
                DrawEdge(memory, &rect, EDGE_SUNKEN, BF_RECT);
                break;
            case EdgeKind::kDefault:
                DrawEdge(memory, &rect, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
                break;
        }
    }
    if ((item.itemState & ODS_FOCUS) && m_shaded) {
        const int m = kFocusMargin;
        DrawBitmap8(memory, m_faces.focusLineH, m, m);
        DrawBitmap8(memory, m_faces.focusLineH, m, height - m - 1);
        DrawBitmap8(memory, m_faces.focusLineV, m, m);
        DrawBitmap8(memory, m_faces.focusLineV, width - m - 1, m);
    }
    RECT text = {kFocusMargin + 2, 0, width - kFocusMargin - 2, height};
    if (look.embossed) {
        DrawText(memory, text, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&text, -1, -1);
        DrawText(memory, text, GetSysColor(COLOR_GRAYTEXT));
    } else {
        if (m_push) OffsetRect(&text, look.offset, look.offset);
        DrawText(memory, text, GetSysColor(COLOR_BTNTEXT));
    }
    BitBlt(item.hDC, bounds.left, bounds.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(canvas);
    DeleteDC(memory);
}

}  // namespace setup
