// The registry back end on the Win32 registry API: on Windows the system's
// own, elsewhere the project's ".reg" file stand-in. Both views are reached
// by key path ("SOFTWARE\Wow6432Node\..." is the 32-bit view).
#pragma once

#include "Ports.h"

namespace setup {

class SystemRegistry : public RegistryPort {
  public:
    std::optional<std::string> ReadString(Root root, const std::string& key,
                                          const std::string& name) override;
    void WriteString(Root root, const std::string& key, const std::string& name,
                     const std::string& text) override;
    void WriteDword(Root root, const std::string& key, const std::string& name,
                    unsigned value) override;
};

}  // namespace setup
