// The plug-in's shaded push button: an owner-drawn face shaded from the
// system's 3-D highlight through its face colour to its shadow, with a fine
// grain, in the "hard bump" style of the suite's dialogs.
#pragma once

#include "afxwin.h"

class CxShadeButton : public CButton {
  public:
    enum Shade { SHS_SOFTBUMP = 6, SHS_HARDBUMP = 7 };
    using CButton::CButton;
    // granularity: grain strength (0 smooth); highlight: % of the height lit at the top.
    void SetShade(int shadeStyle, int granularity = 8, int highlight = 10);
    bool GetFace(CButtonFace& face) const override;

  private:
    int mShade = SHS_HARDBUMP;
    int mGranularity = 8;
    int mHighlight = 10;
};
