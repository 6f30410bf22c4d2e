// Fuzzes the reader of Kaleidra.cfg through a real file, and checks that what it reads is
// written back stably: once the names and paths are ones the file can hold, load and save
// give the same bytes again and again.

#include "CfgText.h"
#include "Kdlist.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const std::string& TempFile() {
    static const std::string path = [] {
        std::string name = "/tmp/kaleidra-fuzz-" + std::to_string(getpid()) + ".cfg";
        std::atexit([] { std::remove(TempFile().c_str()); });
        return name;
    }();
    return path;
}

// The same text fed in pieces of any size gives the same lines as fed whole.
void CheckPieces(const std::string& bytes) {
    std::vector<std::string> whole, pieces;
    ForEachTextLine(bytes, [&](std::string_view line) { whole.emplace_back(line); });
    TTextLines lines([&](std::string_view line) { pieces.emplace_back(line); });
    std::size_t piece = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]) % 97 + 1;
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        lines.Feed(std::string_view(bytes).substr(at, piece));
    lines.Finish();
    if (pieces != whole)
        std::abort();
}

bool CollectionIsStorable(const TKDSaverList& list) {
    for (std::size_t g = 0; g < list.GroupCount(); ++g) {
        if (!CanStoreGroupName(list.GetGroupName(g)))
            return false;
        for (std::size_t s = 0; s < list.GetSaverCount(g); ++s)
            if (!CanStoreSaverPath(list.GetSaverName(g, s)))
                return false;
    }
    return true;
}

std::string LoadAndSave(const std::string& bytes, bool* storable = nullptr) {
    std::FILE* file = std::fopen(TempFile().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    TKDSaverList list;
    list.LoadFromFile(TempFile());
    if (list.GroupCount() == 0)
        std::abort(); // a load always leaves at least one group
    if (storable)
        *storable = CollectionIsStorable(list);
    return list.SaveToText();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckPieces(input);
    bool storable = false;
    const std::string first = LoadAndSave(input, &storable);
    const std::string second = LoadAndSave(first);
    if (storable && second != first)
        std::abort(); // a storable collection must survive a save and a load unchanged
    if (LoadAndSave(second) != second)
        std::abort(); // after one normalisation the text is a fixed point
    return 0;
}
