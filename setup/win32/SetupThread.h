// The install worker on a thread of its own, reporting to the install page
// (or any window) with the four progress messages. The page keeps this
// object until the thread has ended; its Cancel only requests the stop.
#pragma once

#include <windows.h>

#include <string>

#include "InstallWorker.h"
#include "Registry.h"
#include "Win32Files.h"
#include "Win32Shell.h"
#include "WindowPorts.h"

namespace setup {

class SetupThread {
  public:
    // `questions` (owned by the caller) answers the worker's questions.
    SetupThread(HWND page, QuestionPort& questions, const std::string& source,
                const std::string& destination);
    ~SetupThread();  // waits for the thread
    SetupThread(const SetupThread&) = delete;
    SetupThread& operator=(const SetupThread&) = delete;

    bool Start();
    void RequestCancel() { m_worker.RequestCancel(); }
    // Waits for the thread; true when the installation finished.
    bool Wait();

  private:
    static DWORD WINAPI Main(LPVOID self);

    SystemRegistry m_registry;
    Win32Files m_files;
    Win32Shell m_shell;
    WindowProgress m_progress;
    InstallWorker m_worker;
    HANDLE m_thread = nullptr;
    bool m_finished = false;
};

}  // namespace setup
