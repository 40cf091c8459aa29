// The unattended mode: "setup /S [/LOG=FILE] [/D=FOLDER]" runs the worker
// without any window. "/D=" comes last and takes the rest of the line.
#pragma once

#include <optional>
#include <string>

#include "Ports.h"

namespace setup {

// The folder the installation goes to when none is chosen.
constexpr const char* kDefaultDestination = "C:\\Program Files\\Brontavex\\QUARN\\";

struct CommandLine {
    bool silent = false;
    std::string logFile;      // empty: no log
    std::string destination;  // empty: the default folder
};

// The arguments after the program name. Options are matched without regard
// to case; nullopt for anything else (a usage error).
std::optional<CommandLine> ParseCommandLine(const std::string& arguments);

// Answers every question as an administrator running without a window would:
// the installed question Yes, a missing source folder Ignore, a folder that
// cannot be created Cancel, a notice OK. Each question and its answer are
// appended to the log file when there is one.
class UnattendedQuestions : public QuestionPort {
  public:
    UnattendedQuestions(FilePort& files, std::string logFile)
        : m_files(files), m_logFile(std::move(logFile)) {}

    Answer Ask(const std::string& text, Buttons buttons, const std::string& caption) override;
    // Appends a line to the log file (when there is one).
    void Note(const std::string& line);

  private:
    FilePort& m_files;
    std::string m_logFile;
};

const char* AnswerName(Answer answer);

}  // namespace setup
