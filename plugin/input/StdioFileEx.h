// A text file of survey lines, read as wide text: an ANSI file in a code page
// (the system's ANSI code page unless set), or a UTF-16LE file that starts
// with its byte-order mark.
#pragma once

#include <string>

#include "afx.h"

class CStdioFileEx : public CStdioFile {
  public:
    // Bytes of one ANSI line read at a time; a longer line continues as the next.
    static constexpr UINT kMaxLineBytes = 4095;

    // In text mode for reading, the file's first two bytes decide whether it
    // is UTF-16LE (FF FE); such a file is then read untranslated.
    BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    // The next line without its line end (CR LF, or one CR or LF); false at
    // the end of the file.
    BOOL ReadString(std::wstring& line) override;
    // The file's length in characters: (bytes - 2) / 2 for UTF-16, bytes
    // otherwise, 0 when no file is open.
    ULONGLONG GetCharCount() const;
    bool IsFileUnicodeText() const { return m_bIsUnicodeText; }
    // The code page of ANSI files; -1 is the system's ANSI code page.
    void SetCodePage(int codePage) { m_nFileCodePage = codePage; }

  private:
    bool ReadAnsiLine(std::wstring& line);

    bool m_bIsUnicodeText = false;
    UINT m_nFlags = 0;
    int m_nFileCodePage = -1;
};

// Whether the file starts with the UTF-16LE byte-order mark.
bool IsFileUnicode(LPCWSTR fileName);
