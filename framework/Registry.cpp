#include "Registry.h"

#include "Exceptions.h"

namespace {

std::string RelativePath(const std::string& path) {
    return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

} // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    Root = root;
}

bool TRegistry::KeyExists(const std::string& path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root, RelativePath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    const std::string relative = RelativePath(path);
    HKEY key = nullptr;
    const LONG result =
        canCreate ? RegCreateKeyExA(Root, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    Access, nullptr, &key, nullptr)
                  : RegOpenKeyExA(Root, relative.c_str(), 0, Access, &key);
    if (result != ERROR_SUCCESS)
        return false;
    Current = key;
    return true;
}

void TRegistry::CloseKey() {
    if (Current)
        RegCloseKey(Current);
    Current = nullptr;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return Current && RegQueryValueExA(Current, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                          ERROR_SUCCESS;
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG result = Current ? RegQueryValueExA(Current, name.c_str(), nullptr, &type,
                                                   reinterpret_cast<BYTE*>(&value), &size)
                                : ERROR_INVALID_HANDLE;
    // A longer value of another type answers ERROR_MORE_DATA: that is a type error too.
    if ((result == ERROR_SUCCESS || result == ERROR_MORE_DATA) && type != REG_DWORD)
        throw ERegistryException(FormatMessage1("Invalid data type for '%s'", name));
    if (result != ERROR_SUCCESS || size != sizeof(value))
        throw ERegistryException(FormatMessage1("Failed to get data for '%s'", name));
    return static_cast<std::int32_t>(value);
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    const LONG result = Current ? RegSetValueExA(Current, name.c_str(), 0, REG_DWORD,
                                                 reinterpret_cast<const BYTE*>(&data), sizeof(data))
                                : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS)
        throw ERegistryException(FormatMessage1("Failed to set data for '%s'", name));
}
