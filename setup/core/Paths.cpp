#include "Paths.h"

#include <cstdarg>
#include <cstdio>

namespace setup {
namespace {

bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Offsets of the separators that are characters of their own.
std::vector<std::size_t> SeparatorOffsets(const std::string& path) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i]) && i + 1 < path.size()) {
            ++i;
        } else if (IsSeparator(path[i])) {
            offsets.push_back(i);
        }
    }
    return offsets;
}

}  // namespace

bool EndsWithSeparator(const std::string& path) {
    const auto offsets = SeparatorOffsets(path);
    return !offsets.empty() && offsets.back() + 1 == path.size();
}

std::string ParentFolder(const std::string& path) {
    const auto offsets = SeparatorOffsets(path);
    return offsets.empty() ? std::string() : path.substr(0, offsets.back() + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.size() < 3) return name;
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string WithBackslash(const std::string& folder) {
    return EndsWithSeparator(folder) ? folder : folder + "\\";
}

std::string NormalFolder(const std::string& folder) {
    const std::string trimmed = Trim(folder);
    return trimmed.empty() ? trimmed : WithBackslash(trimmed);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> FolderPrefixes(const std::string& path) {
    std::vector<std::size_t> ends = SeparatorOffsets(path);
    if (!EndsWithSeparator(path)) ends.push_back(path.size());
    std::vector<std::string> prefixes;
    for (std::size_t end : ends) {
        if (end == 0 || path[end - 1] == ':') continue;
        prefixes.push_back(path.substr(0, end));
    }
    return prefixes;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

}  // namespace setup
