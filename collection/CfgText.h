#pragma once
// Byte-level helpers for the text of Kaleidra.cfg. The file is read and written in the
// Windows text-mode convention on every build, so both builds agree on every byte.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Longest line the reader accepts; longer lines are skipped whole.
inline constexpr std::size_t MaxCfgLineLength = 4095;

// Calls `onLine` for each line of `bytes` read in text mode: CR LF reads as LF, a byte 26
// ends the text, lines end at LF (not included), a last line without LF is read too, and a
// line longer than MaxCfgLineLength is skipped.
void ForEachTextLine(std::string_view bytes, const std::function<void(std::string_view)>& onLine);

// Removes space, tab, CR, LF, VT and FF from both ends.
std::string_view TrimBlanks(std::string_view text);

// Splits at ';' the way strtok does: runs of separators count as one, no field is empty.
std::vector<std::string_view> SplitFields(std::string_view text);

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
