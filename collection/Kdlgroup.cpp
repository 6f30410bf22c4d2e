#include "Kdlgroup.h"

#include "TStrings.h"

TKDGroup::TKDGroup() : TKDGroup("Default") {}

TKDGroup::TKDGroup(const std::string& name) : Name(name), Generator(std::make_unique<TRandom>()) {}

TKDGroup::TKDGroup(const TKDGroup& other)
    : Name(other.Name), Active(other.Active), GroupPriority(other.GroupPriority),
      Generator(std::make_unique<TRandom>()), SaverPriorityTotal(other.SaverPriorityTotal),
      Savers(other.Savers) {}

void TKDGroup::GetSaverNames(TStrings& list) const {
    list.Clear();
    for (const auto& saver : Savers)
        list.Add(saver.FileName);
}

const char* TKDGroup::GetSaverName(std::size_t s) const {
    return s < Savers.size() ? Savers[s].FileName.c_str() : nullptr;
}

std::int32_t TKDGroup::GetSaverPriority(std::size_t s) const {
    return s < Savers.size() ? Savers[s].Priority : 0;
}

void TKDGroup::SetSaverPriority(std::size_t s, std::int32_t priority) {
    if (s >= Savers.size())
        return;
    SaverPriorityTotal +=
        static_cast<std::uint32_t>(priority) - static_cast<std::uint32_t>(Savers[s].Priority);
    Savers[s].Priority = priority;
}

std::size_t TKDGroup::FindSaver(const std::string& path) const {
    for (std::size_t s = 0; s < Savers.size(); ++s)
        if (Savers[s].FileName == path)
            return s;
    return Savers.size();
}

bool TKDGroup::AddSaver(const std::string& path, std::size_t* index) {
    if (HasSaver(path))
        return false;
    if (index)
        *index = Savers.size();
    Savers.push_back(TKDSaver{path, 3});
    SaverPriorityTotal += 3;
    return true;
}

bool TKDGroup::RemoveSaver(std::size_t s) {
    if (s >= Savers.size())
        return false;
    SaverPriorityTotal -= static_cast<std::uint32_t>(Savers[s].Priority);
    Savers.erase(Savers.begin() + static_cast<std::ptrdiff_t>(s));
    return true;
}

void TKDGroup::MoveSaver(std::size_t from, std::size_t to) {
    if (from >= Savers.size() || to >= Savers.size() || from == to)
        return;
    TKDSaver moving = std::move(Savers[from]);
    Savers.erase(Savers.begin() + static_cast<std::ptrdiff_t>(from));
    Savers.insert(Savers.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
}

std::size_t TKDGroup::PickSaver() {
    if (SaverPriorityTotal == 0)
        return Savers.size();
    std::uint32_t r = Generator->NextValue(SaverPriorityTotal);
    for (std::size_t s = 0; s < Savers.size(); ++s) {
        const auto weight = static_cast<std::uint32_t>(Savers[s].Priority);
        if (weight >= r)
            return s;
        r -= weight;
    }
    return Savers.size();
}

std::string& TKDGroup::WriteGroup(std::string& out) const {
    out += '[';
    out += Name;
    out += Active ? ";On;" : ";Off;";
    out += std::to_string(GroupPriority);
    out += "]\r\n";
    for (const auto& saver : Savers) {
        out += saver.FileName;
        out += ';';
        out += std::to_string(saver.Priority);
        out += "\r\n";
    }
    return out;
}
