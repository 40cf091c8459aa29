#ifndef _WIN32

#include "RegistryOps.h"

#include <cstring>
#include <mutex>
#include <optional>

#include "RegistryStore.h"

namespace winreg {

namespace {

// Windows limits a key name to 255 characters and a value name to 16383.
constexpr size_t kMaxKeyName = 255;
constexpr size_t kMaxValueName = 16383;

// Line breaks cannot be written into the line-based registry file, so names
// holding them are refused rather than saved broken.
bool isStorableName(const std::wstring& name, size_t maxLength) {
    return name.size() <= maxLength && name.find_first_of(L"\r\n") == std::wstring::npos;
}

// The root index and path of a handle; false for an unknown handle.
bool resolveHandle(const RegistryStore& store, HKEY key, KeyRef& ref) {
    const auto value = reinterpret_cast<std::uintptr_t>(key);
    for (int i = 0; i < 4; ++i) {
        if (value == kRegRoots[i].handle) {
            ref = KeyRef{i, {}};
            return true;
        }
    }
    const KeyRef* found = store.FindHandle(value);
    if (found != nullptr) ref = *found;
    return found != nullptr;
}

template <typename Tree, typename Key>
Key* walk(Tree& tree, const KeyRef& ref) {
    Key* key = &tree.roots[ref.root];
    for (const std::wstring& name : ref.path) {
        key = key->FindSubkey(name);
        if (key == nullptr) return nullptr;
    }
    return key;
}

RegKey* findKey(RegistryTree& tree, const KeyRef& ref) {
    return walk<RegistryTree, RegKey>(tree, ref);
}
const RegKey* findKey(const RegistryTree& tree, const KeyRef& ref) {
    return walk<const RegistryTree, const RegKey>(tree, ref);
}

// The subkey path below `ref`, checked; ERROR_SUCCESS or the failure.
LONG extendPath(KeyRef& ref, const std::wstring& subKey) {
    std::vector<std::wstring> names;
    if (!SplitRegPath(subKey, names)) return ERROR_BAD_PATHNAME;
    for (const std::wstring& name : names) {
        if (!isStorableName(name, kMaxKeyName)) return ERROR_INVALID_PARAMETER;
        ref.path.push_back(name);
    }
    return ref.path.size() <= kMaxRegKeyDepth ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

// Locks the store and makes sure it is loaded; `status` is the failure.
class Session {
  public:
    Session() : m_store(RegistryStore::Instance()), m_guard(m_store.Lock()) {
        if (!m_store.EnsureLoaded()) status = ERROR_BADDB;
    }
    RegistryStore& Store() { return m_store; }
    LONG status = ERROR_SUCCESS;

  private:
    RegistryStore& m_store;
    std::lock_guard<std::mutex> m_guard;
};

// Saves a change made in place; when the save fails, `undo` takes it back.
template <typename Undo>
LONG commit(RegistryStore& store, Undo undo) {
    if (store.Commit()) return ERROR_SUCCESS;
    undo();
    return ERROR_WRITE_FAULT;
}

}  // namespace

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

LONG CreateKey(HKEY base, const std::wstring& subKey, PHKEY result, LPDWORD disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), base, ref)) return ERROR_INVALID_HANDLE;
    if (findKey(session.Store().Tree(), ref) == nullptr) return ERROR_KEY_DELETED;
    if (const LONG status = extendPath(ref, subKey); status != ERROR_SUCCESS) return status;
    RegKey* key = &session.Store().MutableTree().roots[ref.root];
    RegKey* firstParent = nullptr;  // where the first new key was made
    std::wstring firstName;
    for (const std::wstring& name : ref.path) {
        bool created = false;
        RegKey* parent = key;
        key = &key->SubkeyOrNew(name, &created);
        if (created && firstParent == nullptr) {
            firstParent = parent;
            firstName = name;
        }
    }
    const bool createdAny = firstParent != nullptr;
    if (createdAny) {
        const LONG status = commit(session.Store(), [&] { firstParent->RemoveSubkey(firstName); });
        if (status != ERROR_SUCCESS) return status;
    }
    if (disposition != nullptr)
        *disposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = reinterpret_cast<HKEY>(session.Store().AddHandle(std::move(ref)));
    return ERROR_SUCCESS;
}

LONG OpenKey(HKEY base, const std::wstring& subKey, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), base, ref)) return ERROR_INVALID_HANDLE;
    if (findKey(session.Store().Tree(), ref) == nullptr) return ERROR_KEY_DELETED;
    if (const LONG status = extendPath(ref, subKey); status != ERROR_SUCCESS) return status;
    if (findKey(session.Store().Tree(), ref) == nullptr) return ERROR_FILE_NOT_FOUND;
    *result = reinterpret_cast<HKEY>(session.Store().AddHandle(std::move(ref)));
    return ERROR_SUCCESS;
}

LONG QueryValue(HKEY key, const std::wstring& name, RegValue& value) {
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), key, ref)) return ERROR_INVALID_HANDLE;
    const RegKey* found = findKey(session.Store().Tree(), ref);
    if (found == nullptr) return ERROR_KEY_DELETED;
    const RegValue* stored = found->FindValue(name);
    if (stored == nullptr) return ERROR_FILE_NOT_FOUND;
    value = *stored;
    return ERROR_SUCCESS;
}

LONG SetValue(HKEY key, const std::wstring& name, DWORD type, std::vector<std::uint8_t> data) {
    if (!isStorableName(name, kMaxValueName)) return ERROR_INVALID_PARAMETER;
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), key, ref)) return ERROR_INVALID_HANDLE;
    RegKey* target = findKey(session.Store().MutableTree(), ref);
    if (target == nullptr) return ERROR_KEY_DELETED;
    std::optional<RegValue> old;
    if (const RegValue* stored = target->FindValue(name)) old = *stored;
    target->SetValue(RegValue{name, type, std::move(data)});
    return commit(session.Store(), [&] {
        if (old)
            target->SetValue(std::move(*old));
        else
            target->RemoveValue(name);
    });
}

LONG DeleteValue(HKEY key, const std::wstring& name) {
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), key, ref)) return ERROR_INVALID_HANDLE;
    RegKey* target = findKey(session.Store().MutableTree(), ref);
    if (target == nullptr) return ERROR_KEY_DELETED;
    const auto place = target->valueIndex.find(name);
    if (place == target->valueIndex.end()) return ERROR_FILE_NOT_FOUND;
    const size_t index = place->second;
    RegValue old = target->values[index];
    target->RemoveValue(name);
    return commit(session.Store(), [&] { target->InsertValue(index, std::move(old)); });
}

// Deletes a key without subkeys; an empty subkey names the handle's own key.
LONG DeleteKey(HKEY base, const std::wstring& subKey) {
    Session session;
    if (session.status != ERROR_SUCCESS) return session.status;
    KeyRef ref;
    if (!resolveHandle(session.Store(), base, ref)) return ERROR_INVALID_HANDLE;
    if (const LONG status = extendPath(ref, subKey); status != ERROR_SUCCESS) return status;
    if (ref.path.empty()) return ERROR_ACCESS_DENIED;  // a root cannot be deleted
    RegistryTree& tree = session.Store().MutableTree();
    const RegKey* target = findKey(tree, ref);
    if (target == nullptr) return ERROR_FILE_NOT_FOUND;
    if (!target->subkeys.empty()) return ERROR_ACCESS_DENIED;
    RegKey old = *target;  // values only: it has no subkeys
    ref.path.pop_back();
    RegKey* parent = findKey(tree, ref);
    parent->RemoveSubkey(old.name);
    return commit(session.Store(), [&] { parent->SubkeyOrNew(old.name) = std::move(old); });
}

LONG CloseKey(HKEY key) {
    RegistryStore& store = RegistryStore::Instance();
    std::lock_guard<std::mutex> guard(store.Lock());
    const auto value = reinterpret_cast<std::uintptr_t>(key);
    for (const RegRoot& root : kRegRoots) {
        if (value == root.handle) return ERROR_SUCCESS;
    }
    return store.RemoveHandle(value) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG CopyValueOut(const std::vector<std::uint8_t>& bytes, DWORD type, LPDWORD typeOut, LPBYTE data,
                  LPDWORD dataSize) {
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    if (typeOut != nullptr) *typeOut = type;
    const auto needed = static_cast<DWORD>(bytes.size());
    if (data != nullptr && *dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr && !bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    if (dataSize != nullptr) *dataSize = needed;
    return ERROR_SUCCESS;
}

}  // namespace winreg

#endif
