#include "StdioFileEx.h"

#include "wincodepage.h"

namespace {
constexpr unsigned char kUtf16leMark[2] = {0xFF, 0xFE};
constexpr int kWideBufferChars = 4096;
}  // namespace

bool IsFileUnicode(LPCWSTR fileName) {
    CFile probe;
    if (!probe.Open(fileName, CFile::modeRead | CFile::typeBinary)) return false;
    unsigned char mark[2] = {0, 0};
    const UINT read = probe.Read(mark, 2);
    return read == 2 && mark[0] == kUtf16leMark[0] && mark[1] == kUtf16leMark[1];
}

BOOL CStdioFileEx::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
    m_bIsUnicodeText = false;
    const bool reading =
        (openFlags & (CFile::modeCreate | CFile::modeWrite | CFile::modeReadWrite)) == 0;
    if ((openFlags & CFile::typeText) != 0 && reading) m_bIsUnicodeText = IsFileUnicode(fileName);
    if (m_bIsUnicodeText) openFlags = (openFlags & ~UINT(CFile::typeText)) | CFile::typeBinary;
    m_nFlags = openFlags;
    return CStdioFile::Open(fileName, openFlags, error);
}

bool CStdioFileEx::ReadAnsiLine(std::wstring& line) {
    char bytes[kMaxLineBytes + 1];
    if (CStdioFile::ReadString(bytes, sizeof bytes) == nullptr) return false;
    const UINT codePage = m_nFileCodePage == -1 ? GetACP() : static_cast<UINT>(m_nFileCodePage);
    const DWORD flags = codePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    wchar_t wide[kWideBufferChars];
    const int count = MultiByteToWideChar(codePage, flags, bytes, -1, wide, kWideBufferChars);
    // count includes the terminating zero; a failed conversion gives an empty line.
    line.assign(wide, count > 0 ? static_cast<size_t>(count - 1) : 0);
    const size_t zero = line.find(L'\0');
    if (zero != std::wstring::npos) line.resize(zero);
    return true;
}

BOOL CStdioFileEx::ReadString(std::wstring& line) {
    line.clear();
    if (!IsOpen()) return 0;
    if (m_bIsUnicodeText) {
        if (GetPosition() == 0) Seek(2, CFile::begin);
        if (!CStdioFile::ReadString(line)) return 0;
    } else if (!ReadAnsiLine(line)) {
        return 0;
    }
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, L"\r\n") == 0)
        line.resize(line.size() - 2);
    else if (!line.empty() && (line.back() == L'\r' || line.back() == L'\n'))
        line.pop_back();
    return 1;
}

ULONGLONG CStdioFileEx::GetCharCount() const {
    if (!IsOpen()) return 0;
    const ULONGLONG length = GetLength();
    if (!m_bIsUnicodeText) return length;
    return length >= 2 ? (length - 2) / 2 : 0;
}
