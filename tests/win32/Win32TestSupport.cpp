#include "Win32TestSupport.h"

#include <filesystem>
#include <fstream>

std::string TestFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string FixturePath(const std::string& fileName) {
    return TestFolder() + fileName;
}

std::string FixtureLogPath(const std::string& saverPath) {
    const auto dot = saverPath.rfind('.');
    const auto slash = saverPath.rfind('\\');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? saverPath.substr(0, dot) : saverPath) + ".log";
}

std::vector<std::string> ReadLog(const std::string& saverPath) {
    std::vector<std::string> lines;
    std::ifstream log(FixtureLogPath(saverPath));
    for (std::string line; std::getline(log, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void RemoveLog(const std::string& saverPath) {
    DeleteFileA(FixtureLogPath(saverPath).c_str());
}

bool LogHas(const std::string& saverPath, const std::string& line) {
    for (const auto& logged : ReadLog(saverPath))
        if (logged == line)
            return true;
    return false;
}

std::string LogStartLine(const std::string& saverPath) {
    for (const auto& logged : ReadLog(saverPath))
        if (logged.rfind("start ", 0) == 0)
            return logged;
    return {};
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= limitMs)
            return condition();
        Sleep(50);
    }
    return true;
}

bool ProcessAlive(DWORD processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

void TChildGuard::Watch(DWORD processId) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId))
        Processes.push_back(process);
}

TChildGuard::~TChildGuard() {
    for (HANDLE process : Processes) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 10000);
        }
        CloseHandle(process);
    }
}

TBlankFolder::TBlankFolder()
    : Folder(TestFolder() + "saver folder " + std::to_string(GetCurrentProcessId()) + "\\") {
    CreateDirectoryA(Folder.c_str(), nullptr);
}

TBlankFolder::~TBlankFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
}

std::string TBlankFolder::CopyFixture(const std::string& fixture, const std::string& newName) {
    const std::string target = Folder + newName;
    CopyFileA(FixturePath(fixture).c_str(), target.c_str(), FALSE);
    return target;
}
