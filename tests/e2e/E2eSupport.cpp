#include "E2eSupport.h"

#include "Kdregistry.h"

#include <cstdio>
#include <fstream>
#include <random>

namespace {
std::string TempFolder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return path;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((folder + entry.cFileName).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}
} // namespace

std::string TestProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

TKaleidraFolder::TKaleidraFolder() {
    std::random_device seed;
    Folder = TempFolder() + "Kaleidra e2e " + std::to_string(seed() % 1000000) + "\\";
    CreateDirectoryA(Folder.c_str(), nullptr);
    AddFile("Kaleidra.scr", "Kaleidra.scr");
}

TKaleidraFolder::~TKaleidraFolder() {
    for (const auto& process : Started) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    // Fixture savers the test left running would keep their files open.
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((Folder + "*.log").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::ifstream log(Folder + entry.cFileName);
            for (std::string line; std::getline(log, line);)
                if (const DWORD pid = PidOfStartLine(line))
                    EndProcess(pid);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    Sleep(200);
    RemoveFolder(Folder);
}

void TKaleidraFolder::AddFile(const std::string& source, const std::string& name) {
    CopyFileA((TestProgramFolder() + source).c_str(), (Folder + name).c_str(), FALSE);
}

std::string TKaleidraFolder::AddSaver(const std::string& fixture, const std::string& name) {
    AddFile(fixture, name);
    return Folder + name;
}

void TKaleidraFolder::WriteConfig(std::string text) const {
    for (auto at = text.find("@DIR@"); at != std::string::npos; at = text.find("@DIR@"))
        text.replace(at, 5, Folder);
    std::ofstream(Folder + "Kaleidra.cfg", std::ios::binary) << text;
}

PROCESS_INFORMATION TKaleidraFolder::Start(const std::string& arguments) {
    const PROCESS_INFORMATION process = StartProgram(Folder + "Kaleidra.scr", arguments);
    if (process.hProcess)
        Started.push_back(process);
    return process;
}

std::vector<std::string> TKaleidraFolder::Log(const std::string& saverName) const {
    std::vector<std::string> lines;
    std::ifstream log(Folder + saverName.substr(0, saverName.rfind('.')) + ".log");
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

bool TKaleidraFolder::WaitForLogLine(const std::string& saverName, const std::string& prefix,
                                     int count, DWORD limitMs) const {
    const DWORD start = GetTickCount();
    while (CountLines(Log(saverName), prefix) < count) {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(100);
    }
    return true;
}

TNativeDllOverride::TNativeDllOverride(const std::string& program, const std::string& dll)
    : Key("Software\\Wine\\AppDefaults\\" + program + "\\DllOverrides") {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
        RegCloseKey(key);
    }
}

TNativeDllOverride::~TNativeDllOverride() {
    RegDeleteKeyA(HKEY_CURRENT_USER, Key.c_str());
}

bool WaitForExit(const PROCESS_INFORMATION& process, DWORD limitMs, DWORD* exitCode) {
    if (WaitForSingleObject(process.hProcess, limitMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(process.hProcess, exitCode);
    return true;
}

int CountLines(const std::vector<std::string>& lines, const std::string& prefix) {
    int count = 0;
    for (const auto& line : lines)
        count += line.rfind(prefix, 0) == 0;
    return count;
}

void SetRotation(bool changeOnStartup, int minutes) {
    TKDRegistry settings;
    settings.ChangeOnStartup = changeOnStartup;
    settings.ChangeAfterMinutes = minutes;
    settings.WriteSettings();
}

void EndProcess(DWORD pid) {
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

DWORD PidOfStartLine(const std::string& line) {
    unsigned long pid = 0;
    return std::sscanf(line.c_str(), "start pid=%lu", &pid) == 1 ? pid : 0;
}

// Pumps this thread's messages while waiting: a child window of another process placed in
// one of our windows sends us messages, and would wait for us otherwise.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return true;
}

bool BelongsTo(HWND window, DWORD pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == pid;
}

namespace {
struct TTitledWindowSearch {
    DWORD Pid;
    const char* Title;
    HWND Found;
};

BOOL CALLBACK FindTitledWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TTitledWindowSearch*>(data);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!BelongsTo(window, search->Pid) || !IsWindowVisible(window) ||
        std::string(title) != search->Title)
        return TRUE;
    search->Found = window;
    return FALSE;
}

} // namespace

HWND ProcessWindowTitled(DWORD pid, const char* title) {
    TTitledWindowSearch search{pid, title, nullptr};
    EnumWindows(FindTitledWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

PROCESS_INFORMATION StartProgram(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   nullptr, &startup, &process);
    return process;
}
