// The pipeline's time-driven work on the whole shared element snapshot: the
// once-a-second objects update (propagation, projection, screen) and one
// orbit path step, with the heap allocations counted per iteration.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "app/data.h"
#include "objects/objects.h"
#include "settings/vars.h"
#include "support/fsys.h"

namespace {
long s_allocations = 0;
}  // namespace

// Kept out of line: inlined, the compiler pairs the malloc with delete
// sites and warns about a mismatch that is not one.
[[gnu::noinline]] void* operator new(std::size_t n)
{
    ++s_allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

const char* const s_groups[] = {"stations", "starlink", "oneweb", "geo",
                                "weather",  "resource", "science"};

// Builds every dataset from the snapshot once; false when it is absent.
bool setup()
{
    static int s_state = 0;
    if (s_state)
        return s_state > 0;
    s_state = -1;
    const std::string base = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";
    if (fsys_type(base.c_str()) != 2)
        return false;
    const std::string mgr = "/tmp/skytrace-bench-pipeline-datamgr.txt";
    FILE* f = std::fopen(mgr.c_str(), "w");
    if (!f)
        return false;
    for (const char* g : s_groups)
        std::fprintf(f, "%s%s.tle\n", base.c_str(), g);
    std::fclose(f);
    var_reset();
    std::snprintf(g_var.obj.data, TEXT_CAP, "%s", mgr.c_str());
    std::snprintf(g_var.lines.data, TEXT_CAP, "%s/data/world.dat", SKYTRACE_SOURCE_DIR);
    g_var.plot.projection = MP_WINKEL_TRIPEL;
    g_var.path.orbits = 8;
    init_data(0xF0FF);
    update_data(0x10FF);
    set_screen_rect(SDL_Rect{10, 10, 1900, 1060});
    g_var.sel.obj = g_objs.first;
    g_path.Reset();
    update_data(0x2010);
    s_state = g_objs.count > 0 ? 1 : -1;
    return s_state > 0;
}

void run(benchmark::State& state, int flags)
{
    if (!setup()) {
        state.SkipWithError("shared element snapshot absent");
        return;
    }
    update_data(flags);
    const long before = s_allocations;
    for (auto _ : state)
        update_data(flags);
    const double allocs =
        static_cast<double>(s_allocations - before) / static_cast<double>(state.iterations());
    // Satellites whose propagation fails; the update must not allocate for
    // them either.
    long failing = 0;
    for (object_t* o = g_objs.first; o; o = o->next) {
        point2f_t scratch;
        failing += obj_coord(&scratch, o, 0) ? 0 : 1;
    }
    state.counters["allocs/iter"] = allocs;
    state.counters["objects"] = static_cast<double>(g_objs.count);
    state.counters["failing"] = static_cast<double>(failing);
}

void BM_ObjectsUpdate(benchmark::State& state)
{
    run(state, DATA_RAW | DATA_OBJECTS);
}
BENCHMARK(BM_ObjectsUpdate)->Unit(benchmark::kMillisecond);

void BM_PathStep(benchmark::State& state)
{
    run(state, DATA_RAW | DATA_PATH);
}
BENCHMARK(BM_PathStep)->Unit(benchmark::kMicrosecond);

void BM_ReprojectAll(benchmark::State& state)
{
    run(state, DATA_PROJECTION | 0xFF);
}
BENCHMARK(BM_ReprojectAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
