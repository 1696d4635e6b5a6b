// The per-second objects update and the path step run on reused buffers:
// counted through a replaced global operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/data.h"
#include "map/map_fixture.h"
#include "settings/vars.h"

namespace {
bool s_counting = false;
long s_allocations = 0;
}  // namespace

// Kept out of line: inlined, the compiler pairs the malloc with delete
// sites and warns about a mismatch that is not one.
[[gnu::noinline]] void* operator new(std::size_t n)
{
    if (s_counting)
        ++s_allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t n)
{
    return operator new(n);
}

[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete[](void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(PipelineAllocation, ObjectsUpdateAndPathStepAllocateNothing)
{
    var_reset();
    for (uint32_t i = 0; i < 50; ++i)
        g_objs.Add(make_leo(91000 + i, 12.0 + 0.07 * i));
    g_objs.InitPositions();
    g_var.plot.projection = MP_WINKEL_TRIPEL;
    g_var.path.orbits = 4;
    init_data(0xF000 | DATA_LAT_LINES | DATA_LON_LINES | DATA_PATH);
    init_data(DATA_PROJECTION | DATA_SCREEN | DATA_OBJECTS);
    set_screen_rect(SDL_Rect{10, 10, 1000, 600});
    g_var.sel.obj = g_objs.first;
    g_path.Reset();
    update_data(0x20FF);
    // One update in each display mode first: the screen path takes its form.
    for (bool lines : {false, true}) {
        g_path.EnablePolylines(lines);
        update_data(DATA_RAW | DATA_PATH);
        s_allocations = 0;
        s_counting = true;
        for (int i = 0; i < 100; ++i) {
            update_data(DATA_RAW | DATA_OBJECTS);
            update_data(DATA_RAW | DATA_PATH);
            tick_data(g_path.stepInterval);
        }
        s_counting = false;
        EXPECT_EQ(s_allocations, 0) << (lines ? "lines" : "squares");
    }
    free_data(0xF0FF);
    var_reset();
}
