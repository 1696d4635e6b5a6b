// The catalogue's work: loading the data manager file, propagating every
// satellite, the once-a-second update through projection and screen, and
// the orbit path of the selected satellite.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/data.h"
#include "bench_env.h"
#include "datafile/manager_file.h"
#include "map/projections.h"
#include "objects/objects.h"
#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"
#include "sgp4/SGP4Batch.h"
#include "settings/vars.h"

namespace {

// Runs work once per iteration and reports its heap allocations per
// iteration; the benchmark library's own bookkeeping is not counted.
template <class F>
void run_counting_allocs(benchmark::State& state, F work)
{
    long allocs = 0;
    for (auto _ : state) {
        const long before = bench_allocations();
        work();
        allocs += bench_allocations() - before;
    }
    if (state.iterations() > 0)
        state.counters["allocs/iter"] =
            static_cast<double>(allocs) / static_cast<double>(state.iterations());
}

bool use(benchmark::State& state, int n)
{
    std::string why;
    const std::string label = bench_use_catalog(n, &why);
    if (label.empty()) {
        state.SkipWithError(why.c_str());
        return false;
    }
    state.SetLabel(label);
    return true;
}

// CObjects::Load of the snapshot's data manager file: reading, parsing,
// initialising every propagator and the first position of each satellite.
void BM_LoadCatalog(benchmark::State& state)
{
    const std::string& mgr = bench_snapshot_manager();
    if (mgr.empty()) {
        state.SkipWithError("shared element snapshot absent (../shared/data)");
        return;
    }
    uint64_t count = 0;
    for (auto _ : state) {
        CObjects objs;
        objs.Load(mgr.c_str());
        count = objs.count;
    }
    state.counters["objects"] = static_cast<double>(count);
}
BENCHMARK(BM_LoadCatalog)->Unit(benchmark::kMillisecond);

// One propagation and geodetic conversion per satellite at one instant per
// iteration, as the once-a-second update computes them: in vector lanes
// (the catalogue's batch), and one satellite at a time by the scalar model.
void BM_Propagate(benchmark::State& state)
{
    if (!use(state, 12000))
        return;
    std::vector<const libsgp4::SGP4*> sats;
    for (object_t* o = g_objs.first; o; o = o->next)
        sats.push_back(o->sgp4);
    libsgp4::SGP4Batch batch;
    batch.Assign(sats.data(), sats.size());
    std::vector<libsgp4::CoordGeodetic> geo(sats.size());
    std::vector<libsgp4::PropagationFailure> failure(sats.size());
    const libsgp4::DateTime t0(2026, 12, 6, 0, 0, 0, 0);
    int64_t k = 0;
    run_counting_allocs(state, [&] {
        batch.Geodetic(t0.AddMicroseconds(60000000 * k++), geo.data(), failure.data());
        benchmark::DoNotOptimize(geo.data());
    });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sats.size()));
}
BENCHMARK(BM_Propagate)->Unit(benchmark::kMillisecond);

void BM_PropagateScalar(benchmark::State& state)
{
    if (!use(state, 12000))
        return;
    std::vector<object_t*> list;
    for (object_t* o = g_objs.first; o; o = o->next)
        list.push_back(o);
    std::vector<libsgp4::DateTime> instants(list.size());
    std::vector<libsgp4::CoordGeodetic> geo(list.size());
    std::unique_ptr<bool[]> ok(new bool[list.size()]);
    const libsgp4::DateTime t0(2026, 12, 6, 0, 0, 0, 0);
    int64_t k = 0;
    run_counting_allocs(state, [&] {
        std::fill(instants.begin(), instants.end(), t0.AddMicroseconds(60000000 * k++));
        obj_geodetic_n(list.data(), instants.data(), list.size(), geo.data(), ok.get());
        benchmark::DoNotOptimize(geo.data());
    });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(list.size()));
}
BENCHMARK(BM_PropagateScalar)->Unit(benchmark::kMillisecond);

// The once-a-second update: every position, projected and put on screen.
void BM_UpdateCatalog(benchmark::State& state)
{
    if (!use(state, static_cast<int>(state.range(0))))
        return;
    run_counting_allocs(state, [] { update_data(DATA_RAW | DATA_OBJECTS); });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(g_objs.count));
}
BENCHMARK(BM_UpdateCatalog)->Arg(12000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same update at 100,000 satellites on another projection (the argument
// is its id: 100 is the default, equirectangular; the others use Winkel
// Tripel), which is restored afterwards.
void BM_UpdateCatalogOn(benchmark::State& state)
{
    if (!use(state, 100000))
        return;
    g_var.plot.projection = static_cast<int>(state.range(0));
    update_projection();
    run_counting_allocs(state, [] { update_data(DATA_RAW | DATA_OBJECTS); });
    g_var.plot.projection = MP_WINKEL_TRIPEL;
    update_projection();
}
BENCHMARK(BM_UpdateCatalogOn)->Arg(MP_EQUIRECT)->Arg(MP_AITOFF)->Arg(MP_MERCATOR)
    ->Unit(benchmark::kMillisecond);

// The whole catalogue projected and put on screen again, as after a change
// of projection or window size.
void BM_Reproject(benchmark::State& state)
{
    if (!use(state, 12000))
        return;
    run_counting_allocs(state, [] { update_data(DATA_PROJECTION | 0xFF); });
}
BENCHMARK(BM_Reproject)->Unit(benchmark::kMillisecond);

// The selected satellite's path rebuilt for 8 orbits, as on a new selection.
void BM_PathReset(benchmark::State& state)
{
    if (!use(state, 12000))
        return;
    for (auto _ : state)
        g_path.Reset();
    state.counters["points"] = static_cast<double>(g_path.PointCount());
}
BENCHMARK(BM_PathReset)->Unit(benchmark::kMicrosecond);

// One time step of the path: the oldest point dropped, a new one computed,
// projected and put on screen.
void BM_PathStep(benchmark::State& state)
{
    if (!use(state, 12000))
        return;
    run_counting_allocs(state, [] { update_data(DATA_RAW | DATA_PATH); });
}
BENCHMARK(BM_PathStep)->Unit(benchmark::kMicrosecond);

}  // namespace
