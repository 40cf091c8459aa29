// Shell links through COM (IShellLinkA, IPersistFile) and control
// registration through the library's own entry point.
#pragma once

#include "Ports.h"

namespace setup {

class Win32Shell : public ShellPort {
  public:
    bool CreateShellLink(const std::string& workingFolder, const std::string& linkFile,
                         const std::string& target, const std::string& arguments,
                         const std::string& icon) override;
    void RegisterControl(const std::string& path) override;
};

}  // namespace setup
