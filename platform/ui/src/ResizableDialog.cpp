#include "ResizableDialog.h"

void CResizableDialog::AddAnchor(CWnd& control, CResizableAnchor topLeft,
                                 CResizableAnchor bottomRight) {
    mAnchoredWidth = Width();
    mAnchoredHeight = Height();
    mAnchors.push_back({&control, topLeft, bottomRight, control.GetWindowRect()});
}

void CResizableDialog::OnSize(int width, int height) {
    const int dx = width - mAnchoredWidth;
    const int dy = height - mAnchoredHeight;
    for (const Anchor& a : mAnchors) {
        const CRect& p = a.place;
        a.control->MoveWindow({p.left + dx * a.topLeft.x / 100, p.top + dy * a.topLeft.y / 100,
                               p.right + dx * a.bottomRight.x / 100,
                               p.bottom + dy * a.bottomRight.y / 100});
    }
}
