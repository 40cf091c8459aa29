// The installer's application object and main window: the maximised
// backdrop with its slide show, in front of which the pages run.
#pragma once

#include <string>
#include <vector>

#include "Dialog.h"

namespace setup {

class CSetupDlg : public Dialog {
  public:
    CSetupDlg();

  protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    void RunPages();
    bool EraseBackground(HDC dc);

    int m_accepted = 0;
    std::string m_source;
    std::string m_destination;
    int m_interval = 5000;
    std::size_t m_slide = 0;
    std::vector<std::string> m_slides;
    HICON m_icon = nullptr;
};

class CSetupApp {
  public:
    // Runs the wizard; false: the program ends when the main window closes.
    bool InitInstance();
};

}  // namespace setup
