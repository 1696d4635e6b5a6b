// One frame of the map window at 1280 x 720 with the software renderer:
// grid, coastlines, every satellite, the selected satellite's 8-orbit path
// and the info panel, optionally with every satellite's label.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "app/data.h"
#include "bench_env.h"
#include "objects/objects.h"
#include "settings/vars.h"
#include "ui/main_win.h"

namespace {

void render(benchmark::State& state, int n, int labels)
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
    MainWin w;
    SDL_Rect rect = {0, 0, 1280, 720};
    if (w.Create(&rect, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE) != 0) {
        state.SkipWithError("cannot open the map window");
        w.Destroy();
        return;
    }
    w.SelObj(g_objs.first);
    state.SetLabel(label + (labels ? " labels" : ""));
    for (auto _ : state)
        w.Render();
    w.Destroy();
    g_var.obj.label.show = 0;
}

void BM_RenderFrame(benchmark::State& state)
{
    render(state, static_cast<int>(state.range(0)), 0);
}
BENCHMARK(BM_RenderFrame)->Arg(12000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RenderFrameLabels(benchmark::State& state)
{
    render(state, static_cast<int>(state.range(0)), 1);
}
BENCHMARK(BM_RenderFrameLabels)->Arg(12000)->Unit(benchmark::kMillisecond);

}  // namespace
