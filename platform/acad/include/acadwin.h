// The few Windows types the host SDK's signatures carry: a module's resource
// handle and the main frame window. On Windows they come from the system;
// elsewhere the resource handle is an opaque handle in the shape Windows
// declares it, and CWnd is whatever the dialog framework defines.
#pragma once

#ifdef _WIN32
#include <windows.h>
#elif !defined(KAVREL_HINSTANCE_DECLARED)
#define KAVREL_HINSTANCE_DECLARED
struct HINSTANCE__ {
    int unused;
};
typedef HINSTANCE__* HINSTANCE;
#endif

class CWnd;
