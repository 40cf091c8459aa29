// Conversion between the installer's code page 936 texts and the UTF-8 the
// Linux file system uses, through iconv.
#pragma once

#include <string>

namespace setup {

// Bytes that do not convert become "?".
std::string Cp936ToUtf8(const std::string& text);
std::string Utf8ToCp936(const std::string& text);

}  // namespace setup
