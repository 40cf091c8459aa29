// setup.exe: the suite's installer. Without options it shows the wizard;
// "setup /S [/LOG=FILE] [/D=FOLDER]"
// installs without a window; the worker still runs on its own thread and
// reports through the four progress messages, here to a message-only window.
#include <windows.h>

#include "Paths.h"
#include "SetupDlg.h"
#include "SetupMessages.h"
#include "SetupThread.h"
#include "Unattended.h"

namespace {

using namespace setup;

constexpr const char* kUsage = "setup /S [/LOG=FILE] [/D=FOLDER]";
constexpr int kExitFinished = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// What the message-only window learns from the worker.
struct ProgressState {
    int entries = 0;
    bool configuring = false;
    bool finished = false;
};

LRESULT CALLBACK ProgressWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<ProgressState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_SETUP_PROGRESS:
            ++state->entries;
            return 0;
        case WM_SETUP_CONFIGURING:
            state->configuring = true;
            return 0;
        case WM_SETUP_FINISHED:
        case WM_SETUP_FAILED:
            state->finished = message == WM_SETUP_FINISHED;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateProgressWindow(ProgressState& state) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProgressWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KavrelSetupProgress";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    return window;
}

int RunUnattended(const CommandLine& line) {
    Win32Files files;
    SystemRegistry registry;
    UnattendedQuestions questions(files, line.logFile);
    if (!ConfirmInstall(registry, questions)) return kExitFailed;

    ProgressState state;
    HWND window = CreateProgressWindow(state);
    if (!window) return kExitFailed;
    const std::string destination =
        line.destination.empty() ? kDefaultDestination : line.destination;
    SetupThread thread(window, questions, ProgramFolder(), destination);
    if (!thread.Start()) return kExitFailed;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    const bool finished = thread.Wait() && state.finished && state.configuring;
    questions.Note(
        Format("=> %s, %d entries handled", finished ? "finished" : "failed", state.entries));
    DestroyWindow(window);
    return finished ? kExitFinished : kExitFailed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    const auto line = ParseCommandLine(arguments ? arguments : "");
    if (!line) {
        MessageBoxA(nullptr, kUsage, ApplicationName().c_str(), MB_OK | MB_ICONINFORMATION);
        return kExitUsage;
    }
    if (line->silent) return RunUnattended(*line);
    CSetupApp app;
    app.InitInstance();
    return kExitFinished;
}
