// The file classes of the application framework: CFile (untranslated bytes)
// and CStdioFile (lines of text). Off Windows a file is a C stream opened in
// binary mode, so text mode reads lines exactly as they are stored.
#pragma once

#include <cstdio>
#include <string>

#include "wintypes.h"

#ifndef _WIN32

class CFileException {};

class CFile {
  public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    virtual ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // The path is wide text; false when the file cannot be opened.
    virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    UINT Read(void* buffer, UINT count);
    ULONGLONG GetLength() const;
    ULONGLONG GetPosition() const;
    ULONGLONG Seek(LONGLONG offset, UINT from);
    bool IsOpen() const { return m_pStream != nullptr; }

  protected:
    std::FILE* m_pStream = nullptr;
};

class CStdioFile : public CFile {
  public:
    // Up to maxCount - 1 bytes of the next line, its LF included, with a
    // terminating zero; nullptr at the end of the file.
    char* ReadString(char* buffer, UINT maxCount);
    // The next line of a file of UTF-16LE units, without its LF (a CR before
    // it stays); false at the end of the file.
    virtual BOOL ReadString(std::wstring& line);
};

#endif
