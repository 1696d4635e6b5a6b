// The pass finder: every pass of the shared snapshot over one observer for
// a day, the work of `skytrace-cli passes`.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_env.h"
#include "objects/objects.h"
#include "observer/pass_finder.h"

namespace {

void BM_Passes(benchmark::State& state)
{
    const std::string& mgr = bench_snapshot_manager();
    if (mgr.empty()) {
        state.SkipWithError("shared element snapshot absent (../shared/data)");
        return;
    }
    static CObjects s_objs;
    if (!s_objs.first)
        s_objs.Load(mgr.c_str());
    std::vector<const object_t*> list;
    for (const object_t* o = s_objs.first; o; o = o->next)
        list.push_back(o);
    passWindow_t w{};
    w.observer = obs_make(48.85, 2.35, 35.0);
    w.start = libsgp4::DateTime(2026, 12, 6, 0, 0, 0, 0);
    w.length = int64_t(24) * 3600 * 1000000;
    w.minElevation = 10.0 * 3.14159265358979323846 / 180.0;
    std::vector<pass_t> passes;
    passStats_t stats{};
    for (auto _ : state) {
        passes.clear();
        stats = passStats_t{};
        pass_findAll(list.data(), list.size(), w, passes, &stats);
        benchmark::DoNotOptimize(passes.data());
    }
    state.counters["passes"] = static_cast<double>(passes.size());
    state.counters["errors"] = static_cast<double>(stats.errors);
    state.counters["props/pass"] =
        static_cast<double>(stats.propagations) / static_cast<double>(passes.size());
    state.counters["props/sat-day"] =
        static_cast<double>(stats.propagations) / static_cast<double>(stats.satellites);
}
BENCHMARK(BM_Passes)->Unit(benchmark::kMillisecond);

}  // namespace
