// Load and save times of Kaleidra.cfg for large collections: 1,000 to 100,000 savers, in
// groups of 100.

#include "Kdlist.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {
std::string GeneratedFile(std::int64_t savers) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kaleidra-bench-" + std::to_string(savers) + ".cfg"))
                                 .string();
    TKDSaverList list;
    const std::int64_t groups = savers / 100;
    for (std::int64_t g = 0; g < groups; ++g) {
        std::size_t index = 0;
        list.AddGroup("Group number " + std::to_string(g), &index);
        list.SetGroupPriority(index, static_cast<std::int32_t>(g % 5 + 1));
        list.SetGroupActive(index, g % 3 != 0);
        for (int s = 0; s < 100; ++s) {
            std::size_t saver = 0;
            list.AddSaver(index,
                          "C:\\Program Files\\Screen Savers\\Collection " + std::to_string(g) +
                              "\\Saver number " + std::to_string(s) + ".scr",
                          &saver);
            list.SetSaverPriority(index, saver, s % 5 + 1);
        }
    }
    list.SaveToFile(path);
    return path;
}

void BM_LoadFromFile(benchmark::State& state) {
    const std::string path = GeneratedFile(state.range(0));
    for (auto _ : state) {
        TKDSaverList list;
        list.LoadFromFile(path);
        benchmark::DoNotOptimize(list.GroupCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

void BM_SaveToFile(benchmark::State& state) {
    const std::string path = GeneratedFile(state.range(0));
    TKDSaverList list;
    list.LoadFromFile(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.SaveToFile(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}
} // namespace

BENCHMARK(BM_LoadFromFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
