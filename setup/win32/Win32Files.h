// Files and folders through the ANSI Win32 calls.
#pragma once

#include "Ports.h"

namespace setup {

class Win32Files : public FilePort {
  public:
    bool List(const std::string& folder, const std::string& pattern, std::vector<DirEntry>& entries,
              unsigned& error) override;
    bool Exists(const std::string& path) override;
    unsigned MakeFolder(const std::string& path) override;
    bool CopyOver(const std::string& from, const std::string& to) override;
    void SetNormal(const std::string& path) override;
    void SetHidden(const std::string& path) override;
    void Delete(const std::string& path) override;
    unsigned WriteText(const std::string& path, const std::string& text) override;
    unsigned AppendText(const std::string& path, const std::string& text) override;
    std::string ErrorText(unsigned error) override;
};

}  // namespace setup
