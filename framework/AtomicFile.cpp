#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {
std::string TemporaryNameFor(const std::string& path) {
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    return path + "." + std::to_string(pid) + ".tmp";
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string LastErrorText() {
#ifdef _WIN32
    char buffer[512] = {};
    const DWORD code = GetLastError();
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   buffer, sizeof buffer, nullptr);
    std::string text = buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
#else
    return std::strerror(errno);
#endif
}

bool ReplaceFile(const std::string& temporary, const std::string& path) {
#ifdef _WIN32
    return MoveFileExA(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(temporary.c_str(), path.c_str()) == 0;
#endif
}

bool Fail(std::string* error, const std::string& what) {
    if (error)
        *error = what;
    return false;
}
} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    const std::string temporary = TemporaryNameFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return Fail(error, std::strerror(errno));

    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::string reason = written ? std::string() : std::strerror(errno);
    const bool flushed = written && FlushToDisk(file);
    if (written && !flushed)
        reason = std::strerror(errno);
    const bool closed = std::fclose(file) == 0;
    if (flushed && !closed)
        reason = std::strerror(errno);

    if (written && flushed && closed) {
        if (ReplaceFile(temporary, path))
            return true;
        reason = LastErrorText();
    }
    std::remove(temporary.c_str());
    return Fail(error, reason);
}
