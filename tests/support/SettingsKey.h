#pragma once
// The registry key of the rotation settings as tests see it from outside the program: removal,
// raw values, and setting them.

#include <windows.h>

#include <optional>

void RemoveSettingsKey();
bool SettingsKeyExists();
// The value as a DWORD, or nothing when it (or the key) is not there.
std::optional<DWORD> SettingsValue(const char* name);
void SetSettingsValue(const char* name, DWORD value);
