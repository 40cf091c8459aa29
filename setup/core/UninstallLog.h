// The uninstall log read by the suite's uninstaller: one line per thing the
// installation made, each a prefix and a path or key, in the order of the
// work. Lines are only ever appended.
#pragma once

#include <string>

namespace setup {

// Root codes of "RegDB Key: " lines; the installer writes only under
// HKEY_LOCAL_MACHINE.
constexpr int kLocalMachineCode = 2;

class UninstallLog {
  public:
    void FileCopy(const std::string& path) { Append("File Copy: ", path); }
    void MadeDir(const std::string& path) { Append("Made Dir: ", path); }
    void RegCtrl(const std::string& path) { Append("Reg Ctrl: ", path); }
    void RegDbKey(int rootCode, const std::string& key) {
        Append("RegDB Key: ", std::to_string(rootCode) + "," + key);
    }
    // Every line ends in "\n"; written in text mode, that is CR LF on disk.
    const std::string& Text() const { return m_text; }

  private:
    void Append(const char* prefix, const std::string& text) { m_text += prefix + text + "\n"; }

    std::string m_text;
};

}  // namespace setup
