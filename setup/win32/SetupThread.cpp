#include "SetupThread.h"

namespace setup {

SetupThread::SetupThread(HWND page, QuestionPort& questions, const std::string& source,
                         const std::string& destination)
    : m_progress(page),
      m_worker(Ports{m_registry, m_files, m_shell, questions, m_progress}, source, destination) {}

SetupThread::~SetupThread() { Wait(); }

bool SetupThread::Start() {
    if (m_thread) return false;
    m_thread = CreateThread(nullptr, 0, &SetupThread::Main, this, 0, nullptr);
    return m_thread != nullptr;
}

bool SetupThread::Wait() {
    if (m_thread) {
        // Messages the worker sends to this thread's windows are handled
        // meanwhile, so that neither waits for the other.
        while (MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
               WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    return m_finished;
}

DWORD WINAPI SetupThread::Main(LPVOID self) {
    auto* thread = static_cast<SetupThread*>(self);
    thread->m_finished = thread->m_worker.Run();
    return 0;
}

}  // namespace setup
