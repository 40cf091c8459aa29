#include "Dialog.h"

namespace setup {

INT_PTR Dialog::DoModal(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_template), owner,
                           &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

void Dialog::CopyOwnerIcons() {
    HWND owner = GetWindow(m_window, GW_OWNER);
    if (!owner) return;
    for (WPARAM kind : {ICON_BIG, ICON_SMALL}) {
        SendMessageA(m_window, WM_SETICON, kind, SendMessageA(owner, WM_GETICON, kind, 0));
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_window = window;
        return self->OnInitDialog();
    }
    if (!self) return FALSE;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (self->OnCommand(id, HIWORD(wParam))) return TRUE;
            if (id == IDOK) self->OnOK();
            if (id == IDCANCEL) self->OnCancel();
            return id == IDOK || id == IDCANCEL;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_BUTTON) return FALSE;
            SendMessageA(item->hwndItem, kReflectedDrawItem, wParam, lParam);
            return TRUE;
        }
        default: {
            bool handled = true;
            const INT_PTR result = self->OnMessage(message, wParam, lParam, handled);
            if (handled && message == WM_QUERYDRAGICON) return result;
            if (handled) SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
            return handled ? TRUE : FALSE;
        }
    }
}

std::string LoadText(int id) {
    char text[1024] = "";
    LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
    return text;
}

}  // namespace setup
