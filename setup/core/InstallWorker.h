// The install worker: copies the suite from the source folder into the
// destination, registers its controls, writes the product keys, registers
// the host releases, the uninstall entry and the shortcuts, and writes the
// uninstall log. It reports through the progress port and asks through the
// question port; it runs on a thread of its own, and the install page's only
// say while it copies is the cancel request.
#pragma once

#include <string>

#include "InstallContext.h"

namespace setup {

// The folder trees copied, in this order.
extern const char* const kInstallFolders[7];

// The key under which the suite records its install folder.
constexpr const char* kProductKey = "SOFTWARE\\Brontavex\\QUARN\\V9";

class InstallWorker {
  public:
    // The folders are normalised (trimmed, trailing backslash).
    InstallWorker(Ports ports, const std::string& source, const std::string& destination);

    // The whole installation; ends with Finished() or Failed() reported.
    bool Run();

    // May be called from any thread.
    void RequestCancel() { m_context.cancelRequest.store(1); }
    const UninstallLog& Log() const { return m_context.log; }

  private:
    void CopyTopLevelFiles();
    void RegisterControls();
    void WriteProductKeys();
    void WriteLogFile();

    InstallContext m_context;
};

// Whether a previous installation recorded its folder.
bool IsInstalled(RegistryPort& registry);
// True when the suite is not installed yet or the user agrees to install it
// again.
bool ConfirmInstall(RegistryPort& registry, QuestionPort& questions);

// The files the worker will copy from `source`: every file below the
// install folders and the files directly in `source`.
int CountInstallFiles(FilePort& files, const std::string& source);
// The progress bar's range end for `count` files (a 16-bit value).
int ProgressMaximum(int count);

}  // namespace setup
