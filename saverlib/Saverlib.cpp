#include "Saverlib.h"

#include "CommandLine.h"
#include "Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
std::int8_t CachedMode = smNone;
TWindowHandle CachedParent = 0;

bool WindowExists(TWindowHandle handle) {
#ifdef _WIN32
    return IsWindow(reinterpret_cast<HWND>(handle)) != FALSE;
#else
    (void)handle;
    return false; // no windows outside Windows
#endif
}

char ModeLetter(const std::string& argument) {
    if (argument.empty())
        return '\0';
    if (argument[0] == '-' || argument[0] == '/')
        return argument.size() > 1 ? argument[1] : '\0';
    return argument[0];
}
} // namespace

std::int8_t ParseSaverMode(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return smConfigure;
    switch (ModeLetter(arguments[0])) {
    case 'c':
    case 'C':
    case '\0':
        return smConfigure;
    case 'a':
    case 'A':
        return smChangePassword;
    case 'p':
    case 'P':
        return smPreview;
    case 's':
    case 'S':
        return smSaver;
    default:
        return smNone;
    }
}

TWindowHandle ParsePreviewParent(const std::vector<std::string>& arguments, TWindowHandle current,
                                 const std::function<bool(TWindowHandle)>& windowExists) {
    if (arguments.size() == 1) {
        const auto colon = arguments[0].find(':');
        if (colon != std::string::npos)
            return StrToInt(arguments[0].substr(colon + 1));
    } else if (arguments.size() == 2) {
        const TWindowHandle handle = StrToInt(arguments[1]);
        if (handle != 0 && windowExists(handle))
            return handle;
    }
    return current;
}

std::int8_t GetSaverMode() {
    if (CachedMode == smNone)
        CachedMode = ParseSaverMode(ProgramArguments());
    return CachedMode;
}

TWindowHandle GetPreviewParent() {
    CachedParent = ParsePreviewParent(ProgramArguments(), CachedParent, WindowExists);
    return CachedParent;
}

void ResetSaverCommandLine() {
    CachedMode = smNone;
    CachedParent = 0;
}
