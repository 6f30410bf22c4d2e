// Stands in for a browser: appends the address it was started with to "label_url_logger.log"
// beside itself, one line per start, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path, length);
    log.replace(log.rfind('.'), std::string::npos, ".log");
    if (FILE* file = std::fopen(log.c_str(), "a")) {
        std::fprintf(file, "%s\n", commandLine);
        std::fclose(file);
    }
    return 0;
}
