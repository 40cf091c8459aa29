// The C runtime's wide-string conversions as the host platform's runtime
// defines them (_wtof, _wtoi, _wcsicmp), and printf-style formatting of wide
// strings where "%s" and "%c" take wide arguments, as they do in the host's
// wide printf family. Every number read from or written to text in the
// project goes through here, so the rules are implemented once.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#ifndef _WIN32
// Leading blanks skipped, stops at the first character that cannot continue
// the number, 0 when nothing parses.
double _wtof(const wchar_t* text);
// As _wtof; values beyond the int range are clamped to it.
int _wtoi(const wchar_t* text);
int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count);
#endif

// The text with every character lowered as _wcsicmp compares them: two names
// are equal under _wcsicmp exactly when their folded texts are equal, so
// lookups by name without regard to case can hash the folded text.
std::wstring wcrtFoldCase(const std::wstring& text);

// Formats like swprintf with the host's conventions for "%s"/"%c" (wide).
std::wstring wcrtFormat(const wchar_t* format, ...);
std::wstring wcrtVFormat(const wchar_t* format, va_list args);
// wcrtFormat(L"%.*f", decimals, value), the form every stored number takes,
// without the cost of a format to parse.
std::wstring wcrtFixed(double value, int decimals);

// UTF-8 <-> wide conversions for files, which are UTF-8 unless a format says
// otherwise. Invalid UTF-8 bytes become U+FFFD.
std::string wcrtToUtf8(const std::wstring& text);
// The same appended to out, from a zero-terminated text (nothing for null):
// writers that convert many texts reuse one buffer.
void wcrtAppendUtf8(std::string& out, const wchar_t* text);
// The UTF-8 bytes of one character appended to out (what is no Unicode
// scalar value becomes U+FFFD, as above).
void wcrtAppendCodePoint(std::string& out, char32_t code);
// Bytes of wcrtToUtf8 of the zero-terminated text (0 for null), without making it.
size_t wcrtUtf8Length(const wchar_t* text);
std::wstring wcrtFromUtf8(const std::string& text);
// The same into out, whose storage is reused: readers of many texts keep one.
void wcrtAssignFromUtf8(std::wstring& out, std::string_view text);

// The text without white space at either end.
std::wstring wcrtTrim(const std::wstring& text);
