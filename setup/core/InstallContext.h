// What the steps of one installation share: the machine, the uninstall log,
// the two folders and the cancel request.
#pragma once

#include <atomic>
#include <string>

#include "Ports.h"
#include "UninstallLog.h"

namespace setup {

struct InstallContext {
    Ports ports;
    std::string source;       // the folder holding setup, with trailing backslash
    std::string destination;  // D, with trailing backslash
    UninstallLog log;
    // Set by the install page's thread, read by the worker after every
    // copied entry.
    std::atomic<int> cancelRequest{0};
};

}  // namespace setup
