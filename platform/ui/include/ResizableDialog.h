// A dialog with a resizing border whose controls keep to the dialog's edges:
// each control is anchored by its top-left and bottom-right corners, and on a
// resize each corner moves by its anchor's share of the change in size.
#pragma once

#include <vector>

#include "acui.h"

// Shares (0..100 %) of the dialog's change in width and height.
struct CResizableAnchor {
    int x = 0;
    int y = 0;
};

inline constexpr CResizableAnchor TOP_LEFT{0, 0};
inline constexpr CResizableAnchor TOP_RIGHT{100, 0};
inline constexpr CResizableAnchor BOTTOM_LEFT{0, 100};
inline constexpr CResizableAnchor BOTTOM_RIGHT{100, 100};

class CResizableDialog : public CAcUiDialog {
  public:
    using CAcUiDialog::CAcUiDialog;
    bool IsResizable() const override { return true; }

  protected:
    // Anchors the control as it stands now (call when the dialog is started).
    void AddAnchor(CWnd& control, CResizableAnchor topLeft, CResizableAnchor bottomRight);
    void AddAnchor(CWnd& control, CResizableAnchor topLeft) {
        AddAnchor(control, topLeft, topLeft);
    }
    void OnSize(int width, int height) override;

  private:
    struct Anchor {
        CWnd* control;
        CResizableAnchor topLeft, bottomRight;
        CRect place;  // where the control stood at the dialog's size below
    };
    std::vector<Anchor> mAnchors;
    int mAnchoredWidth = 0;
    int mAnchoredHeight = 0;
};
