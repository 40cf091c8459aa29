// The registry file: text in the format of the Windows registry editor,
// "Windows Registry Editor Version 5.00" (see docs/registry.md).
#pragma once

#ifndef _WIN32

#include <string>

#include "RegistryTree.h"

namespace winreg {

struct RegFileParse {
    bool ok = false;
    RegistryTree tree;
    int errorLine = 0;    // 1-based
    std::string message;  // what is wrong on that line
};

RegFileParse ParseRegFile(const std::wstring& text);

// The whole registry as file text, lines ending in CR LF. Every key is
// written, empty ones too, so that keys survive without values.
std::wstring FormatRegFile(const RegistryTree& tree);

}  // namespace winreg

#endif
