// Path and text helpers of the installer. Texts are code page 936: a byte
// from 0x81 to 0xFE starts a two-byte character whose second byte may be a
// backslash (0x5C), so separators are looked for character by character.
#pragma once

#include <string>
#include <vector>

namespace setup {

// When `folder` is shorter than 3 characters the result is `name` alone;
// otherwise folder + "\" (unless it ends with "\" or "/") + name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Removes blanks (space, tab, CR, LF) at both ends.
std::string Trim(const std::string& text);
// The text with a trailing backslash unless it ends with "\" or "/" already.
std::string WithBackslash(const std::string& folder);
// Trimmed, with a trailing backslash; empty stays empty.
std::string NormalFolder(const std::string& folder);
bool EndsWithSeparator(const std::string& path);
// The text up to and with its last separator; empty when there is none.
std::string ParentFolder(const std::string& path);
// ASCII letters compared without regard to case, other bytes exactly.
bool EqualsNoCase(const std::string& a, const std::string& b);

// The folder prefixes of `path` that a folder chain creates, in order: a
// prefix ends before every "\" or "/" and at the end of the text; empty
// prefixes and drive roots (ending in ":") are left out.
std::vector<std::string> FolderPrefixes(const std::string& path);

// printf formatting into a string of the needed length.
std::string Format(const char* format, ...);

}  // namespace setup
