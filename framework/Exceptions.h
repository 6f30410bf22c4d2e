#pragma once
// The framework's exception classes. The application's exception display shows Message().

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that should have been a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A registry access that failed.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Replaces the first "%s" of a message template with the given text.
std::string FormatMessage1(const std::string& pattern, const std::string& argument);

// Signed decimal integer, optional leading blanks and sign; anything else, or a value outside
// 32 bits, raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);
