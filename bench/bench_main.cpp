// skytrace-bench: Google Benchmark's command line, with the windows drawn
// by SDL's offscreen driver unless another driver is asked for.
//
// The offscreen driver would otherwise present the software renderer's frame
// through an OpenGL texture that Mesa's software rasteriser draws on other
// threads; on a desktop without a vendor GPU driver the program presents the
// frame buffer directly, which the framebuffer hint reproduces here. Set
// SDL_FRAMEBUFFER_ACCELERATION=1 to measure the texture path instead.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "sgp4/SGP4Batch.h"

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    // The instruction set the batch propagation runs on, in every report.
    benchmark::AddCustomContext("simd_target", libsgp4::SGP4Batch::Target());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (SDL_WasInit(0))
        SDL_Quit();
    return 0;
}
