// The yardstick for Kaleidra's start-up cost: starts the program named on its command line
// with " /s", exactly as Kaleidra would, and does nothing else but wait for it to end.

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    std::string program = arguments;
    if (program.size() >= 2 && program.front() == '"')
        program = program.substr(1, program.size() - 2);
    std::string commandLine = "\"" + program + "\" /s";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        IDLE_PRIORITY_CLASS, nullptr, nullptr, &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
