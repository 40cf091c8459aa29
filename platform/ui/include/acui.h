// The host's dialog bases: CAdUiBaseDialog and CAcUiDialog, a dialog that
// belongs to the host's main frame.
#pragma once

#include "afxwin.h"

class CAdUiBaseDialog : public CDialog {
  public:
    using CDialog::CDialog;
};

class CAcUiDialog : public CAdUiBaseDialog {
  public:
    using CAdUiBaseDialog::CAdUiBaseDialog;
};
