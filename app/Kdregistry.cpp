#include "Kdregistry.h"

#include "Registry.h"
#include "SingletonHolder.h"

#include <exception>
#include <utility>
#include <vector>

const char* const KDRegistryKey = "Software\\Tessaly\\Kaleidra";
const char* const KDChangeOnStartupValue = "SaverChangeOnStartup";
const char* const KDChangeAfterMinutesValue = "SaverChangeAfterMinutes";

namespace {

TProcessCreator& ProcessCreator() {
    static TProcessCreator creator = CreateProcessDirect;
    return creator;
}

BOOL CALLBACK PostCloseCommand(HWND window, LPARAM) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

} // namespace

BOOL CreateProcessDirect(LPCSTR application, LPSTR commandLine, DWORD creationFlags,
                         LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                         LPPROCESS_INFORMATION processInformation) {
    return CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, creationFlags, nullptr,
                          currentDirectory, startupInfo, processInformation);
}

TProcessCreator SetProcessCreator(TProcessCreator creator) {
    if (!creator)
        creator = CreateProcessDirect;
    return std::exchange(ProcessCreator(), std::move(creator));
}

std::string SaverCommandLine(const std::string& path, const std::string& modeSwitch) {
    return "\"" + path + "\" " + modeSwitch;
}

std::string SaverFolder(const std::string& path) {
    const auto separator = path.find_last_of("\\:");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

TProcessManager::TProcessManager() : StartupInfo{}, ProcessInfo{} {}

TProcessManager::~TProcessManager() {
    if (Running)
        CloseHandles();
}

bool TProcessManager::Launch(const std::string& path, const std::string& workingDirectory,
                             const std::string& commandLine, DWORD creationFlags) {
    if (Running)
        return true;
    // The record's own size: 68 bytes on 32-bit Windows, 104 on 64-bit.
    StartupInfo = STARTUPINFOA{};
    StartupInfo.cb = sizeof(STARTUPINFOA);
    ProcessInfo = PROCESS_INFORMATION{};
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    const char* folder = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    if (!ProcessCreator()(path.c_str(), command.data(), creationFlags, folder, &StartupInfo,
                          &ProcessInfo)) {
        ProcessInfo = PROCESS_INFORMATION{};
        return false;
    }
    // A child that never settles must not hold up the caller for ever.
    WaitForInputIdle(ProcessInfo.hProcess, InputIdleLimitMs);
    Running = true;
    return true;
}

bool TProcessManager::LaunchNormal(const std::string& path, const std::string& workingDirectory,
                                   const std::string& commandLine) {
    return Launch(path, workingDirectory, commandLine, NORMAL_PRIORITY_CLASS);
}

bool TProcessManager::IsRunning() {
    if (!Running)
        return false;
    DWORD exitCode = 0;
    // A child may end with the code STILL_ACTIVE itself; its signalled handle tells the truth.
    const bool stillActive = GetExitCodeProcess(ProcessInfo.hProcess, &exitCode) &&
                             exitCode == STILL_ACTIVE &&
                             WaitForSingleObject(ProcessInfo.hProcess, 0) == WAIT_TIMEOUT;
    if (!stillActive) {
        Running = false;
        CloseHandles();
    }
    return Running;
}

bool TProcessManager::WaitFor(DWORD milliseconds) {
    WaitOnHandle(ProcessInfo.hProcess, milliseconds);
    return IsRunning();
}

bool TProcessManager::Stop() {
    // An ended child's thread id may already name someone else's thread.
    if (!IsRunning())
        return false;
    EnumThreadWindows(ProcessInfo.dwThreadId, PostCloseCommand, 0);
    WaitOnHandle(ProcessInfo.hProcess, StopWaitMs);
    if (!IsRunning())
        return false;
    PostThreadMessageA(ProcessInfo.dwThreadId, WM_QUIT, 0, 0);
    WaitOnHandle(ProcessInfo.hProcess, StopWaitMs);
    return IsRunning();
}

void TProcessManager::WaitOnHandle(HANDLE handle, DWORD milliseconds) const {
    // Any outcome will do: a missing handle fails at once, and IsRunning decides afterwards.
    if (handle)
        WaitForSingleObject(handle, milliseconds);
}

void TProcessManager::CloseHandles() {
    if (ProcessInfo.hThread)
        CloseHandle(ProcessInfo.hThread);
    if (ProcessInfo.hProcess)
        CloseHandle(ProcessInfo.hProcess);
    // Closed handle values may be reused by the system; never wait on them again.
    ProcessInfo.hThread = nullptr;
    ProcessInfo.hProcess = nullptr;
}

void TKDRegistry::ReadSettings() {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    try {
        if (!registry.KeyExists(KDRegistryKey))
            return;
        registry.OpenKey(KDRegistryKey, false);
        if (registry.ValueExists(KDChangeOnStartupValue))
            ChangeOnStartup = registry.ReadInteger(KDChangeOnStartupValue) != 0;
        if (registry.ValueExists(KDChangeAfterMinutesValue))
            ChangeAfterMinutes = registry.ReadInteger(KDChangeAfterMinutesValue);
    } catch (const std::exception&) {
        // An unreadable value ends the reading; what was read so far stays.
    }
}

void TKDRegistry::WriteSettings() const {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    // A key that cannot be opened makes the first write fail, which reports it.
    registry.OpenKey(KDRegistryKey, true);
    registry.WriteInteger(KDChangeOnStartupValue, ChangeOnStartup ? 1 : 0);
    registry.WriteInteger(KDChangeAfterMinutesValue, ChangeAfterMinutes);
}

TKDRegistry& GetRotationSettings() {
    return SingletonHolder<TKDRegistry>::Instance();
}
