#include "Win32Files.h"

#include <windows.h>

namespace setup {
namespace {

bool IsDotEntry(const char* name) { return lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0; }

unsigned WriteBytes(const std::string& path, const std::string& text, DWORD disposition) {
    HANDLE file =
        CreateFileA(path.c_str(), disposition == OPEN_ALWAYS ? FILE_APPEND_DATA : GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const unsigned error = ok && written == bytes.size() ? 0 : GetLastError();
    CloseHandle(file);
    return error;
}

}  // namespace

// Searches by full pattern instead of making the folder current, so that the
// process's current folder is never changed under the other thread.
bool Win32Files::List(const std::string& folder, const std::string& pattern,
                      std::vector<DirEntry>& entries, unsigned& error) {
    entries.clear();
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        // An existing folder without a matching entry is an empty list.
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        return error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    do {
        if (IsDotEntry(data.cFileName)) continue;
        entries.push_back(
            {data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return true;
}

bool Win32Files::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned Win32Files::MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
}

bool Win32Files::CopyOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void Win32Files::SetNormal(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void Win32Files::SetHidden(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_HIDDEN);
}

void Win32Files::Delete(const std::string& path) { DeleteFileA(path.c_str()); }

unsigned Win32Files::WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, text, CREATE_ALWAYS);
}

unsigned Win32Files::AppendText(const std::string& path, const std::string& text) {
    return WriteBytes(path, text, OPEN_ALWAYS);
}

std::string Win32Files::ErrorText(unsigned error) {
    char* buffer = nullptr;
    const DWORD size = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer),
        0, nullptr);
    std::string text = size && buffer ? std::string(buffer, size) : std::string();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace setup
