// Files and folders on Linux for the installer's tests: paths arrive in code
// page 936 and Windows form and are used as UTF-8 with "/" separators. The
// hidden attribute, which Linux files lack, is remembered per path; read-only
// is the missing owner write permission.
#pragma once

#include <set>
#include <string>

#include "Ports.h"

namespace setup {

class NativeFiles : public FilePort {
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

    bool IsHidden(const std::string& path) const;
    // The Linux path of an installer path.
    static std::string LocalPath(const std::string& path);

  private:
    std::set<std::string> m_hidden;  // local paths
};

}  // namespace setup
