// How a dialog is shown: the host program picks a UI driver (script lines,
// the terminal, a test), and the driver acts on the showing dialog as a user
// would. Host and tests only; plug-in code never includes this header.
#pragma once

#include <string>

#include "afxwin.h"

class CUiDriver {
  public:
    virtual ~CUiDriver() = default;
    // Shows the dialog until it ends; returns its end code. The driver calls
    // dialog.Start() first.
    virtual int RunModal(CDialog& dialog) = 0;
};

// The driver for every DoModal; returns the one it replaces. Without a driver
// a dialog is started and cancelled at once (a host without a user interface).
CUiDriver* UiSetDriver(CUiDriver* driver);
CUiDriver* UiDriver();

// What a user does to the showing dialog. Each returns an empty text when it
// was done, otherwise why not (the dialog is unchanged then).
namespace ui {
// Presses the push or radio button with that caption.
std::wstring Click(CDialog& dialog, const std::wstring& caption);
// Types the value into the edit or drop-down list whose label (without its
// colon) is `control`, or into the grid cell "grid:R,C".
std::wstring Set(CDialog& dialog, const std::wstring& control, const std::wstring& value);
// Puts the focus on the grid cell "grid:R,C".
std::wstring Focus(CDialog& dialog, const std::wstring& control);
// Presses the default button (or Enter); closes the window (Cancel).
std::wstring Ok(CDialog& dialog);
std::wstring Cancel(CDialog& dialog);
// Resizes a resizable dialog (pixels, at least 50 each way).
std::wstring Resize(CDialog& dialog, int width, int height);
// Writes the picture of the dialog as SVG (UTF-8).
std::wstring Snapshot(const CDialog& dialog, const std::string& path);
}  // namespace ui

// The picture of a dialog at its current size: frame and title, controls,
// grid with its colours, shaded buttons.
std::string UiDialogSvg(const CDialog& dialog);
// The dialog as lines of text for a terminal: title, controls, the grid as a table.
std::wstring UiDialogText(const CDialog& dialog);
