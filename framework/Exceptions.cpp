#include "Exceptions.h"

#include <cstdint>

std::string FormatMessage1(const std::string& pattern, const std::string& argument) {
    std::string result = pattern;
    const auto at = result.find("%s");
    if (at != std::string::npos)
        result.replace(at, 2, argument);
    return result;
}

int StrToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT64_C(0x80000000))
            break;
    }
    if (negative)
        value = -value;
    if (i == firstDigit || i != text.size() || value > INT32_MAX || value < INT32_MIN)
        throw EConvertError(FormatMessage1("'%s' is not a valid integer value", text));
    return static_cast<int>(value);
}
