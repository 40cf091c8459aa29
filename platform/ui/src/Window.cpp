#include <cwctype>

#include "afxwin.h"
#include "uidriver.h"

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    HICON old = mIcons[big ? 1 : 0];
    mIcons[big ? 1 : 0] = icon;
    return old;
}

void CButton::Click() {
    if (!mEnabled) return;
    if (mStyle == Style::kRadio) mCheck = 1;
    if (mHandler) mHandler();
}

bool CEdit::TypeText(const std::wstring& text) {
    mText = text;
    return true;
}

// number := [sign] digit* ['.' digit*]   -- read while typing, so parts may be empty
bool IsDecimalInput(const std::wstring& text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) ++i;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= L'0' && text[i] <= L'9') continue;
        if (text[i] != L'.' || point) return false;
        point = true;
    }
    return true;
}

bool CDecimalEdit::TypeText(const std::wstring& text) {
    if (!IsDecimalInput(text)) return false;
    mText = text;
    return true;
}

int CComboBox::AddString(const std::wstring& text) {
    mItems.push_back(text);
    return GetCount() - 1;
}

std::wstring CComboBox::GetLBText(int index) const {
    return index >= 0 && index < GetCount() ? mItems[index] : std::wstring();
}

int CComboBox::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) {
        mSel = CB_ERR;
        return CB_ERR;
    }
    mSel = index;
    mText = mItems[index];
    return index;
}

namespace {
bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(text[i]) != std::towlower(prefix[i])) return false;
    return true;
}
}  // namespace

int CComboBox::FindString(int startAfter, const std::wstring& prefix) const {
    const int n = GetCount();
    if (n == 0) return CB_ERR;
    const int first = startAfter < 0 || startAfter >= n ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        if (StartsWithNoCase(mItems[i], prefix)) return i;
    }
    return CB_ERR;
}

void CComboBox::TypeText(const std::wstring& text) {
    mText = text;
    mSel = CB_ERR;
    for (int i = 0; i < GetCount(); ++i)
        if (mItems[i] == text) mSel = i;
}

CDialog::CDialog(const std::wstring& title, CWnd* parent, int width, int height) {
    mText = title;
    mParent = parent;
    mRect = {0, 0, width, height};
}

INT_PTR CDialog::DoModal() {
    mEnded = false;
    mResult = IDCANCEL;
    if (UiDriver() != nullptr) return UiDriver()->RunModal(*this);
    Start();
    if (!mEnded) EndDialog(IDCANCEL);
    return mResult;
}

void CDialog::Start() {
    mEnded = false;
    OnInitDialog();
}

void CDialog::EndDialog(int result) {
    mEnded = true;
    mResult = result;
}

void CDialog::CenterWindow() {
    // The host's screen is as large as the dialog needs; centring keeps the
    // dialog's own coordinates, which is all a picture of it shows.
    mRect = {0, 0, mRect.Width(), mRect.Height()};
}

CButton* CDialog::DefaultButton() const {
    for (CWnd* c : mControls)
        if (auto* b = dynamic_cast<CButton*>(c); b != nullptr && b->IsDefault()) return b;
    return nullptr;
}

void CDialog::SetSize(int width, int height) {
    mRect.right = mRect.left + width;
    mRect.bottom = mRect.top + height;
    OnSize(width, height);
}

std::wstring CDialog::TakeRefusal() {
    std::wstring why = std::move(mRefusal);
    mRefusal.clear();
    return why;
}

void CDialog::AddControl(CWnd& control, const CRect& place) {
    control.mParent = this;
    control.mRect = place;
    mControls.push_back(&control);
}

std::wstring UiControlLabel(const CDialog& dialog, const CWnd& control) {
    std::wstring label;
    for (const CWnd* c : dialog.Controls()) {
        if (c == &control) break;
        if (dynamic_cast<const CStatic*>(c) != nullptr) label = c->GetWindowText();
    }
    while (!label.empty() && (label.back() == L':' || label.back() == L'\uFF1A')) label.pop_back();
    return label;
}
