#pragma once
// Child processes (TProcessManager) and the rotation settings kept in the registry
// (TKDRegistry).

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Creates a process as CreateProcessA does with these arguments (no security attributes, no
// handle inheritance, the caller's environment).
using TProcessCreator = std::function<BOOL(
    LPCSTR application, LPSTR commandLine, DWORD creationFlags, LPCSTR currentDirectory,
    LPSTARTUPINFOA startupInfo, LPPROCESS_INFORMATION processInformation)>;

// The real call behind every TProcessManager start.
BOOL CreateProcessDirect(LPCSTR application, LPSTR commandLine, DWORD creationFlags,
                         LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                         LPPROCESS_INFORMATION processInformation);
// Puts `creator` in place of the real call (a test that wants to see what is started) and
// returns the one it replaces; an empty creator restores the real call.
TProcessCreator SetProcessCreator(TProcessCreator creator);

// The command line that starts a saver: the path in double quotes, a blank and the switch
// ("/s" to run, "/c" to configure), so a path with blanks reaches the child whole.
std::string SaverCommandLine(const std::string& path, const std::string& modeSwitch);
// The folder part of a path, with its trailing "\" or ":"; empty when there is none.
std::string SaverFolder(const std::string& path);

// One child process: started, watched, asked to close; never killed, never owned.
class TProcessManager {
public:
    // How long Launch lets a new child settle before it goes on regardless.
    static constexpr DWORD InputIdleLimitMs = 10000;
    // Each wait of a stop request.
    static constexpr DWORD StopWaitMs = 2500;

    TProcessManager();
    // Releases the handles of a child still running; the child runs on.
    virtual ~TProcessManager();
    TProcessManager(const TProcessManager&) = delete;
    TProcessManager& operator=(const TProcessManager&) = delete;

    // Starts the child unless one runs already; true when a child runs afterwards. An empty
    // working directory leaves the child in ours.
    bool Launch(const std::string& path, const std::string& workingDirectory,
                const std::string& commandLine, DWORD creationFlags);
    bool LaunchNormal(const std::string& path, const std::string& workingDirectory,
                      const std::string& commandLine);
    bool IsRunning();
    // Waits up to `milliseconds` for the child to end; true while it still runs.
    bool WaitFor(DWORD milliseconds);
    // Asks the child to close (SC_CLOSE to its windows, then a quit message to its thread);
    // true when it still runs afterwards.
    virtual bool Stop();

    bool Running = false;
    STARTUPINFOA StartupInfo;
    PROCESS_INFORMATION ProcessInfo;

protected:
    void WaitOnHandle(HANDLE handle, DWORD milliseconds) const;

private:
    void CloseHandles();
};

// The two rotation settings, in memory; stored under HKCU "Software\Tessaly\Kaleidra".
class TKDRegistry {
public:
    virtual ~TKDRegistry() = default;

    // Fills the fields from the registry; a missing or unreadable value keeps the field, and
    // reading stops at the first unreadable one. Raises nothing.
    void ReadSettings();
    // Stores both fields; raises ERegistryException when a write fails.
    void WriteSettings() const;

    bool ChangeOnStartup = true;
    std::int32_t ChangeAfterMinutes = 15;
};

extern const char* const KDRegistryKey;
extern const char* const KDChangeOnStartupValue;
extern const char* const KDChangeAfterMinutesValue;

// The process-wide rotation settings.
TKDRegistry& GetRotationSettings();
