// One frame of the map window at 1280 x 720 with the software renderer:
// grid, coastlines, every satellite, the selected satellite's 8-orbit path
// and the info panel, optionally with every satellite's label or with the
// observer layers (night shade, footprint, observer, look angles); and the
// night shade's recomputation.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/data.h"
#include "bench_env.h"
#include "objects/objects.h"
#include "settings/vars.h"
#include "ui/main_win.h"

namespace {

void render(benchmark::State& state, int n, int labels, bool layers)
{
    std::string why;
    const std::string label = bench_use_catalog(n, &why);
    if (label.empty()) {
        state.SkipWithError(why.c_str());
        return;
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_Init(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    g_var.info.show = true;
    g_var.obj.label.show = labels;
    g_var.obs.show = g_var.foot.show = g_var.night.show = layers;
    g_var.obs.lat = 48.85;
    g_var.obs.lon = 2.35;
    MainWin w;
    SDL_Rect rect = {0, 0, 1280, 720};
    if (w.Create(&rect, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE) != 0) {
        state.SkipWithError("cannot open the map window");
        w.Destroy();
        return;
    }
    w.SelObj(g_objs.first);
    update_data(DATA_RAW | DATA_NIGHT);
    state.SetLabel(label + (labels ? " labels" : "") + (layers ? " observer layers" : ""));
    if (!layers) {
        for (auto _ : state)
            w.Render();
    } else {
        // A frame without the layers, then the timed one with them: what
        // they add is measured against a frame of the same moment, which
        // holds on a machine whose load changes.
        using clock = std::chrono::steady_clock;
        double extra = 0;
        for (auto _ : state) {
            g_var.obs.show = g_var.foot.show = g_var.night.show = false;
            const auto t0 = clock::now();
            w.Render();
            g_var.obs.show = g_var.foot.show = g_var.night.show = true;
            const auto t1 = clock::now();
            w.Render();
            const std::chrono::duration<double> plain = t1 - t0, with = clock::now() - t1;
            state.SetIterationTime(with.count());
            extra += with.count() - plain.count();
        }
        state.counters["extra_ms"] = extra * 1000.0 / static_cast<double>(state.iterations());
        state.counters["spans"] = static_cast<double>(g_night.spans.size());
    }
    w.Destroy();
    g_var.obj.label.show = 0;
    g_var.obs.show = g_var.foot.show = g_var.night.show = false;
}

void BM_RenderFrame(benchmark::State& state)
{
    render(state, static_cast<int>(state.range(0)), 0, false);
}
BENCHMARK(BM_RenderFrame)->Arg(12000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RenderFrameLabels(benchmark::State& state)
{
    render(state, static_cast<int>(state.range(0)), 1, false);
}
BENCHMARK(BM_RenderFrameLabels)->Arg(12000)->Unit(benchmark::kMillisecond);

// A frame with the observer layers; extra_ms is what they add to it.
void BM_RenderFrameNight(benchmark::State& state)
{
    render(state, static_cast<int>(state.range(0)), 0, true);
}
BENCHMARK(BM_RenderFrameNight)->Arg(12000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The shade worked out anew for the benchmarks' 1280 x 720 plot on the
// Winkel Tripel projection. Arg 0: at a new minute (the Sun's elevation on
// the grid and the shade's pixels); 1: after a projection change (the grid
// projected again and the pixels), Winkel Tripel and Kavrayskiy VII in turn.
void BM_NightShade(benchmark::State& state)
{
    std::string why;
    if (bench_use_catalog(12000, &why).empty()) {
        state.SkipWithError(why.c_str());
        return;
    }
    g_var.night.show = true;
    update_data(DATA_RAW | DATA_NIGHT);
    bool next = true;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            update_data(DATA_RAW | DATA_NIGHT);
            continue;
        }
        next ? next_projection() : prev_projection();
        next = !next;
        update_screen_bounds();
        update_data(DATA_PROJECTION | DATA_NIGHT);
    }
    state.counters["spans"] = static_cast<double>(g_night.spans.size());
    g_var.night.show = false;
    if (!next) {
        prev_projection();
        update_screen_bounds();
    }
}
BENCHMARK(BM_NightShade)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
