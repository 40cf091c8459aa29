// Conversions between wide text and the byte forms the registry uses:
// UTF-16LE (value data and the file as written) and UTF-8 (file as read,
// paths, messages).
#pragma once

#ifndef _WIN32

#include <cstdint>
#include <string>
#include <vector>

namespace winreg {

// Characters above U+FFFF become surrogate pairs; a lone surrogate stays one
// unit, so any wide text survives the round trip.
std::vector<std::uint8_t> WideToUtf16le(const std::wstring& text);
// `size` is a count of bytes; an odd last byte is ignored.
std::wstring Utf16leToWide(const std::uint8_t* bytes, std::size_t size);

std::string WideToUtf8(const std::wstring& text);
// False at the first byte that is not valid UTF-8; `badOffset` is its offset.
bool Utf8ToWide(const std::string& bytes, std::wstring& text, std::size_t& badOffset);

struct DecodedFile {
    bool ok = false;
    std::wstring text;
    int errorLine = 0;    // 1-based line of the first undecodable byte
    std::string problem;  // what is wrong there
};

// Reads a registry file: UTF-16LE or UTF-16BE with byte-order mark, UTF-8
// with or without one.
DecodedFile DecodeRegFile(const std::string& bytes);
// The form Windows writes: UTF-16LE with byte-order mark.
std::string EncodeRegFile(const std::wstring& text);

}  // namespace winreg

#endif
