// The wizard's five pages. Each is shown modally by the main window, which
// copies the values a page takes in before it opens and out after it ends.
#pragma once

#include <memory>
#include <string>

#include "Dialog.h"
#include "ShadeButton.h"
#include "StaticEx.h"
#include "WindowPorts.h"

namespace setup {

class SetupThread;

// What every page has: the shadowed title and the shaded buttons present.
class WizardPage : public Dialog {
  public:
    using Dialog::Dialog;

  protected:
    BOOL OnInitDialog() override;

  private:
    CStaticEx m_title;
    CxShadeButton m_buttons[4];  // Back, Next or Finish, Cancel
};

class CDlgIntroPage : public WizardPage {
  public:
    CDlgIntroPage();

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

  private:
    CStaticEx m_text;
};

class CDlgCompactPage : public WizardPage {
  public:
    CDlgCompactPage();
    int m_accepted = 0;  // the licence-accepted flag, in and out

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

  private:
    void Accept(int accepted);
};

class CDlgPathPage : public WizardPage {
  public:
    CDlgPathPage();
    std::string m_destination;  // in and out

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;

  private:
    void Browse();
    void Next();
};

class CDlgInstallPage : public WizardPage {
  public:
    CDlgInstallPage();
    ~CDlgInstallPage() override;
    std::string m_source;       // in
    std::string m_destination;  // in
    // Blocks until the worker has ended (the page keeps it until then).
    void WaitForWorker();

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    std::unique_ptr<MessageBoxQuestions> m_questions;
    std::unique_ptr<SetupThread> m_thread;
};

class CDlgFinishPage : public WizardPage {
  public:
    CDlgFinishPage();
    std::string m_destination;  // in

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
};

}  // namespace setup
