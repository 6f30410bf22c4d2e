#include "Kdlist.h"

#include "AtomicFile.h"
#include "CfgText.h"
#include "SingletonHolder.h"
#include "TStrings.h"

#include <cstdio>
#include <unordered_map>
#include <utility>

TKDSaverList::TKDSaverList() : Generator(std::make_unique<TRandom>()) {}

TKDSaverList::~TKDSaverList() {
    Groups.clear();
    Generator.reset();
}

TKDSaverList& GetSaverList() {
    return SingletonHolder<TKDSaverList>::Instance();
}

void TKDSaverList::GetGroupNames(TStrings* list) const {
    if (!list)
        return;
    list->Clear();
    for (const auto& group : Groups)
        list->Add(group->Name);
}

void TKDSaverList::GetSaverNames(std::size_t g, TStrings* list) const {
    if (list && g < Groups.size())
        Groups[g]->GetSaverNames(*list);
}

const char* TKDSaverList::GetSaverName(std::size_t g, std::size_t s) const {
    return g < Groups.size() ? Groups[g]->GetSaverName(s) : nullptr;
}

std::size_t TKDSaverList::GetSaverCount(std::size_t g) const {
    return g < Groups.size() ? Groups[g]->SaverCount() : 0;
}

std::string TKDSaverList::GetGroupName(std::size_t g) const {
    return g < Groups.size() ? Groups[g]->Name : std::string();
}

bool TKDSaverList::GetGroupActive(std::size_t g) const {
    return g < Groups.size() && Groups[g]->Active;
}

void TKDSaverList::SetGroupActive(std::size_t g, bool active) {
    if (g < Groups.size())
        Groups[g]->Active = active;
}

std::int32_t TKDSaverList::GetGroupPriority(std::size_t g) const {
    return g < Groups.size() ? Groups[g]->GroupPriority : 0;
}

void TKDSaverList::SetGroupPriority(std::size_t g, std::int32_t priority) {
    if (g < Groups.size())
        Groups[g]->GroupPriority = priority;
}

std::int32_t TKDSaverList::GetSaverPriority(std::size_t g, std::size_t s) const {
    return g < Groups.size() ? Groups[g]->GetSaverPriority(s) : 0;
}

void TKDSaverList::SetSaverPriority(std::size_t g, std::size_t s, std::int32_t priority) {
    if (g < Groups.size())
        Groups[g]->SetSaverPriority(s, priority);
}

std::size_t TKDSaverList::FindGroup(const std::string& name) const {
    for (std::size_t g = 0; g < Groups.size(); ++g)
        if (Groups[g]->Name == name)
            return g;
    return Groups.size();
}

bool TKDSaverList::GroupExists(const std::string& name) const {
    return FindGroup(name) != Groups.size();
}

bool TKDSaverList::AddGroup(const std::string& name, std::size_t* index) {
    if (name.empty() || GroupExists(name))
        return false;
    if (index)
        *index = Groups.size();
    Groups.push_back(std::make_unique<TKDGroup>(name));
    return true;
}

bool TKDSaverList::CopyGroup(std::size_t g, const std::string& newName) {
    if (g >= Groups.size() || newName.empty() || GroupExists(newName))
        return false;
    auto copy = std::make_unique<TKDGroup>(*Groups[g]);
    copy->Name = newName;
    Groups.push_back(std::move(copy));
    return true;
}

bool TKDSaverList::RenameGroup(std::size_t g, const std::string& newName) {
    if (g >= Groups.size() || GroupExists(newName))
        return false;
    Groups[g]->Name = newName;
    return true;
}

void TKDSaverList::DeleteGroup(std::size_t g) {
    if (g < Groups.size() && Groups.size() >= 2)
        Groups.erase(Groups.begin() + static_cast<std::ptrdiff_t>(g));
}

void TKDSaverList::MoveGroupUp(std::size_t g) {
    if (g > 0 && g < Groups.size())
        std::swap(Groups[g - 1], Groups[g]);
}

void TKDSaverList::MoveGroupDown(std::size_t g) {
    if (g + 1 < Groups.size())
        std::swap(Groups[g], Groups[g + 1]);
}

void TKDSaverList::AddSaver(std::size_t g, const std::string& path, std::size_t* index) {
    if (g < Groups.size())
        Groups[g]->AddSaver(path, index);
}

void TKDSaverList::RemoveSaver(std::size_t g, std::size_t s) {
    if (g < Groups.size())
        Groups[g]->RemoveSaver(s);
}

// Unsigned arithmetic: s - 1 for s = 0 is far out of range, so nothing moves.
void TKDSaverList::MoveSaverUp(std::size_t g, std::size_t s) {
    MoveSaver(g, s, s - 1);
}

void TKDSaverList::MoveSaverDown(std::size_t g, std::size_t s) {
    MoveSaver(g, s, s + 1);
}

void TKDSaverList::MoveSaver(std::size_t g, std::size_t from, std::size_t to) {
    if (g < Groups.size())
        Groups[g]->MoveSaver(from, to);
}

std::size_t TKDSaverList::CountActiveSavers() const {
    std::size_t count = 0;
    for (const auto& group : Groups)
        if (group->Active)
            count += group->SaverCount();
    return count;
}

std::uint32_t TKDSaverList::TotalGroupWeight() const {
    std::uint32_t total = 0;
    for (const auto& group : Groups)
        if (IsEligible(*group))
            total += static_cast<std::uint32_t>(group->GroupPriority);
    return total;
}

std::size_t TKDSaverList::PickGroup() {
    const std::uint32_t total = TotalGroupWeight();
    if (total == 0)
        return Groups.size();
    std::uint32_t r = Generator->NextValue(total);
    for (std::size_t g = 0; g < Groups.size(); ++g) {
        if (!IsEligible(*Groups[g]))
            continue;
        const auto weight = static_cast<std::uint32_t>(Groups[g]->GroupPriority);
        if (weight >= r)
            return g;
        r -= weight;
    }
    return Groups.size();
}

std::size_t TKDSaverList::PickSaver(std::size_t g) {
    return g < Groups.size() ? Groups[g]->PickSaver() : 0;
}

std::size_t TKDSaverList::AppendGroup(const std::string& name) {
    Groups.push_back(std::make_unique<TKDGroup>(name));
    return Groups.size() - 1;
}

// ---- the file ----

// Reads the lines of one file into a collection, remembering where the lines apply.
class TCfgReader {
public:
    explicit TCfgReader(TKDSaverList& list) : List(list) {
        for (std::size_t g = 0; g < List.GroupCount(); ++g)
            GroupIndex.emplace(List.GetGroupName(g), g);
    }

    void ReadLine(std::string_view raw) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty())
            return;
        if (line.find('=') != std::string_view::npos)
            ReadKeyLine(line);
        else if (line.front() == '[')
            ReadHeader(line);
        else
            ReadSaverLine(line);
    }

private:
    void ReadKeyLine(std::string_view line) {
        const auto equals = line.find('=');
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (!EqualsIgnoringCase(key, "version"))
            return;
        if (value == "1.0.0" || value == "1.0.1")
            VersionCode = 1;
        else if (value == "2.0.0")
            VersionCode = 2;
    }

    // "[name;On;priority]": the last character is dropped whatever it is.
    void ReadHeader(std::string_view line) {
        const std::string_view inner =
            line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string_view();
        const auto fields = SplitFields(inner);
        if (fields.empty())
            return;
        // A hand-edited file may name a group twice: what follows belongs to that group.
        const auto [entry, isNew] = GroupIndex.try_emplace(std::string(fields[0]), 0);
        if (isNew)
            entry->second = List.AppendGroup(entry->first);
        CurrentGroup = entry->second;
        if (fields.size() >= 2)
            List.SetGroupActive(CurrentGroup, fields[1] == "On");
        if (VersionCode > 1 && fields.size() >= 3)
            List.SetGroupPriority(CurrentGroup, ReadNumber(fields[2]));
    }

    void ReadSaverLine(std::string_view line) {
        if (List.GroupCount() == 0)
            GroupIndex.emplace("Default", List.AppendGroup("Default"));
        const auto fields = SplitFields(line);
        if (fields.empty())
            return;
        const std::string path(fields[0]);
        TKDGroup* group = List.Group(CurrentGroup);
        if (!group)
            return;
        if (!group->AddSaver(path, &CurrentSaver))
            // The same path twice in one group: the later line's priority wins.
            CurrentSaver = group->FindSaver(path);
        if (fields.size() >= 2)
            group->SetSaverPriority(CurrentSaver, ReadNumber(fields[1]));
    }

    TKDSaverList& List;
    // Names are unique, so a hash index finds a header's group without walking them all.
    std::unordered_map<std::string, std::size_t> GroupIndex;
    int VersionCode = 0;
    std::size_t CurrentGroup = 0;
    std::size_t CurrentSaver = 0;
};

void TKDSaverList::LoadFromText(const std::string& bytes) {
    TCfgReader reader(*this);
    ForEachTextLine(bytes, [&](std::string_view line) { reader.ReadLine(line); });
    EnsureDefaultGroup();
}

void TKDSaverList::LoadFromFile(const std::string& fileName) {
    if (std::FILE* file = std::fopen(fileName.c_str(), "rb")) {
        TCfgReader reader(*this);
        TTextLines lines([&](std::string_view line) { reader.ReadLine(line); });
        char piece[16384];
        std::size_t got = 0;
        while ((got = std::fread(piece, 1, sizeof piece, file)) > 0)
            if (!lines.Feed(std::string_view(piece, got)))
                break;
        lines.Finish();
        std::fclose(file);
    }
    EnsureDefaultGroup();
}

// A loaded collection always holds a group, even when the file gave none.
void TKDSaverList::EnsureDefaultGroup() {
    if (Groups.empty())
        Groups.push_back(std::make_unique<TKDGroup>());
}

std::string TKDSaverList::SaveToText() const {
    std::string out = "Version=2.0.0\r\n";
    for (const auto& group : Groups) {
        out += "\r\n";
        group->WriteGroup(out);
    }
    return out;
}

bool TKDSaverList::SaveToFile(const std::string& fileName, std::string* error) const {
    return WriteFileAtomically(fileName, SaveToText(), error);
}
