// Fuzzes the command-line side of the screen-saver frame: splitting, the mode letter and the
// preview parent. Only the conversion error may escape, and only for a handle text.

#include "CommandLine.h"
#include "Exceptions.h"
#include "Saverlib.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    auto arguments = SplitCommandLine(line);
    for (const auto& argument : arguments)
        if (argument.find('"') != std::string::npos)
            std::abort(); // quotes group text and are dropped
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    const auto mode = ParseSaverMode(arguments);
    if (mode != smNone && mode != smConfigure && mode != smChangePassword && mode != smPreview &&
        mode != smSaver)
        std::abort();
    try {
        ParsePreviewParent(arguments, 0, [](TWindowHandle) { return true; });
    } catch (const EConvertError&) {
    }
    return 0;
}
