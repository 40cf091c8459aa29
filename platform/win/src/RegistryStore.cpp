#ifndef _WIN32

#include "RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "RegFile.h"
#include "TextCodec.h"

namespace winreg {

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return ".";
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes beside the target and renames over it, so that the file is always
// either the old registry or the new one, never a part of it.
std::string writeAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    std::error_code ignored;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return std::strerror(errno);
    bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
    const int writeError = errno;
    ok = (close(fd) == 0) && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return "";
    const std::string reason = std::strerror(ok ? errno : writeError);
    std::remove(temp.c_str());
    return reason;
}

}  // namespace

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

std::string RegistryStore::FilePath() const {
    if (!m_chosenPath.empty()) return m_chosenPath;
    if (const char* env = std::getenv("KAVREL_REGISTRY"); env != nullptr && *env != 0) return env;
    return homeFolder() + "/.kavrel/registry.reg";
}

void RegistryStore::SetFile(const std::string& path) {
    m_chosenPath = path;
    m_loaded = false;
    m_malformed = false;
    m_tree = RegistryTree();
    m_lastError.clear();
}

// Reads the file into the registry; the text of the failure, "" on success.
std::string RegistryStore::Load() {
    const std::string path = FilePath();
    std::error_code failure;
    const bool exists = std::filesystem::exists(path, failure);
    if (!exists && !failure) return "";  // a new, empty registry
    if (failure || std::filesystem::is_directory(path, failure))
        return "cannot read registry file " + path;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) return "cannot read registry file " + path;
    if (bytes.empty()) return "";  // an empty file holds an empty registry
    std::ostringstream error;
    error << "registry file " << path << ", line ";
    const DecodedFile decoded = DecodeRegFile(bytes);
    if (!decoded.ok) {
        error << decoded.errorLine << ": " << decoded.problem;
        return error.str();
    }
    RegFileParse parsed = ParseRegFile(decoded.text);
    if (!parsed.ok) {
        error << parsed.errorLine << ": " << parsed.message;
        return error.str();
    }
    m_tree = std::move(parsed.tree);
    return "";
}

// A file that could not be loaded is never written over: it may hold settings
// that a later save would lose.
bool RegistryStore::EnsureLoaded() {
    if (m_loaded) return !m_malformed;
    std::string error;
    try {  // the stream library throws on some read errors
        error = Load();
    } catch (const std::exception&) {
        error = "cannot read registry file " + FilePath();
    }
    m_loaded = true;
    m_malformed = !error.empty();
    if (!m_malformed) return true;
    m_tree = RegistryTree();
    m_lastError = error + " (the file is left untouched; no change is saved)";
    std::fprintf(stderr, "%s\n", m_lastError.c_str());
    return false;
}

bool RegistryStore::Commit() {
    if (m_malformed) return false;
    const std::string path = FilePath();
    const std::string reason = writeAtomically(path, EncodeRegFile(FormatRegFile(m_tree)));
    if (!reason.empty()) {
        m_lastError = "cannot write registry file " + path + ": " + reason;
        return false;
    }
    m_lastError.clear();
    return true;
}

std::uintptr_t RegistryStore::AddHandle(KeyRef ref) {
    const std::uintptr_t handle = m_nextHandle;
    m_nextHandle += 4;
    m_handles.emplace(handle, std::move(ref));
    return handle;
}

const KeyRef* RegistryStore::FindHandle(std::uintptr_t handle) const {
    const auto it = m_handles.find(handle);
    return it == m_handles.end() ? nullptr : &it->second;
}

bool RegistryStore::RemoveHandle(std::uintptr_t handle) { return m_handles.erase(handle) > 0; }

}  // namespace winreg

#endif
