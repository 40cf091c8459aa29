#include "NativeFiles.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "Cp936.h"
#include "Paths.h"

namespace fs = std::filesystem;

namespace setup {
namespace {

// Windows error codes for the errors Linux reports.
unsigned WindowsError(const std::error_code& code) {
    switch (code.value()) {
        case ENOENT:
            return 3;  // ERROR_PATH_NOT_FOUND
        case EACCES:
        case EPERM:
        case EROFS:
            return 5;  // ERROR_ACCESS_DENIED
        case EEXIST:
            return 183;  // ERROR_ALREADY_EXISTS
        case ENAMETOOLONG:
            return 206;  // ERROR_FILENAME_EXCED_RANGE
        case ENOTDIR:
            return 267;  // ERROR_DIRECTORY
        default:
            return 31;  // ERROR_GEN_FAILURE
    }
}

struct ErrorRow {
    unsigned code;
    const char* text;
};

constexpr ErrorRow kErrorTexts[] = {
    {3, "The system cannot find the path specified."},
    {5, "Access is denied."},
    {183, "Cannot create a file when that file already exists."},
    {206, "The filename or extension is too long."},
    {267, "The directory name is invalid."},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "*.*" matches every name, "*.ext" names ending in ".ext" (any case).
bool Matches(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*" || pattern == "*") return true;
    const std::string suffix = Lower(pattern.substr(1));
    return name.size() >= suffix.size() && Lower(name).ends_with(suffix);
}

unsigned WriteBytes(const std::string& path, const std::string& text, std::ios::openmode mode) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    std::ofstream out(NativeFiles::LocalPath(path), std::ios::binary | mode);
    if (!out) return 5;
    out << bytes;
    return out.flush() ? 0 : 29;  // ERROR_WRITE_FAULT
}

}  // namespace

std::string NativeFiles::LocalPath(const std::string& path) {
    std::string local = Cp936ToUtf8(path);
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

bool NativeFiles::List(const std::string& folder, const std::string& pattern,
                       std::vector<DirEntry>& entries, unsigned& error) {
    entries.clear();
    std::error_code code;
    fs::directory_iterator it(LocalPath(folder), code);
    if (code) {
        error = WindowsError(code);
        return false;
    }
    for (; it != fs::directory_iterator(); it.increment(code)) {
        const std::string name = Utf8ToCp936(it->path().filename().string());
        if (Matches(name, pattern)) entries.push_back({name, it->is_directory(code)});
    }
    // NTFS lists a folder in name order without regard to case.
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return Lower(a.name) < Lower(b.name); });
    return true;
}

bool NativeFiles::Exists(const std::string& path) {
    std::error_code code;
    return fs::exists(fs::symlink_status(LocalPath(path), code));
}

unsigned NativeFiles::MakeFolder(const std::string& path) {
    std::error_code code;
    if (fs::create_directory(LocalPath(path), code)) return 0;
    return code ? WindowsError(code) : 183;
}

bool NativeFiles::CopyOver(const std::string& from, const std::string& to) {
    std::error_code code;
    return fs::copy_file(LocalPath(from), LocalPath(to), fs::copy_options::overwrite_existing,
                         code);
}

void NativeFiles::SetNormal(const std::string& path) {
    std::error_code code;
    fs::permissions(LocalPath(path), fs::perms::owner_write, fs::perm_options::add, code);
    m_hidden.erase(LocalPath(path));
}

void NativeFiles::SetHidden(const std::string& path) { m_hidden.insert(LocalPath(path)); }

void NativeFiles::Delete(const std::string& path) {
    std::error_code code;
    fs::remove(LocalPath(path), code);
    m_hidden.erase(LocalPath(path));
}

unsigned NativeFiles::WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, text, std::ios::trunc);
}

unsigned NativeFiles::AppendText(const std::string& path, const std::string& text) {
    return WriteBytes(path, text, std::ios::app);
}

std::string NativeFiles::ErrorText(unsigned error) {
    for (const ErrorRow& row : kErrorTexts) {
        if (row.code == error) return row.text;
    }
    return Format("Error %u.", error);
}

bool NativeFiles::IsHidden(const std::string& path) const {
    return m_hidden.count(LocalPath(path)) != 0;
}

}  // namespace setup
