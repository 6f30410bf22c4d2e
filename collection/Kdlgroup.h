#pragma once
// A group of the saver collection and its saver entries.

#include "TRandom.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStrings;

struct TKDSaver {
    std::string FileName;
    std::int32_t Priority = 3;
};

class TKDGroup {
public:
    TKDGroup();
    explicit TKDGroup(const std::string& name);
    // Copies everything but the generator: a copy draws its own sequence.
    TKDGroup(const TKDGroup& other);
    TKDGroup& operator=(const TKDGroup&) = delete;

    void GetSaverNames(TStrings& list) const;
    const char* GetSaverName(std::size_t s) const;
    std::size_t SaverCount() const { return Savers.size(); }
    std::int32_t GetSaverPriority(std::size_t s) const;
    void SetSaverPriority(std::size_t s, std::int32_t priority);
    std::uint32_t GetSaverPriorityTotal() const { return SaverPriorityTotal; }

    bool HasSaver(const std::string& path) const { return FindSaver(path) != Savers.size(); }
    // Position of the saver with exactly this path, or SaverCount() when there is none.
    std::size_t FindSaver(const std::string& path) const;
    bool AddSaver(const std::string& path, std::size_t* index = nullptr);
    bool RemoveSaver(std::size_t s);
    void MoveSaver(std::size_t from, std::size_t to);

    // Weighted by saver priority; SaverCount() when no saver can be chosen.
    std::size_t PickSaver();
    TRandom& Random() { return *Generator; }

    // Appends the group's header line and saver lines, each ended by CR LF, to `out`.
    // (A plain byte buffer: iostreams would triple the size of the program.)
    std::string& WriteGroup(std::string& out) const;

    std::string Name;
    bool Active = true;
    std::int32_t GroupPriority = 1;

private:
    std::unique_ptr<TRandom> Generator;
    std::uint32_t SaverPriorityTotal = 0;
    std::vector<TKDSaver> Savers;
};
