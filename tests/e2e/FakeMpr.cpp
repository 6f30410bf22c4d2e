// Stands in for the system's password provider "MPR.DLL" in the end-to-end tests: logs how it
// was called to "MPR.log" beside it and keeps the caller busy for a while, as the real
// password dialog would, so a test can watch the caller while the dialog is "open".

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
HMODULE Self = nullptr;

void LogCall(const char* provider, HWND owner) {
    char path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(Self, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    std::strcpy(slash ? slash + 1 : path + length, "MPR.log");
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "PwdChangePasswordA provider=%s owner=%s pid=%lu\n",
                     provider ? provider : "(null)", owner ? "window" : "none",
                     static_cast<unsigned long>(GetCurrentProcessId()));
        std::fclose(log);
    }
}
} // namespace

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD, LPVOID) {
    LogCall(provider, owner);
    Sleep(4000);
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        Self = instance;
    return TRUE;
}
