// kaleidra-cfg: shows how Kaleidra reads a Kaleidra.cfg.
//   show FILE                       the collection as read
//   odds FILE                       each saver's chance to be chosen, most likely first
//   pick FILE --seed S --count N    N draws of a group and a saver from generators seeded with S
//   normalize FILE OUT              read FILE, write it back to OUT as Kaleidra writes it

#include "Kdlist.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr int ExitUsage = 2;

int Usage() {
    std::fputs("usage: kaleidra-cfg show FILE\n"
               "       kaleidra-cfg odds FILE\n"
               "       kaleidra-cfg pick FILE --seed S --count N\n"
               "       kaleidra-cfg normalize FILE OUT\n",
               stderr);
    return ExitUsage;
}

std::optional<std::uint32_t> ParseUnsigned(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

TKDSaverList& Load(const std::string& file) {
    static TKDSaverList list;
    list.LoadFromFile(file);
    return list;
}

int Show(const std::string& file) {
    const TKDSaverList& list = Load(file);
    for (std::size_t g = 0; g < list.GroupCount(); ++g) {
        std::printf("group %zu \"%s\" active=%d priority=%d\n", g, list.GetGroupName(g).c_str(),
                    list.GetGroupActive(g) ? 1 : 0, list.GetGroupPriority(g));
        for (std::size_t s = 0; s < list.GetSaverCount(g); ++s)
            std::printf("  saver %zu \"%s\" priority=%d\n", s, list.GetSaverName(g, s),
                        list.GetSaverPriority(g, s));
    }
    std::printf("savers=%zu weight=%u\n", list.CountActiveSavers(), list.TotalGroupWeight());
    return 0;
}

// How many of the draws r = 1..total land on each item, walking the weights exactly as the
// weighted choice does (unsigned comparison, so odd weights behave as they would in a run).
std::vector<std::uint64_t> DrawsPerItem(const std::vector<std::uint32_t>& weights,
                                        std::uint32_t total) {
    std::vector<std::uint64_t> draws(weights.size(), 0);
    std::uint64_t consumed = 0;
    for (std::size_t i = 0; i < weights.size() && consumed < total; ++i) {
        draws[i] = std::min<std::uint64_t>(total, consumed + weights[i]) - consumed;
        consumed += weights[i];
    }
    return draws;
}

struct TChance {
    double Percent;
    std::size_t Group;
    std::size_t Saver;
};

std::vector<TChance> SaverChances(const TKDSaverList& list) {
    std::vector<TChance> chances;
    const std::uint32_t groupTotal = list.TotalGroupWeight();
    if (groupTotal == 0)
        return chances;
    std::vector<std::size_t> eligible;
    std::vector<std::uint32_t> groupWeights;
    for (std::size_t g = 0; g < list.GroupCount(); ++g)
        if (list.GetGroupActive(g) && list.GetSaverCount(g) > 0) {
            eligible.push_back(g);
            groupWeights.push_back(static_cast<std::uint32_t>(list.GetGroupPriority(g)));
        }
    const auto groupDraws = DrawsPerItem(groupWeights, groupTotal);
    for (std::size_t i = 0; i < eligible.size(); ++i) {
        const std::size_t g = eligible[i];
        const std::uint32_t saverTotal = list.Group(g)->GetSaverPriorityTotal();
        if (groupDraws[i] == 0 || saverTotal == 0)
            continue;
        std::vector<std::uint32_t> saverWeights;
        for (std::size_t s = 0; s < list.GetSaverCount(g); ++s)
            saverWeights.push_back(static_cast<std::uint32_t>(list.GetSaverPriority(g, s)));
        const auto saverDraws = DrawsPerItem(saverWeights, saverTotal);
        for (std::size_t s = 0; s < saverDraws.size(); ++s)
            if (saverDraws[s] > 0)
                chances.push_back({100.0 * static_cast<double>(groupDraws[i]) / groupTotal *
                                       static_cast<double>(saverDraws[s]) / saverTotal,
                                   g, s});
    }
    std::stable_sort(chances.begin(), chances.end(),
                     [](const TChance& a, const TChance& b) { return a.Percent > b.Percent; });
    return chances;
}

int Odds(const std::string& file) {
    const TKDSaverList& list = Load(file);
    for (const auto& chance : SaverChances(list))
        std::printf("%6.2f%% %zu %zu %s\n", chance.Percent, chance.Group, chance.Saver,
                    list.GetSaverName(chance.Group, chance.Saver));
    return 0;
}

int Pick(const std::string& file, std::uint32_t seed, std::uint32_t count) {
    TKDSaverList& list = Load(file);
    list.Random().SetState(seed);
    for (std::size_t g = 0; g < list.GroupCount(); ++g)
        list.Group(g)->Random().SetState(seed);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t g = list.PickGroup();
        if (g >= list.GroupCount()) {
            std::puts("- - -");
            continue;
        }
        const std::size_t s = list.PickSaver(g);
        const char* path = list.GetSaverName(g, s);
        if (path)
            std::printf("%zu %zu %s\n", g, s, path);
        else
            std::printf("%zu - -\n", g);
    }
    return 0;
}

int Normalize(const std::string& file, const std::string& out) {
    std::string error;
    if (!Load(file).SaveToFile(out, &error)) {
        std::fprintf(stderr, "kaleidra-cfg: cannot write %s: %s\n", out.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

int RunPick(const std::vector<std::string>& args) {
    std::optional<std::uint32_t> seed, count;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == "--seed")
            seed = ParseUnsigned(args[i + 1]);
        else if (args[i] == "--count")
            count = ParseUnsigned(args[i + 1]);
        else
            return Usage();
    }
    if (args.size() % 2 != 0 || !seed || !count)
        return Usage();
    return Pick(args[1], *seed, *count);
}
} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2)
        return Usage();
    const std::string& verb = args[0];
    if (verb == "show" && args.size() == 2)
        return Show(args[1]);
    if (verb == "odds" && args.size() == 2)
        return Odds(args[1]);
    if (verb == "pick")
        return RunPick(args);
    if (verb == "normalize" && args.size() == 3)
        return Normalize(args[1], args[2]);
    return Usage();
}
