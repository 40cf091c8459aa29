// Whole-file reading and the safe replacement of a drawing file on save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "dxf_error.h"

// Largest drawing file read. Files are read whole into memory; the bound keeps
// a hostile or mistaken path (a device, a huge file) from exhausting it.
inline constexpr std::uintmax_t kDxfMaxFileBytes = 1024ull * 1024 * 1024;

// Reads the whole file into `bytes`. False with `error` set when the file is
// missing, unreadable or larger than kDxfMaxFileBytes.
bool dxfReadFileBytes(const std::filesystem::path& path, std::string& bytes, DxfError& error);

// The backup kept when `path` is replaced: the same name with the extension
// ".bak", as the host keeps its drawings' backups.
std::filesystem::path dxfBackupPath(const std::filesystem::path& path);

// Writes `text` to a new file beside `path` and renames it over `path`; a
// previous file at `path` is kept as dxfBackupPath(path). `path` names either
// the old or the new complete file at every moment; on failure the old file
// and the old backup are untouched and the new file is removed.
bool dxfReplaceFile(const std::filesystem::path& path, std::string_view text, DxfError& error);
