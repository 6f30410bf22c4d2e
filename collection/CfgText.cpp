#include "CfgText.h"

#include <algorithm>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

constexpr char EndOfFileMark = 26;
} // namespace

bool TTextLines::Feed(std::string_view bytes) {
    if (Ended)
        return false;
    const auto eof = bytes.find(EndOfFileMark);
    if (eof != std::string_view::npos) {
        bytes = bytes.substr(0, eof);
        Ended = true;
    }
    std::size_t start = 0;
    for (auto end = bytes.find('\n'); end != std::string_view::npos;
         end = bytes.find('\n', start)) {
        const std::string_view part = bytes.substr(start, end - start);
        if (Pending.empty() && !PendingTooLong) {
            Emit(part, true);
        } else {
            Keep(part);
            if (!PendingTooLong)
                Emit(Pending, true);
            Pending.clear();
            PendingTooLong = false;
        }
        start = end + 1;
    }
    Keep(bytes.substr(start));
    return !Ended;
}

void TTextLines::Finish() {
    if (!Pending.empty() && !PendingTooLong)
        Emit(Pending, false);
    Pending.clear();
    PendingTooLong = false;
}

void TTextLines::Emit(std::string_view line, bool hasLineFeed) {
    // Text mode turns CR LF into LF; a lone CR elsewhere stays part of the line.
    if (hasLineFeed && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.size() <= MaxCfgLineLength)
        OnLine(line);
}

void TTextLines::Keep(std::string_view part) {
    // A line already too long (even allowing for its CR) is skipped; no need to keep it.
    if (PendingTooLong || Pending.size() + part.size() > MaxCfgLineLength + 1) {
        PendingTooLong = true;
        Pending.clear();
        return;
    }
    Pending.append(part);
}

void ForEachTextLine(std::string_view bytes, const TTextLines::TLineEvent& onLine) {
    TTextLines lines(onLine);
    lines.Feed(bytes);
    lines.Finish();
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

TCfgFields SplitFields(std::string_view text) {
    TCfgFields fields;
    std::size_t i = 0;
    while (i < text.size() && fields.Count < TCfgFields::Capacity) {
        while (i < text.size() && text[i] == ';')
            ++i;
        if (i >= text.size())
            break;
        auto end = text.find(';', i);
        if (end == std::string_view::npos)
            end = text.size();
        fields.Field[fields.Count++] = text.substr(i, end - i);
        i = end;
    }
    return fields;
}

std::int32_t ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), INT64_C(1) << 32);
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

namespace {
// Room on a line for the separators and the longest priority ("[" ";Off;" "-2147483648" "]").
constexpr std::size_t LineOverhead = 18;

bool HasReservedCharacter(std::string_view text) {
    return text.find_first_of(std::string_view(";=\n\x1a", 4)) != std::string_view::npos;
}
} // namespace

bool CanStoreGroupName(std::string_view name) {
    return !name.empty() && !HasReservedCharacter(name) &&
           name.size() + LineOverhead <= MaxCfgLineLength;
}

bool CanStoreSaverPath(std::string_view path) {
    return !path.empty() && !HasReservedCharacter(path) && path.front() != '[' &&
           !IsBlank(path.front()) && path.size() + LineOverhead <= MaxCfgLineLength;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}
