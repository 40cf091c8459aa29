// Walks setup.exe's wizard as a person would, under Wine: finds the pages
// and question boxes of the running setup, checks their windows' own state
// (texts, enabled flags, check states), clicks their buttons and answers
// the boxes. Optionally saves the screen at every page as a BMP.
//
//   wizdrive walk|installed-no|cancel-page|cancel-copy SETUP DESTINATION [SHOTS]
//
// Prints one line per failed check and exits 1 when any failed.
#include <windows.h>
// The common controls' header needs the Windows types before it.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kCaption = "QUARN V9.0 安装向导";
constexpr const char* kTitle = "欢迎使用 QUARN V9.0 土方计算地形分析软件";
constexpr const char* kQuit = "真要退出安装程序吗?";
constexpr const char* kInstalled = "已经安装了本软件!\n是否重新安装?";
constexpr const char* kCancelCopy = "安装没有完成。";
constexpr int kNext = 1000, kBack = 1001, kTitleId = 1002, kIntro = 1003, kLicence = 1005;
constexpr int kDestinationEdit = 1009, kProgress = 1010, kReadme = 1012, kStatus = 1015;
constexpr int kConfiguring = 1014, kDisagree = 1016, kAgree = 1017, kBrowse = 1008;
constexpr int kBrowserTree = 0x3741;  // the folder browser's tree
constexpr DWORD kPatience = 60000;    // a page that never comes: the run is stuck

int g_failures = 0;
PROCESS_INFORMATION g_setup = {};
std::string g_shots;

void Check(bool ok, const std::string& what) {
    if (ok) return;
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    ++g_failures;
}

std::string Text(HWND window) {
    char text[2048] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct Search {
    int marker;             // a control id the window has, or 0
    const char* className;  // or null
    const char* text;       // the start of the text of a static in it, or null
    HWND found;
    bool backdrop = false;  // the main window: a dialog without a page title
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != g_setup.dwProcessId || !IsWindowVisible(window)) return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (search->className && std::string(className) != search->className) return TRUE;
    if (search->marker && !GetDlgItem(window, search->marker)) return TRUE;
    if (search->backdrop && GetDlgItem(window, kTitleId)) return TRUE;
    if (search->text) {
        const std::string text = Text(GetDlgItem(window, 0xFFFF));
        if (text.rfind(search->text, 0) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND Find(Search search) {
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SetupEnded() { return WaitForSingleObject(g_setup.hProcess, 0) == WAIT_OBJECT_0; }

HWND WaitFor(Search search, const std::string& what) {
    for (DWORD waited = 0; waited < kPatience; waited += 50) {
        if (HWND window = Find(search)) return window;
        if (SetupEnded()) break;
        Sleep(50);
    }
    Check(false, what + " did not appear");
    return nullptr;
}

HWND WaitPage(int marker, const std::string& what) {
    HWND page = WaitFor({marker, "#32770", nullptr, nullptr}, what);
    // The page has finished opening once it answers.
    if (page) SendMessageA(page, WM_NULL, 0, 0);
    return page;
}

// A question box (a dialog with the message in static 0xFFFF): checks its
// caption and answers it.
bool Answer(const char* text, const std::string& caption, int answer) {
    HWND box = WaitFor({0xFFFF, "#32770", text, nullptr}, std::string("box \"") + text + "\"");
    if (!box) return false;
    // A box may be found while it is still being set up: its caption comes
    // with its initialisation, after which it takes answers.
    for (DWORD waited = 0; waited < kPatience && Text(box) != caption && IsWindow(box);
         waited += 50) {
        Sleep(50);
    }
    Check(Text(box) == caption, "box caption " + Text(box));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    // Gone before the next step, which might otherwise find it again.
    for (DWORD waited = 0; waited < kPatience && IsWindow(box); waited += 20) Sleep(20);
    Check(!IsWindow(box), std::string("box \"") + text + "\" stays");
    return true;
}

// The texts of a window's children of one class.
std::vector<std::string> ChildTexts(HWND window, const char* className) {
    struct Collect {
        const char* className;
        std::vector<std::string> texts;
    } collect{className, {}};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(data);
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, c->className) == 0) c->texts.push_back(Text(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    return collect.texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts) {
        if (lstrcmpiA(t.c_str(), text.c_str()) == 0) return true;
    }
    return false;
}

void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
// For a click that opens a question box, which would keep a sent click waiting.
void ClickLater(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
bool Checked(HWND page, int id) {
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Shot(const std::string& name) {
    if (g_shots.empty()) return;
    Sleep(300);  // let the pages paint before the screen is read
    HDC screen = GetDC(nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> bits(static_cast<std::size_t>(stride) * height);
    void* dib = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &dib, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::memcpy(bits.data(), dib, bits.size());
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof header};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    if (FILE* out = std::fopen((g_shots + "\\" + name + ".bmp").c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(bits.data(), 1, bits.size(), out);
        std::fclose(out);
    }
}

bool StartSetup(const std::string& setup) {
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    std::string line = "\"" + setup + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                        &g_setup)) {
        Check(false, "setup does not start: " + setup);
        return false;
    }
    return true;
}

void ExpectEnd() {
    if (WaitForSingleObject(g_setup.hProcess, kPatience) != WAIT_OBJECT_0) {
        Check(false, "setup did not end");
        TerminateProcess(g_setup.hProcess, 3);
        return;
    }
    DWORD status = 1;
    GetExitCodeProcess(g_setup.hProcess, &status);
    Check(status == 0, "setup's exit status " + std::to_string(status));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ProductKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brontavex\\QUARN\\V9", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool found =
        RegQueryValueExA(key, "installPath", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// Welcome and licence (agreed), leaving the path page open.
HWND ToPathPage() {
    HWND page = WaitPage(kIntro, "welcome page");
    if (!page) return nullptr;
    Click(page, kNext);
    page = WaitPage(kLicence, "licence page");
    if (!page) return nullptr;
    Click(page, kAgree);
    Click(page, kNext);
    return WaitPage(kDestinationEdit, "path page");
}

HWND ToInstallPage(const std::string& destination) {
    HWND page = ToPathPage();
    if (!page) return nullptr;
    SetDlgItemTextA(page, kDestinationEdit, destination.c_str());
    Click(page, kNext);
    return WaitPage(kProgress, "install page");
}

void Walk(const std::string& destination) {
    HWND page = WaitPage(kIntro, "welcome page");
    if (!page) return;
    Check(Text(page) == kCaption, "welcome caption " + Text(page));
    Check(Text(GetDlgItem(page, kTitleId)) == kTitle, "welcome title");
    Check(Enabled(page, kNext), "welcome Next enabled");
    Shot("welcome");
    // The slide show's timer, sent at once rather than waited for.
    if (HWND backdrop = Find({0, "#32770", nullptr, nullptr, true})) {
        for (const char* shot : {"backdrop-2", "backdrop-3"}) {
            SendMessageA(backdrop, WM_TIMER, 356, 0);
            UpdateWindow(backdrop);
            Shot(shot);
        }
    } else {
        Check(false, "no backdrop window");
    }
    Click(page, kNext);

    page = WaitPage(kLicence, "licence page");
    if (!page) return;
    Check(Checked(page, kDisagree) && !Checked(page, kAgree), "licence starts disagreed");
    Check(!Enabled(page, kNext), "Next disabled without agreement");
    Check(Text(GetDlgItem(page, kLicence)).size() > 100, "licence text shown");
    Shot("licence");
    Click(page, kAgree);
    Check(Checked(page, kAgree) && !Checked(page, kDisagree) && Enabled(page, kNext),
          "agree enables Next");
    Click(page, kDisagree);
    Check(!Checked(page, kAgree) && Checked(page, kDisagree) && !Enabled(page, kNext),
          "disagree disables Next");
    Click(page, kAgree);
    Click(page, kBack);
    page = WaitPage(kIntro, "welcome page after Back");
    if (!page) return;
    Click(page, kNext);
    page = WaitPage(kLicence, "licence page again");
    if (!page) return;
    Check(Checked(page, kAgree) && !Checked(page, kDisagree) && Enabled(page, kNext),
          "the agreement survives Back and Next");
    Click(page, kNext);

    page = WaitPage(kDestinationEdit, "path page");
    if (!page) return;
    Check(Text(GetDlgItem(page, kDestinationEdit)) == "C:\\Program Files\\Brontavex\\QUARN\\",
          "default destination " + Text(GetDlgItem(page, kDestinationEdit)));
    Shot("path");
    SetDlgItemTextA(page, kDestinationEdit, "abc");
    Click(page, kNext);
    Check(Find({kDestinationEdit, "#32770", nullptr, nullptr}) == page, "abc is refused");
    DWORD start = 0, end = 0;
    SendMessageA(GetDlgItem(page, kDestinationEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    Check(start == 0 && end == 3, "the refused text is selected");
    GUITHREADINFO gui = {sizeof gui};
    GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &gui);
    Check(gui.hwndFocus == GetDlgItem(page, kDestinationEdit), "the edit has the focus");
    // The folder browser starts at the typed folder, shows it as its status
    // and gives it back with the product's folders appended.
    SetDlgItemTextA(page, kDestinationEdit, "C:\\windows");
    ClickLater(page, kBrowse);
    if (HWND browser = WaitFor({kBrowserTree, "#32770", nullptr, nullptr}, "folder browser")) {
        const auto statics = ChildTexts(browser, "Static");
        Check(Contains(statics, "请选择安装路径:"), "browser title");
        Check(Contains(statics, "C:\\windows"), "browser status shows the typed folder");
        PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 100 && Find({kBrowserTree, "#32770", nullptr, nullptr}); ++i) Sleep(50);
        SendMessageA(page, WM_NULL, 0, 0);
        const std::string chosen = Text(GetDlgItem(page, kDestinationEdit));
        Check(lstrcmpiA(chosen.c_str(), "C:\\windows\\Brontavex\\QUARN") == 0,
              "browsed destination " + chosen);
    }
    SetDlgItemTextA(page, kDestinationEdit, destination.c_str());
    Click(page, kNext);

    // The install page of a small media may be gone before it is seen; the
    // Cancel run checks it on a large one.
    page = WaitPage(kReadme, "finish page");
    if (!page) return;
    Check(Checked(page, kReadme), "readme box checked");
    Check(Text(GetDlgItem(page, kNext)) == "完成", "Finish button");
    Shot("finish");
    // Escape asks like Cancel; No shows the finish page again.
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Answer(kQuit, kCaption, IDNO);
    page = WaitPage(kReadme, "finish page after No");
    if (!page) return;
    Click(page, kReadme);
    Check(!Checked(page, kReadme), "readme box unchecked");
    Click(page, kNext);
    ExpectEnd();
    Check(Exists(destination + "\\Uninstall.log"), "uninstall log written");
    Check(ProductKey(), "product key written");
}

void InstalledNo() {
    Answer(kInstalled, "警告", IDNO);
    ExpectEnd();
    Check(!Find({kIntro, "#32770", nullptr, nullptr}), "no page after No");
}

void CancelPage() {
    Answer(kInstalled, "警告", IDYES);
    HWND page = ToPathPage();
    if (!page) return;
    ClickLater(page, 2);
    Answer(kQuit, kCaption, IDNO);
    page = WaitPage(kDestinationEdit, "path page again after No");
    if (!page) return;
    ClickLater(page, 2);
    Answer(kQuit, kCaption, IDYES);
    ExpectEnd();
}

void CancelCopy(const std::string& destination) {
    HWND page = ToInstallPage(destination);
    if (!page) return;
    Check(!Enabled(page, kNext) && !Enabled(page, kBack), "install page: Back and Next disabled");
    const LRESULT maximum = SendMessageA(GetDlgItem(page, kProgress), PBM_GETRANGE, FALSE, 0);
    Check(maximum == 2000 + 15, "progress maximum " + std::to_string(maximum));
    Shot("install");
    ClickLater(page, 2);
    Answer(kCancelCopy, "setup", IDNO);
    Check(Find({kProgress, "#32770", nullptr, nullptr}) == page, "No continues the installation");
    const std::string status = Text(GetDlgItem(page, kStatus));
    Check(status.size() > 4 && status.compare(status.size() - 4, 4, " ...") == 0,
          "status of the copied entry: " + status);
    Check(!IsWindowVisible(GetDlgItem(page, kConfiguring)), "still copying when cancelled");
    ClickLater(page, 2);
    Answer(kCancelCopy, "setup", IDYES);
    ExpectEnd();
    Check(!Exists(destination + "\\Uninstall.log"), "no uninstall log after Cancel");
    Check(!ProductKey(), "no product key after Cancel");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf(
            "wizdrive walk|installed-no|cancel-page|cancel-copy SETUP DESTINATION [SHOTS]\n");
        return 2;
    }
    const std::string scenario = argv[1], destination = argv[3];
    if (argc > 4) g_shots = argv[4];
    if (!StartSetup(argv[2])) return 1;
    if (scenario == "walk") Walk(destination);
    if (scenario == "installed-no") InstalledNo();
    if (scenario == "cancel-page") CancelPage();
    if (scenario == "cancel-copy") CancelCopy(destination);
    if (!SetupEnded()) TerminateProcess(g_setup.hProcess, 3);
    return g_failures == 0 ? 0 : 1;
}
