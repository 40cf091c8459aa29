// The window classes of the dialog framework the plug-in's dialogs stand on:
// windows, dialogs with DoModal, labels, push and radio buttons, edits (the
// decimal-number edit among them) and editable drop-down lists. Positions are
// pixels in the parent's client area. A dialog is shown by the UI driver the
// host program chose (uidriver.h); plug-in code only uses the classes here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

typedef std::uint32_t COLORREF;
typedef std::intptr_t INT_PTR;
typedef int BOOL;
typedef const struct HICON__* HICON;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect&) const = default;
};

class CDialog;

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    virtual void SetWindowText(const std::wstring& text) { mText = text; }
    virtual std::wstring GetWindowText() const { return mText; }
    const CRect& GetWindowRect() const { return mRect; }
    void MoveWindow(const CRect& rect) { mRect = rect; }
    CWnd* GetParent() const { return mParent; }
    HICON GetIcon(BOOL big) const { return mIcons[big ? 1 : 0]; }
    HICON SetIcon(HICON icon, BOOL big);
    void EnableWindow(BOOL enable) { mEnabled = enable != 0; }
    bool IsWindowEnabled() const { return mEnabled; }
    // Asks for a repaint; the count tells tests that it was asked.
    void Invalidate() { ++mPaints; }
    int PaintRequests() const { return mPaints; }

  protected:
    friend class CDialog;
    std::wstring mText;
    CRect mRect;
    CWnd* mParent = nullptr;
    HICON mIcons[2] = {nullptr, nullptr};
    bool mEnabled = true;
    int mPaints = 0;
};

// A label (static text).
class CStatic : public CWnd {};

// The face of an owner-drawn push button: a shade from light through face to
// shadow colour across its height, a grain of `granularity` (0: smooth) and a
// highlight band of `highlight` % of its height at the top.
struct CButtonFace {
    COLORREF light = RGB(255, 255, 255);
    COLORREF face = RGB(240, 240, 240);
    COLORREF shadow = RGB(160, 160, 160);
    int granularity = 0;
    int highlight = 0;
};

// A push button, the dialog's default button, or a radio button. Clicking
// runs the handler the dialog gave it (a radio button checks itself first).
class CButton : public CWnd {
  public:
    enum class Style { kPush, kDefPush, kRadio };
    explicit CButton(Style style = Style::kPush) : mStyle(style) {}
    Style GetStyle() const { return mStyle; }
    bool IsDefault() const { return mStyle == Style::kDefPush; }
    void SetCheck(int check) { mCheck = check; }
    int GetCheck() const { return mCheck; }
    void OnClicked(std::function<void()> handler) { mHandler = std::move(handler); }
    bool HasHandler() const { return static_cast<bool>(mHandler); }
    // What a mouse click does.
    void Click();
    // An owner-drawn button gives its face; a standard one returns false.
    virtual bool GetFace(CButtonFace& /*face*/) const { return false; }

  private:
    Style mStyle;
    int mCheck = 0;
    std::function<void()> mHandler;
};

// A one-line edit field. Typing replaces the whole text, as selecting all and
// typing does; an edit that refuses a character leaves its text as it was.
class CEdit : public CWnd {
  public:
    // False (text unchanged) when the edit refuses what was typed.
    virtual bool TypeText(const std::wstring& text);
};

// The decimal-number edit: digits, one decimal point and a leading sign only.
class CDecimalEdit : public CEdit {
  public:
    bool TypeText(const std::wstring& text) override;
};

// Whether a decimal-number editor takes this text: an optional leading sign,
// digits and at most one decimal point (partial numbers such as "-" or "."
// included, as while typing).
bool IsDecimalInput(const std::wstring& text);

// An editable drop-down list: a list of entries and an edit field.
class CComboBox : public CWnd {
  public:
    static constexpr int CB_ERR = -1;
    int AddString(const std::wstring& text);
    int GetCount() const { return static_cast<int>(mItems.size()); }
    std::wstring GetLBText(int index) const;
    // Selects the entry and shows it in the edit field; -1 clears the selection.
    int SetCurSel(int index);
    int GetCurSel() const { return mSel; }
    // The first entry after startAfter (wrapping round to the start) whose text
    // begins with prefix, case ignored; CB_ERR when none does.
    int FindString(int startAfter, const std::wstring& prefix) const;
    // Typing into the edit field: the selection follows an entry equal to the text.
    void TypeText(const std::wstring& text);

  private:
    std::vector<std::wstring> mItems;
    int mSel = CB_ERR;
};

// A modal dialog. A dialog class adds its controls (members of the class)
// with their places in the constructor, as a dialog template would; DoModal
// shows it through the UI driver and returns the code EndDialog was given.
class CDialog : public CWnd {
  public:
    CDialog(const std::wstring& title, CWnd* parent, int width, int height);
    INT_PTR DoModal();
    void EndDialog(int result);
    bool IsEnded() const { return mEnded; }
    int GetResult() const { return mResult; }
    void CenterWindow();

    // Controls in tab order; the label of a control is the nearest label
    // before it in that order.
    const std::vector<CWnd*>& Controls() const { return mControls; }
    CButton* DefaultButton() const;
    // A dialog with a resizing border; others keep their template size.
    virtual bool IsResizable() const { return false; }
    // Sets the size of the dialog (pixels); controls follow through OnSize.
    void SetSize(int width, int height);
    int Width() const { return mRect.Width(); }
    int Height() const { return mRect.Height(); }

    // Called by the driver when the dialog is shown.
    void Start();
    // Why the dialog refused the last action (empty when it did not), e.g. a
    // file dialog asked to open a file that is not there. Read once.
    std::wstring TakeRefusal();

  protected:
    virtual BOOL OnInitDialog() { return 1; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnSize(int /*width*/, int /*height*/) {}
    void AddControl(CWnd& control, const CRect& place);
    void Refuse(const std::wstring& why) { mRefusal = why; }

  private:
    friend struct UiDialogAccess;
    std::vector<CWnd*> mControls;
    bool mEnded = false;
    int mResult = IDCANCEL;
    std::wstring mRefusal;
};

// The label text of a control without its final colon ("标注角度:" gives
// "标注角度"); empty when no label comes before it.
std::wstring UiControlLabel(const CDialog& dialog, const CWnd& control);
