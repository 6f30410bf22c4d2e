#include "CommandLine.h"

#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
std::optional<std::string>& CommandLineOverride() {
    static std::optional<std::string> text;
    return text;
}

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < commandLine.size() && IsSeparator(commandLine[i]))
            ++i;
        if (i >= commandLine.size())
            break;
        std::string argument;
        bool quoted = false;
        for (; i < commandLine.size(); ++i) {
            const char c = commandLine[i];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && IsSeparator(c))
                break;
            else
                argument += c;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string ProcessCommandLine() {
    if (CommandLineOverride())
        return *CommandLineOverride();
#ifdef _WIN32
    return GetCommandLineA();
#else
    return {};
#endif
}

void SetProcessCommandLine(const std::string& commandLine) {
    CommandLineOverride() = commandLine;
}

std::vector<std::string> ProgramArguments() {
    auto arguments = SplitCommandLine(ProcessCommandLine());
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    return arguments;
}
