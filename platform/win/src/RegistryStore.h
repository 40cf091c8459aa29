// The one registry of the process: which file holds it, the keys loaded from
// it, and saving every change back. Loaded on first use.
#pragma once

#ifndef _WIN32

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "RegistryTree.h"

namespace winreg {

// What an open handle refers to: a root and the path of names below it.
struct KeyRef {
    int root = 0;
    std::vector<std::wstring> path;
};

class RegistryStore {
  public:
    static RegistryStore& Instance();

    // Every access holds this lock; the installer writes from a worker thread.
    std::mutex& Lock() { return m_lock; }

    // "" selects the default file. Unloads the current registry.
    void SetFile(const std::string& path);
    // Loads the file on first use; false while it is unreadable or malformed.
    bool EnsureLoaded();
    const RegistryTree& Tree() const { return m_tree; }
    // Changes are made in place and then saved with Commit; a change whose
    // save fails must be undone by its maker, so that the registry in memory
    // stays what the file holds. (The tree is never copied: it may be large.)
    RegistryTree& MutableTree() { return m_tree; }
    // Writes the registry to the file (temporary file, then rename); false
    // when that failed, leaving the file as it was.
    bool Commit();
    const std::string& LastError() const { return m_lastError; }

    std::uintptr_t AddHandle(KeyRef ref);
    const KeyRef* FindHandle(std::uintptr_t handle) const;
    bool RemoveHandle(std::uintptr_t handle);

  private:
    std::string FilePath() const;
    std::string Load();

    std::mutex m_lock;
    std::string m_chosenPath;
    bool m_loaded = false;
    bool m_malformed = false;
    RegistryTree m_tree;
    std::string m_lastError;
    std::map<std::uintptr_t, KeyRef> m_handles;
    std::uintptr_t m_nextHandle = 0x1000;
};

}  // namespace winreg

#endif
