#include "Pages.h"

#include <commctrl.h>
#include <shlobj.h>

#include "InstallWorker.h"
#include "Paths.h"
#include "SetupMessages.h"
#include "SetupThread.h"
#include "Win32Files.h"
#include "WizardRules.h"
#include "resource.h"

namespace setup {
namespace {

constexpr const char* kLicence =
    "QUARN V9.0 土方计算地形分析软件 最终用户许可协议\r\n"
    "\r\n"
    "请仔细阅读本协议。安装、复制或使用本软件，即表示您同意接受本协议各项条款的约束。\r\n"
    "\r\n"
    "一、许可范围：本软件仅许可在一台计算机上安装和使用。\r\n"
    "二、限制：不得对本软件进行反向工程、反编译或反汇编，不得出租或转让本软件。\r\n"
    "三、计算结果：用户应自行复核本软件计算的土方量及各项数据。\r\n"
    "四、责任限制：在法律允许的范围内，软件作者对因使用本软件造成的任何间接损失不承担责任。\r\n"
    "五、终止：如您违反本协议的任何条款，本许可自动终止，您须销毁本软件的全部副本。\r\n"
    "\r\n"
    "如果您同意以上条款，请选择“同意”并单击“下一步”继续安装。\r\n";

struct ButtonShade {
    int id;
    int style;
};
// Forward and backward buttons stand out hard, Cancel softly.
constexpr ButtonShade kButtonShades[] = {
    {IDC_BACK, kHardBump}, {IDC_NEXT, kHardBump}, {IDCANCEL, kSoftBump}};

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

BOOL WizardPage::OnInitDialog() {
    CopyOwnerIcons();
    m_title.Attach(Window(), IDC_TITLE);
    m_title.SetShadow(1);
    int used = 0;
    for (const ButtonShade& shade : kButtonShades) {
        if (!Item(shade.id)) continue;
        m_buttons[used].Attach(Window(), shade.id);
        m_buttons[used++].SetShade(shade.style, 8, 10, 0, 0);
    }
    return TRUE;
}

CDlgIntroPage::CDlgIntroPage() : WizardPage(IDD_INTRO_PAGE) {}

BOOL CDlgIntroPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    m_text.Attach(Window(), IDC_INTRO_TEXT);
    return TRUE;
}

bool CDlgIntroPage::OnCommand(int id, int) {
    if (id != IDC_NEXT) return false;
    EndDialog(ID_WIZNEXT);
    return true;
}

CDlgCompactPage::CDlgCompactPage() : WizardPage(IDD_COMPACT_PAGE) {}

BOOL CDlgCompactPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    SetDlgItemTextA(Window(), IDC_LICENCE, kLicence);
    Accept(m_accepted);
    // The focus on the chosen answer, not on the licence (whose whole text
    // the focus would select).
    SetFocus(Item(m_accepted ? IDC_AGREE : IDC_DISAGREE));
    return FALSE;
}

void CDlgCompactPage::Accept(int accepted) {
    m_accepted = accepted;
    CheckDlgButton(Window(), IDC_AGREE, accepted ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Window(), IDC_DISAGREE, accepted ? BST_UNCHECKED : BST_CHECKED);
    EnableWindow(Item(IDC_NEXT), accepted != 0);
}

bool CDlgCompactPage::OnCommand(int id, int code) {
    switch (id) {
        case IDC_AGREE:
        case IDC_DISAGREE: {
            if (code != BN_CLICKED) return false;
            const bool checked = IsDlgButtonChecked(Window(), id) == BST_CHECKED;
            Accept((id == IDC_AGREE) == checked ? 1 : 0);
            return true;
        }
        case IDC_NEXT:
            EndDialog(ID_WIZNEXT);
            return true;
        case IDC_BACK:
            EndDialog(ID_WIZBACK);
            return true;
        default:
            return false;
    }
}

CDlgPathPage::CDlgPathPage() : WizardPage(IDD_PATH_PAGE) {}

BOOL CDlgPathPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    SetDlgItemTextA(Window(), IDC_DESTINATION, m_destination.c_str());
    return TRUE;
}

bool CDlgPathPage::OnCommand(int id, int) {
    switch (id) {
        case IDC_BROWSE:
            Browse();
            return true;
        case IDC_NEXT:
            Next();
            return true;
        case IDC_BACK:
            EndDialog(ID_WIZBACK);
            return true;
        default:
            return false;
    }
}

void CDlgPathPage::Next() {
    m_destination = ItemText(Window(), IDC_DESTINATION);
    if (AcceptsDestination(m_destination)) {
        EndDialog(ID_WIZNEXT);
        return;
    }
    HWND edit = Item(IDC_DESTINATION);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

namespace {

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
        SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, data);
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        if (!SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) path[0] = 0;
        SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

}  // namespace

void CDlgPathPage::Browse() {
    const std::string typed = ItemText(Window(), IDC_DESTINATION);
    const std::string title = LoadText(IDS_BROWSE_TITLE);
    char name[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = Window();
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(typed.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (!chosen) return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(chosen, path)) {
        SetDlgItemTextA(Window(), IDC_DESTINATION, BrowsedDestination(path).c_str());
    }
    CoTaskMemFree(chosen);
}

CDlgInstallPage::CDlgInstallPage() : WizardPage(IDD_INSTALL_PAGE) {}

CDlgInstallPage::~CDlgInstallPage() { WaitForWorker(); }

void CDlgInstallPage::WaitForWorker() {
    if (m_thread) m_thread->Wait();
}

BOOL CDlgInstallPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    EnableWindow(Item(IDC_BACK), FALSE);
    EnableWindow(Item(IDC_NEXT), FALSE);
    m_source = WithBackslash(Trim(m_source));
    m_destination = WithBackslash(Trim(m_destination));

    Win32Files files;
    const int maximum = ProgressMaximum(CountInstallFiles(files, m_source));
    SendMessageA(Item(IDC_PROGRESS), PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
    SendMessageA(Item(IDC_PROGRESS), PBM_SETSTEP, 1, 0);

    if (!m_thread) {
        m_questions = std::make_unique<MessageBoxQuestions>(Window(), ApplicationName());
        m_thread = std::make_unique<SetupThread>(Window(), *m_questions, m_source, m_destination);
        m_thread->Start();
    }
    return TRUE;
}

bool CDlgInstallPage::OnCommand(int id, int) {
    if (id != IDC_NEXT) return false;
    EndDialog(ID_WIZNEXT);
    return true;
}

void CDlgInstallPage::OnCancel() {
    const std::string warning = LoadText(IDS_CANCEL_INSTALL);
    if (MessageBoxA(Window(), warning.c_str(), ApplicationName().c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    if (m_thread) m_thread->RequestCancel();
    EndDialog(ID_WIZFINISH);
}

INT_PTR CDlgInstallPage::OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) {
    switch (message) {
        case WM_SETUP_PROGRESS:
            SetDlgItemTextA(Window(), IDC_STATUS,
                            Format("%s ...", reinterpret_cast<const char*>(lParam)).c_str());
            SendMessageA(Item(IDC_PROGRESS), PBM_STEPIT, 0, 0);
            return 0;
        case WM_SETUP_CONFIGURING:
            SetDlgItemTextA(Window(), IDC_STATUS, "");
            ShowWindow(Item(IDC_PROGRESS), SW_HIDE);
            ShowWindow(Item(IDC_COPY_GROUP), SW_HIDE);
            ShowWindow(Item(IDC_CONFIGURING), SW_SHOW);
            EnableWindow(Item(IDCANCEL), FALSE);
            return 0;
        case WM_SETUP_FINISHED:
            EnableWindow(Item(IDC_NEXT), TRUE);
            EndDialog(ID_WIZNEXT);
            return 0;
        case WM_SETUP_FAILED:
            EndDialog(ID_WIZFINISH);
            return 0;
        default:
            handled = false;
            return 0;
    }
}

CDlgFinishPage::CDlgFinishPage() : WizardPage(IDD_FINISH_PAGE) {}

BOOL CDlgFinishPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    CheckDlgButton(Window(), IDC_READ_README, BST_CHECKED);
    return TRUE;
}

bool CDlgFinishPage::OnCommand(int id, int) {
    if (id != IDC_NEXT) return false;
    if (IsDlgButtonChecked(Window(), IDC_READ_README) == BST_CHECKED) {
        const std::string readme = ReadmePath(m_destination);
        if (GetFileAttributesA(readme.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ShellExecuteA(Window(), "OPEN", readme.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
        }
    }
    EndDialog(ID_WIZFINISH);
    return true;
}

}  // namespace setup
