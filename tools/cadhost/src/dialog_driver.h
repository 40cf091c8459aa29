// How the host program shows a dialog: it reads "!dialog..." lines from the
// script or the terminal and does what each says to the showing dialog. In a
// script a line that cannot be done stops the run naming the line; at a
// terminal the dialog is printed before each line, and a wrong line is
// reported and asked again.
#pragma once

#include "uidriver.h"

class CadhostDialogDriver : public CUiDriver {
  public:
    int RunModal(CDialog& dialog) override;
};
