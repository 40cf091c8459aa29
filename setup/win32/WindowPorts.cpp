#include "WindowPorts.h"

#include "Paths.h"
#include "SetupMessages.h"

namespace setup {
namespace {

struct ButtonRow {
    Buttons buttons;
    UINT style;
};

constexpr ButtonRow kButtonStyles[] = {
    {Buttons::Ok, MB_OK | MB_ICONEXCLAMATION},
    {Buttons::YesNo, MB_YESNO | MB_ICONQUESTION},
    {Buttons::RetryCancel, MB_RETRYCANCEL | MB_ICONQUESTION},
    {Buttons::AbortRetryIgnore, MB_ABORTRETRYIGNORE | MB_ICONQUESTION},
};

struct AnswerRow {
    int id;
    Answer answer;
};

constexpr AnswerRow kAnswers[] = {
    {IDOK, Answer::Ok},         {IDYES, Answer::Yes},       {IDNO, Answer::No},
    {IDRETRY, Answer::Retry},   {IDCANCEL, Answer::Cancel}, {IDABORT, Answer::Abort},
    {IDIGNORE, Answer::Ignore},
};

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    DWORD size = 0;
    while ((size = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(size);
    return path;
}

}  // namespace

void WindowProgress::Progress(const std::string& source, const std::string& destination) {
    SendMessageA(m_page, WM_SETUP_PROGRESS, reinterpret_cast<WPARAM>(source.c_str()),
                 reinterpret_cast<LPARAM>(destination.c_str()));
}

void WindowProgress::Configuring() { SendMessageA(m_page, WM_SETUP_CONFIGURING, 0, 0); }

void WindowProgress::Finished() { PostMessageA(m_page, WM_SETUP_FINISHED, 0, 0); }

void WindowProgress::Failed() { PostMessageA(m_page, WM_SETUP_FAILED, 0, 0); }

Answer MessageBoxQuestions::Ask(const std::string& text, Buttons buttons,
                                const std::string& caption) {
    UINT style = MB_OK;
    for (const ButtonRow& row : kButtonStyles) {
        if (row.buttons == buttons) style = row.style;
    }
    const int id =
        MessageBoxA(m_owner, text.c_str(), (caption.empty() ? m_caption : caption).c_str(), style);
    for (const AnswerRow& row : kAnswers) {
        if (row.id == id) return row.answer;
    }
    return Answer::Cancel;
}

std::string ApplicationName() {
    const std::string path = ModulePath();
    std::string name = path.substr(ParentFolder(path).size());
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ProgramFolder() { return ParentFolder(ModulePath()); }

}  // namespace setup
