#ifndef _WIN32

#include <cstring>

#include "TextCodec.h"
#include "afx.h"

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException*) {
    Close();
    if (fileName == nullptr) return 0;
    const bool write = (openFlags & (modeWrite | modeReadWrite)) != 0;
    const bool create = (openFlags & modeCreate) != 0;
    const char* mode = !write ? "rb" : create && (openFlags & modeNoTruncate) == 0 ? "w+b" : "r+b";
    m_pStream = std::fopen(winreg::WideToUtf8(fileName).c_str(), mode);
    if (m_pStream == nullptr && write && create)
        m_pStream = std::fopen(winreg::WideToUtf8(fileName).c_str(), "w+b");
    return m_pStream != nullptr;
}

void CFile::Close() {
    if (m_pStream != nullptr) std::fclose(m_pStream);
    m_pStream = nullptr;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_pStream == nullptr || buffer == nullptr) return 0;
    return static_cast<UINT>(std::fread(buffer, 1, count, m_pStream));
}

ULONGLONG CFile::GetLength() const {
    if (m_pStream == nullptr) return 0;
    const long at = std::ftell(m_pStream);
    std::fseek(m_pStream, 0, SEEK_END);
    const long length = std::ftell(m_pStream);
    std::fseek(m_pStream, at, SEEK_SET);
    return length < 0 ? 0 : static_cast<ULONGLONG>(length);
}

ULONGLONG CFile::GetPosition() const {
    if (m_pStream == nullptr) return 0;
    const long at = std::ftell(m_pStream);
    return at < 0 ? 0 : static_cast<ULONGLONG>(at);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    if (m_pStream == nullptr) return 0;
    const int whence = from == end ? SEEK_END : from == current ? SEEK_CUR : SEEK_SET;
    std::fseek(m_pStream, static_cast<long>(offset), whence);
    return GetPosition();
}

char* CStdioFile::ReadString(char* buffer, UINT maxCount) {
    if (m_pStream == nullptr || buffer == nullptr || maxCount == 0) return nullptr;
    return std::fgets(buffer, static_cast<int>(maxCount), m_pStream);
}

BOOL CStdioFile::ReadString(std::wstring& line) {
    line.clear();
    if (m_pStream == nullptr) return 0;
    std::string units;
    unsigned char pair[2];
    while (std::fread(pair, 1, 2, m_pStream) == 2) {
        if (pair[0] == 0x0A && pair[1] == 0) {
            line = winreg::Utf16leToWide(reinterpret_cast<const std::uint8_t*>(units.data()),
                                         units.size());
            return 1;
        }
        units.append(reinterpret_cast<const char*>(pair), 2);
    }
    if (units.empty()) return 0;
    line = winreg::Utf16leToWide(reinterpret_cast<const std::uint8_t*>(units.data()), units.size());
    return 1;
}

#endif
