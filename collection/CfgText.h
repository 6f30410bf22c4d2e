#pragma once
// Byte-level helpers for the text of Kaleidra.cfg. The file is read and written in the
// Windows text-mode convention on every build, so both builds agree on every byte.

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

// Longest line the reader accepts; longer lines are skipped whole.
inline constexpr std::size_t MaxCfgLineLength = 4095;

// Splits text read in text mode into lines, fed in pieces of any size: CR LF reads as LF, a
// byte 26 ends the text, lines end at LF (not included), a last line without LF is read too,
// and a line longer than MaxCfgLineLength is skipped whole. A file is read in small pieces so
// that a large one never has to fit in memory, or in the cache, at once.
class TTextLines {
public:
    using TLineEvent = std::function<void(std::string_view line)>;
    explicit TTextLines(TLineEvent onLine) : OnLine(std::move(onLine)) {}

    // Takes the next bytes; false once the end-of-file mark was met (the rest is ignored).
    bool Feed(std::string_view bytes);
    // The text is over: hands on the last line if it had no line feed.
    void Finish();

private:
    void Emit(std::string_view line, bool hasLineFeed);
    void Keep(std::string_view part);

    TLineEvent OnLine;
    std::string Pending; // the start of a line that continues in the next piece
    bool PendingTooLong = false;
    bool Ended = false;
};

// All lines of `bytes`, as TTextLines splits them.
void ForEachTextLine(std::string_view bytes, const TTextLines::TLineEvent& onLine);

// Removes space, tab, CR, LF, VT and FF from both ends.
std::string_view TrimBlanks(std::string_view text);

// The first fields of a line split at ';' the way strtok splits it: runs of separators count
// as one, no field is empty. Lines carry at most three fields that mean anything; the rest
// are ignored, so they are not even looked for.
struct TCfgFields {
    static constexpr std::size_t Capacity = 3;
    std::array<std::string_view, Capacity> Field{};
    std::size_t Count = 0;
    std::string_view operator[](std::size_t i) const { return Field[i]; }
    std::size_t size() const { return Count; }
    bool empty() const { return Count == 0; }
};
TCfgFields SplitFields(std::string_view text);

// Reads a number as atol does: blanks, optional sign, digits up to the first other
// character, 0 without digits. Values beyond 32 bits saturate.
std::int32_t ReadNumber(std::string_view text);

// Whether a group name, or a saver path, reads back from the file as it was written. The
// format gives ';', '=' and line ends a meaning, and a saver line cannot begin with '[' or a
// blank; a name or path that breaks these rules would come back as something else.
bool CanStoreGroupName(std::string_view name);
bool CanStoreSaverPath(std::string_view path);

// Case-insensitive ASCII comparison.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
