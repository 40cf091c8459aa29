// The worker's side of the install page: progress messages to the page's
// window and question boxes owned by it.
#pragma once

#include <windows.h>

#include <string>

#include "Ports.h"

namespace setup {

class WindowProgress : public ProgressPort {
  public:
    explicit WindowProgress(HWND page) : m_page(page) {}
    void Progress(const std::string& source, const std::string& destination) override;
    void Configuring() override;
    void Finished() override;
    void Failed() override;

  private:
    HWND m_page;
};

class MessageBoxQuestions : public QuestionPort {
  public:
    MessageBoxQuestions(HWND owner, std::string caption)
        : m_owner(owner), m_caption(std::move(caption)) {}
    Answer Ask(const std::string& text, Buttons buttons, const std::string& caption) override;

  private:
    HWND m_owner;
    std::string m_caption;
};

// The program file's base name ("setup"), the caption of its question boxes.
std::string ApplicationName();
// The folder that holds the running program, with trailing backslash.
std::string ProgramFolder();

}  // namespace setup
