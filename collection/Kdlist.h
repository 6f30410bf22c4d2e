#pragma once
// The saver collection: named groups of screen savers, their file and the weighted choice.

#include "Kdlgroup.h"
#include "TRandom.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStrings;
class TCfgReader;

class TKDSaverList {
public:
    TKDSaverList();
    virtual ~TKDSaverList();
    TKDSaverList(const TKDSaverList&) = delete;
    TKDSaverList& operator=(const TKDSaverList&) = delete;

    // Adds the file's groups and savers to the collection; a missing or unreadable file
    // leaves the single group "Default".
    void LoadFromFile(const std::string& fileName);
    // Replaces the file with the whole collection in one step. On false the old file is left
    // as it was and `error` (when given) says why.
    bool SaveToFile(const std::string& fileName, std::string* error = nullptr) const;
    // The exact bytes SaveToFile writes.
    std::string SaveToText() const;
    // Reads file contents exactly as LoadFromFile reads the bytes of a file.
    void LoadFromText(const std::string& bytes);

    std::size_t GroupCount() const { return Groups.size(); }
    void GetGroupNames(TStrings* list) const;
    void GetSaverNames(std::size_t g, TStrings* list) const;
    const char* GetSaverName(std::size_t g, std::size_t s) const;
    std::size_t GetSaverCount(std::size_t g) const;
    std::string GetGroupName(std::size_t g) const;

    bool GetGroupActive(std::size_t g) const;
    void SetGroupActive(std::size_t g, bool active);
    std::int32_t GetGroupPriority(std::size_t g) const;
    void SetGroupPriority(std::size_t g, std::int32_t priority);
    std::int32_t GetSaverPriority(std::size_t g, std::size_t s) const;
    void SetSaverPriority(std::size_t g, std::size_t s, std::int32_t priority);

    bool GroupExists(const std::string& name) const;
    bool AddGroup(const std::string& name, std::size_t* index = nullptr);
    bool CopyGroup(std::size_t g, const std::string& newName);
    bool RenameGroup(std::size_t g, const std::string& newName);
    void DeleteGroup(std::size_t g);
    void MoveGroupUp(std::size_t g);
    void MoveGroupDown(std::size_t g);

    void AddSaver(std::size_t g, const std::string& path, std::size_t* index = nullptr);
    void RemoveSaver(std::size_t g, std::size_t s);
    void MoveSaverUp(std::size_t g, std::size_t s);
    void MoveSaverDown(std::size_t g, std::size_t s);
    void MoveSaver(std::size_t g, std::size_t from, std::size_t to);

    std::size_t CountActiveSavers() const;
    std::uint32_t TotalGroupWeight() const;
    std::size_t PickGroup();
    std::size_t PickSaver(std::size_t g);

    TRandom& Random() { return *Generator; }
    // The group itself, or null when g is out of range.
    TKDGroup* Group(std::size_t g) { return g < Groups.size() ? Groups[g].get() : nullptr; }
    const TKDGroup* Group(std::size_t g) const {
        return g < Groups.size() ? Groups[g].get() : nullptr;
    }

    // Position of the group of exactly this name, or GroupCount() when there is none.
    std::size_t FindGroup(const std::string& name) const;

private:
    friend class TCfgReader;
    // Appends a group the caller knows to be new (the reader keeps its own name index).
    std::size_t AppendGroup(const std::string& name);
    void EnsureDefaultGroup();
    bool IsEligible(const TKDGroup& group) const { return group.Active && group.SaverCount() > 0; }

    std::unique_ptr<TRandom> Generator;
    std::vector<std::unique_ptr<TKDGroup>> Groups;
};

// The one collection of this process.
TKDSaverList& GetSaverList();
