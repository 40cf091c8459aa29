#include "SetupDlg.h"

#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "InstallWorker.h"
#include "Pages.h"
#include "Paths.h"
#include "Registry.h"
#include "SlideShow.h"
#include "Unattended.h"
#include "WindowPorts.h"
#include "resource.h"

namespace setup {
namespace {

constexpr UINT_PTR kSlideTimer = 356;
constexpr const char* kTitle = "QUARN V9.0 安装向导";
constexpr const char* kQuitQuestion = "真要退出安装程序吗?";
constexpr const char* kSlideFolder = "安装界面\\";

}  // namespace

CSetupDlg::CSetupDlg() : Dialog(IDD_SETUP_DIALOG) {}

BOOL CSetupDlg::OnInitDialog() {
    m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));

    const std::string folder = ProgramFolder();
    m_source = folder.substr(0, folder.size() - 1);
    m_slides = FindSlides(folder + kSlideFolder);

    SystemRegistry registry;
    MessageBoxQuestions questions(Window(), kTitle);
    if (!ConfirmInstall(registry, questions)) {
        PostMessageA(Window(), WM_CLOSE, 0, 0);
        return FALSE;
    }
    SetWindowTextA(Window(), kTitle);
    m_accepted = 0;
    m_destination = kDefaultDestination;

    // The backdrop covers the work area even where no window manager
    // maximises windows.
    RECT area;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        SetWindowPos(Window(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Window(), SW_SHOWMAXIMIZED);
    SetTimer(Window(), kSlideTimer, static_cast<UINT>(m_interval), nullptr);
    RunPages();
    PostMessageA(Window(), WM_CLOSE, 0, 0);
    return TRUE;
}

void CSetupDlg::RunPages() {
    CDlgIntroPage intro;
    CDlgCompactPage licence;
    CDlgPathPage path;
    CDlgInstallPage install;
    CDlgFinishPage finish;
    Dialog* pages[] = {&intro, &licence, &path, &install, &finish};
    int n = 0;
    for (;;) {
        licence.m_accepted = m_accepted;
        path.m_destination = m_destination;
        install.m_source = m_source;
        install.m_destination = m_destination;
        finish.m_destination = m_destination;
        const INT_PTR result = pages[n]->DoModal(Window());
        if (n == 1) m_accepted = licence.m_accepted;
        if (n == 2) m_destination = path.m_destination;
        if (result == IDCANCEL) {
            if (MessageBoxA(Window(), kQuitQuestion, kTitle, MB_YESNO | MB_ICONQUESTION) == IDYES) {
                break;
            }
        } else if (result == ID_WIZBACK) {
            n = n > 0 ? n - 1 : 0;
        } else if (result == ID_WIZNEXT) {
            if (++n > 4) break;
        } else if (result == ID_WIZFINISH) {
            break;
        }
    }
    // A cancelled worker stops only at its next copied entry: the page and
    // its worker stay until the thread has ended.
    install.WaitForWorker();
}

bool CSetupDlg::EraseBackground(HDC dc) {
    RECT client;
    GetClientRect(Window(), &client);
    HBITMAP slide = nullptr;
    if (!m_slides.empty()) {
        if (m_slide >= m_slides.size()) m_slide = 0;
        slide = PrepareSlide(dc, m_slides[m_slide]);
    }
    if (!slide) {
        HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
        FillRect(dc, &client, teal);
        DeleteObject(teal);
        return true;
    }
    BITMAP info = {};
    GetObjectA(slide, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, slide);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(slide);
    return true;
}

INT_PTR CSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
    switch (message) {
        case WM_ERASEBKGND:
            return EraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_TIMER:
            if (wParam != kSlideTimer) break;
            ++m_slide;
            InvalidateRect(Window(), nullptr, TRUE);
            return 0;
        case WM_PAINT:
            if (!IsIconic(Window())) break;
            {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(Window(), &paint);
                RECT client;
                GetClientRect(Window(), &client);
                const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
                const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
                DrawIcon(dc, x, y, m_icon);
                EndPaint(Window(), &paint);
            }
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon);
        case WM_CLOSE:
            KillTimer(Window(), kSlideTimer);
            EndDialog(IDCANCEL);
            return 0;
        case WM_DESTROY:
            KillTimer(Window(), kSlideTimer);
            break;
        default:
            break;
    }
    handled = false;
    return 0;
}

bool CSetupApp::InitInstance() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
        CSetupDlg dialog;
        dialog.DoModal(nullptr);
    }
    OleUninitialize();
    return false;
}

}  // namespace setup
