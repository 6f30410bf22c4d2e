#pragma once
// The process command line and the framework's rule for splitting it into arguments.

#include <string>
#include <vector>

// Arguments are separated by blanks or control characters; double quotes group text that
// holds blanks and are dropped. The first element is the program's own path.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The command line this process was started with (on Windows, GetCommandLineA).
std::string ProcessCommandLine();

// Replaces the command line that ProcessCommandLine reports (tests, and native builds,
// which have no Windows command line to ask).
void SetProcessCommandLine(const std::string& commandLine);

// Arguments after the program path.
std::vector<std::string> ProgramArguments();
