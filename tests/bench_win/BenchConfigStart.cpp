// How long the settings window (Kaleidra.scr /c) takes to appear, against an empty dialog of
// ours built by the same framework in the same way. A window has appeared once a visible
// top-level window of the started process carries the expected caption; it is looked for every
// millisecond.
//   bench_config_start [--starts N]

#include "BenchFigures.h"
#include "E2eSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr DWORD WindowLimitMs = 30000;

// Without a window manager Wine waits two seconds for every closed top-level window to be
// withdrawn; as unmanaged windows both programs end at once. The start-up itself is the same.
class TUnmanagedWindows {
public:
    explicit TUnmanagedWindows(const std::string& program)
        : ProgramKey("Software\\Wine\\AppDefaults\\" + program), Key(ProgramKey + "\\X11 Driver") {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
    // The program's key goes too unless it holds other settings.
    ~TUnmanagedWindows() {
        RegDeleteKeyA(HKEY_CURRENT_USER, Key.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, ProgramKey.c_str());
    }
    TUnmanagedWindows(const TUnmanagedWindows&) = delete;
    TUnmanagedWindows& operator=(const TUnmanagedWindows&) = delete;

private:
    std::string ProgramKey;
    std::string Key;
};

// Asks the window to close as a user would and waits for the program to end, so that the next
// start finds no instance running.
void CloseAndWait(const PROCESS_INFORMATION& process, HWND window) {
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (!WaitForExit(process, WindowLimitMs))
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, WindowLimitMs);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// Milliseconds from starting the program until its window has appeared; negative when it did
// not appear within the limit or the program ended first.
double TimeToWindow(const std::string& program, const std::string& arguments, const char* caption) {
    const LARGE_INTEGER begin = ClockNow();
    const PROCESS_INFORMATION process = StartProgram(program, arguments);
    if (!process.hProcess)
        return -1;
    HWND window = nullptr;
    while (!(window = ProcessWindowTitled(process.dwProcessId, caption)) &&
           MillisecondsSince(begin) < WindowLimitMs &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    const double elapsed = MillisecondsSince(begin);
    CloseAndWait(process, window);
    return window ? elapsed : -1;
}

struct TProgram {
    const char* Name;
    std::string Path;
    const char* Arguments;
    const char* Caption;
    std::vector<double> Times;
};

bool MeasureStartUp(int starts) {
    const TUnmanagedWindows kaleidraWindows("Kaleidra.scr"), emptyWindows("empty_dialog.exe");
    TKaleidraFolder folder;
    folder.AddFile("empty_dialog.exe", "empty_dialog.exe");
    folder.AddSaver("fx_exit.exe", "Quick.scr");
    folder.WriteConfig("Version=2.0.0\r\n\r\n[Q;On;1]\r\n@DIR@Quick.scr;3\r\n");
    TProgram programs[] = {
        {"empty dialog", folder.Path() + "empty_dialog.exe", "", "Empty Dialog", {}},
        {"Kaleidra.scr /c", folder.Path() + "Kaleidra.scr", "/c", "Kaleidra Settings", {}},
    };
    for (int i = 0; i < starts; ++i)
        for (TProgram& program : programs) {
            const double ms = TimeToWindow(program.Path, program.Arguments, program.Caption);
            if (ms < 0) {
                std::printf("%s: no visible window \"%s\" within %lu ms\n", program.Name,
                            program.Caption, WindowLimitMs);
                return false;
            }
            program.Times.push_back(ms);
        }
    std::printf("start to visible window, %d alternating starts each:\n", starts);
    for (const TProgram& program : programs)
        std::printf("  %-16s min %6.1f ms, median %6.1f ms\n", program.Name, Minimum(program.Times),
                    Median(program.Times));
    std::printf("  ratio of medians %.2f (target: at most 1.5)\n",
                Median(programs[1].Times) / Median(programs[0].Times));
    return true;
}
} // namespace

int main(int argc, char** argv) {
    int starts = 9;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--starts") == 0)
            starts = std::max(1, std::atoi(argv[i + 1]));
    return MeasureStartUp(starts) ? 0 : 1;
}
