// The private window messages through which the install worker reports to
// the install page. Their numbers lie below WM_USER (0x400 = 1024).
#pragma once

namespace setup {

constexpr unsigned kSetupProgressMessage =
    1012;  // WM_SETUP_PROGRESS: wParam source, lParam destination
constexpr unsigned kSetupConfiguringMessage = 1013;  // WM_SETUP_CONFIGURING
constexpr unsigned kSetupFinishedMessage = 1014;     // WM_SETUP_FINISHED
constexpr unsigned kSetupFailedMessage = 1015;       // WM_SETUP_FAILED

}  // namespace setup

#ifdef _WIN32
#define WM_SETUP_PROGRESS 1012
#define WM_SETUP_CONFIGURING 1013
#define WM_SETUP_FINISHED 1014
#define WM_SETUP_FAILED 1015
#endif
