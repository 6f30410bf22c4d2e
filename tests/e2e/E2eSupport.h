#pragma once
// A Kaleidra folder of its own for each end-to-end test: Kaleidra.scr, fixture savers under
// names of the test's choice, Kaleidra.cfg, and the processes started from it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TKaleidraFolder {
public:
    // A fresh folder whose name holds a blank, with Kaleidra.scr in it.
    TKaleidraFolder();
    // Ends whatever the test left running in the folder, then removes it.
    ~TKaleidraFolder();

    const std::string& Path() const { return Folder; }
    // Copies the fixture program `fixture` (e.g. "fx_click.exe") in as `name`; returns its path.
    std::string AddSaver(const std::string& fixture, const std::string& name);
    // Copies a file from beside the test program into the folder under `name`.
    void AddFile(const std::string& source, const std::string& name);
    // Writes Kaleidra.cfg; "@DIR@" in the text stands for the folder with its trailing "\".
    void WriteConfig(std::string text) const;

    // Starts Kaleidra.scr with `arguments`, the way Windows starts a screen saver.
    PROCESS_INFORMATION Start(const std::string& arguments);
    // Lines of "<name without extension>.log" in the folder (empty when there is none).
    std::vector<std::string> Log(const std::string& saverName) const;
    // Waits (bounded) until the log holds a line starting with `prefix`, counted `count` times.
    bool WaitForLogLine(const std::string& saverName, const std::string& prefix, int count = 1,
                        DWORD limitMs = 30000) const;

private:
    std::string Folder;
    std::vector<PROCESS_INFORMATION> Started;
};

// While it lives, Wine loads `dll` for `program` from the program's folder instead of its own
// built-in copy (a per-program DllOverrides entry in this prefix's registry).
class TNativeDllOverride {
public:
    TNativeDllOverride(const std::string& program, const std::string& dll);
    ~TNativeDllOverride();

private:
    std::string Key;
};

// Waits up to `limitMs` for a process to end; true when it ended. Its exit code in `exitCode`.
bool WaitForExit(const PROCESS_INFORMATION& process, DWORD limitMs, DWORD* exitCode = nullptr);
// Handles this thread's messages until `done` holds or `limitMs` have passed; true when done.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs);
// Whether the window belongs to process `pid`.
bool BelongsTo(HWND window, DWORD pid);
// The visible top-level window of process `pid` with exactly this title, or null.
HWND ProcessWindowTitled(DWORD pid, const char* title);
// Starts `program` with `arguments` after its quoted path, in this program's folder; an empty
// record when it cannot be started.
PROCESS_INFORMATION StartProgram(const std::string& program, const std::string& arguments);
// Counts the lines of `lines` that start with `prefix`.
int CountLines(const std::vector<std::string>& lines, const std::string& prefix);
// The folder of the test program, with its trailing "\".
std::string TestProgramFolder();
// Writes the rotation settings to this Wine prefix's registry, as the program writes them.
void SetRotation(bool changeOnStartup, int minutes);
// Ends a process by its id (cleanup only).
void EndProcess(DWORD pid);
// The process id from a fixture's "start pid=<n> ..." line, or 0.
DWORD PidOfStartLine(const std::string& line);
