#include "dxf_io.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

DxfError ioError(const fs::path& path, const std::string& what) {
    return DxfError{DxfFault::Io, 0, what + ": " + path.string()};
}

// A name beside the target that no other writer uses at the same time.
fs::path temporaryPath(const fs::path& path) {
    fs::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    return tmp;
}

bool writeAll(const fs::path& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    // The data must be on disk before the rename makes it the drawing.
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

// Makes `backup` hold the current `path`: a hard link when the file system
// allows it (cheap, and `path` itself is never missing), otherwise a copy.
bool keepBackup(const fs::path& path, const fs::path& backup) {
    std::error_code ec;
    fs::path staged = backup;
    staged += ".new";
    fs::remove(staged, ec);
    fs::create_hard_link(path, staged, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(path, staged, fs::copy_options::overwrite_existing, ec);
        if (ec) return false;
    }
    fs::rename(staged, backup, ec);
    return !ec;
}

}  // namespace

bool dxfReadFileBytes(const fs::path& path, std::string& bytes, DxfError& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        error = ioError(path, "no such drawing file");
        return false;
    }
    // A folder, a FIFO or a device: reading it would fail or never end.
    if (!fs::is_regular_file(status)) {
        error = ioError(path, "not a regular file");
        return false;
    }
    std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kDxfMaxFileBytes) {
        error = DxfError{DxfFault::TooLarge, 0, "file larger than 1 GiB: " + path.string()};
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.assign(static_cast<size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        error = ioError(path, "cannot read drawing file");
        return false;
    }
    return true;
}

fs::path dxfBackupPath(const fs::path& path) {
    fs::path backup = path;
    backup.replace_extension(".bak");
    // A drawing that is itself named *.bak must not be its own backup.
    if (backup == path) backup += ".bak";
    return backup;
}

bool dxfReplaceFile(const fs::path& path, std::string_view text, DxfError& error) {
    const fs::path tmp = temporaryPath(path);
    std::error_code ec;
    if (!writeAll(tmp, text)) {
        fs::remove(tmp, ec);
        error = ioError(path, "cannot write drawing file");
        return false;
    }
    if (fs::exists(path, ec) && !keepBackup(path, dxfBackupPath(path))) {
        fs::remove(tmp, ec);
        error = ioError(dxfBackupPath(path), "cannot keep backup file");
        return false;
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        error = ioError(path, "cannot replace drawing file");
        return false;
    }
    return true;
}
