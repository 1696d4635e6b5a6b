// Catalogue load of the whole shared element snapshot through one data
// manager file, and one recomputation of every satellite's position.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "datafile/manager_file.h"
#include "objects/objects.h"
#include "support/fsys.h"

namespace {

const char* const s_groups[] = {"stations", "starlink", "oneweb", "geo",
                                "weather",  "resource", "science", "military"};

// Writes a data manager file naming every three-line file of the snapshot;
// empty when the snapshot is absent.
std::string manager_file()
{
    const std::string base = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";
    if (fsys_type(base.c_str()) != 2)
        return {};
    const std::string path = "/tmp/skytrace-bench-datamgr.txt";
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return {};
    for (const char* g : s_groups)
        std::fprintf(f, "%s%s.tle\n", base.c_str(), g);
    std::fclose(f);
    return path;
}

void BM_LoadSnapshot(benchmark::State& state)
{
    const std::string path = manager_file();
    if (path.empty()) {
        state.SkipWithError("shared element snapshot absent");
        return;
    }
    for (auto _ : state) {
        CObjects objs;
        ManagerFile mgr;
        benchmark::DoNotOptimize(mgr.Load(objs, path.c_str()));
        state.counters["objects"] = static_cast<double>(objs.count);
    }
}
BENCHMARK(BM_LoadSnapshot)->Unit(benchmark::kMillisecond);

void BM_UpdateSnapshot(benchmark::State& state)
{
    const std::string path = manager_file();
    if (path.empty()) {
        state.SkipWithError("shared element snapshot absent");
        return;
    }
    CObjects objs;
    objs.Load(path.c_str());
    for (auto _ : state)
        objs.Update();
    state.counters["objects"] = static_cast<double>(objs.count);
}
BENCHMARK(BM_UpdateSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
