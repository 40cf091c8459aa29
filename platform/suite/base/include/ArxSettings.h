// Settings and system variables of the suite's helper library.
#pragma once

#include <string>

#include "adesk.h"

// String values of the suite's settings, kept under HKEY_CURRENT_USER\<key>.
class ArxRegedit {
  public:
    // Reads the string value valueName of the key into value. Non-zero when the
    // value exists; value is emptied first, so a missing value reads as "".
    static int Arx_GetValueToReg(const ACHAR* key, const ACHAR* valueName, std::wstring& value);
    // Writes value as a string value (REG_SZ), creating the key when missing.
    // Non-zero on success.
    static int Arx_SetValueToReg(const ACHAR* key, const ACHAR* valueName, const ACHAR* value);
};

// Integer system variables of the host.
class ArxSystemVar {
  public:
    // Non-zero when the variable exists and holds an integer.
    static int Arx_getSysVar(const ACHAR* name, int& value);
    // Non-zero when the host took the value.
    static int Arx_setSysVar(const ACHAR* name, int value);
};
