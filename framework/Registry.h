#pragma once
// The registry accessor: one open key under a root key, 32-bit integer values, closed on
// destruction. Reads and writes that fail raise ERegistryException.

#include <windows.h>

#include <cstdint>
#include <string>

class TRegistry {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : Access(access) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return Root; }
    // Closes the open key, if any, and takes a new root.
    void SetRootKey(HKEY root);
    // The open key, or null.
    HKEY CurrentKey() const { return Current; }

    // Whether the key exists under the root; a leading "\" is allowed.
    bool KeyExists(const std::string& path) const;
    // Closes the open key and opens the key at `path` under the root, creating it when
    // `canCreate` is set. False when it cannot be opened.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey();

    bool ValueExists(const std::string& name) const;
    // Raises ERegistryException when the value cannot be read or is not a REG_DWORD.
    std::int32_t ReadInteger(const std::string& name) const;
    // Raises ERegistryException "Failed to set data for '<name>'" when the write fails.
    void WriteInteger(const std::string& name, std::int32_t value);

private:
    REGSAM Access;
    HKEY Root = HKEY_CURRENT_USER;
    HKEY Current = nullptr;
};
