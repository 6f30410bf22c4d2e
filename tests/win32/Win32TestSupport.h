#pragma once
// Helpers for the Win32 tests: the fixture savers beside the test program, their logs, and
// clean-up of children that a test leaves behind.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// This test program's folder, with its trailing "\".
std::string TestFolder();
// A fixture saver (or fx_broken.scr) beside the test program.
std::string FixturePath(const std::string& fileName);
// The log a fixture saver writes: its path with the extension replaced by ".log".
std::string FixtureLogPath(const std::string& saverPath);
// The lines of a log, without line ends; none when it does not exist.
std::vector<std::string> ReadLog(const std::string& saverPath);
void RemoveLog(const std::string& saverPath);
// Whether some line of the log is exactly `line`.
bool LogHas(const std::string& saverPath, const std::string& line);
// The "start ..." line of the log, or empty.
std::string LogStartLine(const std::string& saverPath);
// Polls until `condition` holds or `limitMs` has passed; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs);

// Whether the process with this id is still alive.
bool ProcessAlive(DWORD processId);

// The children a test started: any still running when the guard goes are ended, so no
// fixture outlives its test. Holding their handles keeps their ids from being reused.
class TChildGuard {
public:
    TChildGuard() = default;
    ~TChildGuard();
    TChildGuard(const TChildGuard&) = delete;
    TChildGuard& operator=(const TChildGuard&) = delete;
    void Watch(DWORD processId);

private:
    std::vector<HANDLE> Processes;
};

// A folder with a blank in its name, under the test program's folder, removed at the end.
class TBlankFolder {
public:
    TBlankFolder();
    ~TBlankFolder();
    TBlankFolder(const TBlankFolder&) = delete;
    TBlankFolder& operator=(const TBlankFolder&) = delete;
    // The folder, with its trailing "\".
    const std::string& Path() const { return Folder; }
    // Copies a fixture saver into the folder under a new name; returns the new path.
    std::string CopyFixture(const std::string& fixture, const std::string& newName);

private:
    std::string Folder;
};
