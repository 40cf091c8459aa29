// The narrow interface through which the installer's work reaches the
// machine: the registry, files and folders, shell links and control
// libraries, question boxes and the progress messages. Every text is ANSI in
// code page 936, paths in Windows form. One back end calls Win32; another
// works on the registry stand-in and real folders for fast tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace setup {

enum class Root { LocalMachine, CurrentUser };

class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // Opens the key read-only: a missing key or value is "not found" and
    // nothing is created.
    virtual std::optional<std::string> ReadString(Root root, const std::string& key,
                                                  const std::string& name) = 0;
    // Create or open the key and write; failures are ignored by every caller.
    virtual void WriteString(Root root, const std::string& key, const std::string& name,
                             const std::string& text) = 0;
    virtual void WriteDword(Root root, const std::string& key, const std::string& name,
                            unsigned value) = 0;
};

struct DirEntry {
    std::string name;
    bool folder = false;
};

class FilePort {
  public:
    virtual ~FilePort() = default;
    // Entries of `folder` (ending in a backslash) matching `pattern` ("*.*"
    // or "*.ext", case-insensitive), without "." and "..". False with the
    // system error code when the folder cannot be searched.
    virtual bool List(const std::string& folder, const std::string& pattern,
                      std::vector<DirEntry>& entries, unsigned& error) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // 0 or the system error code.
    virtual unsigned MakeFolder(const std::string& path) = 0;
    // Copies over an existing file.
    virtual bool CopyOver(const std::string& from, const std::string& to) = 0;
    virtual void SetNormal(const std::string& path) = 0;
    virtual void SetHidden(const std::string& path) = 0;
    virtual void Delete(const std::string& path) = 0;
    // Text mode: every "\n" is written as CR LF. 0 or the system error code.
    virtual unsigned WriteText(const std::string& path, const std::string& text) = 0;
    virtual unsigned AppendText(const std::string& path, const std::string& text) = 0;
    // The system's message for an error code, without a trailing line break.
    virtual std::string ErrorText(unsigned error) = 0;
};

class ShellPort {
  public:
    virtual ~ShellPort() = default;
    // An empty `arguments` or `icon` is none. True when the link was saved.
    virtual bool CreateShellLink(const std::string& workingFolder, const std::string& linkFile,
                                 const std::string& target, const std::string& arguments,
                                 const std::string& icon) = 0;
    // Loads the library, calls its "DllRegisterServer" if it has one, unloads
    // it. The outcome changes nothing for the caller.
    virtual void RegisterControl(const std::string& path) = 0;
};

enum class Buttons { Ok, YesNo, RetryCancel, AbortRetryIgnore };
enum class Answer { Ok, Yes, No, Retry, Cancel, Abort, Ignore };

class QuestionPort {
  public:
    virtual ~QuestionPort() = default;
    // A question box owned by the install page; an empty caption is the
    // program's name.
    virtual Answer Ask(const std::string& text, Buttons buttons,
                       const std::string& caption = "") = 0;
};

// The worker's side of the progress protocol with the install page.
class ProgressPort {
  public:
    virtual ~ProgressPort() = default;
    // An entry of a copied folder tree was handled (sent; the texts stay
    // valid until it returns).
    virtual void Progress(const std::string& source, const std::string& destination) = 0;
    virtual void Configuring() = 0;  // sent
    virtual void Finished() = 0;     // posted
    virtual void Failed() = 0;       // posted
};

struct Ports {
    RegistryPort& registry;
    FilePort& files;
    ShellPort& shell;
    QuestionPort& questions;
    ProgressPort& progress;
};

}  // namespace setup
