#include "app/data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "map/map_fixture.h"
#include "settings/vars.h"

namespace {

int s_reselected = -1;
bool s_counting = false;
long s_allocations = 0;

// Three satellites (the last fails to propagate), the grid and an unselected path on a 720 x 360 screen.
class Pipeline : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        data_install_var_hooks();
        g_dataReselect = [](int catnum) { s_reselected = catnum; };
        for (object_t* o : {make_leo(90001, 15.5), make_leo(90002, 14.2), make_leo(90003, 0, true)})
            g_objs.Add(o);
        g_objs.InitPositions();
        init_data(0xF000 | DATA_LAT_LINES | DATA_LON_LINES | DATA_PATH);
        init_data(DATA_PROJECTION | DATA_SCREEN | DATA_OBJECTS);
        set_screen_rect(SDL_Rect{0, 0, 720, 360});
        update_data(DATA_PROJECTION | DATA_LAT_LINES | DATA_LON_LINES | DATA_OBJECTS);
    }
    void TearDown() override
    {
        free_data(0xF0FF);
        g_varHooks = varHooks_t{};
        g_dataReselect = nullptr;
        var_reset();
    }
};

// Whether a screen point lies within a pixel of where a raw point falls on the 720 x 360 screen.
bool near_pixel(const point2i_t& s, const point2f_t& p)
{
    const double k = 360 / M_PI;  // pixels per radian
    return std::abs(s.x - int((p.x + M_PI) * k)) <= 1 && std::abs(s.y - (360 - int((p.y + M_PI / 2) * k))) <= 1;
}

}  // namespace

// Counts allocations while s_counting is set; new[] and delete[] build on this pair.
// The non-throwing forms (std::stable_sort's buffer) are replaced too: under
// the address sanitizer its own would pair with the free() below.
void* operator new(std::size_t n)
{
    s_allocations += s_counting;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    s_allocations += s_counting;
    return std::malloc(n ? n : 1);
}
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }

TEST_F(Pipeline, PixelClampAndScreenFit)
{
    // NaN, infinite and huge projected values are clamped, never converted.
    const float inf = INFINITY, nan = NAN;
    const point2f_t raw[6] = {{nan, 0}, {0, nan}, {inf, -inf}, {-inf, inf}, {3e30f, -3e30f}, {0, 0}};
    g_coastlines.Alloc(6, 1);
    std::copy(raw, raw + 6, g_coastlines.Points());
    g_coastlines.Polylines()[0] = polyline2f_t{6, g_coastlines.Points()};
    init_data(DATA_PROJECTION | DATA_SCREEN | DATA_COASTLINES);
    update_data(DATA_PROJECTION | DATA_COASTLINES);
    const int32_t lim = DATA_PIXEL_LIMIT;
    const point2i_t want[6] = {{-lim, 180}, {360, lim}, {lim, lim}, {-lim, 360 - lim}, {lim, lim}, {360, 180}};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(g_coastlinesS.Points()[i].x == want[i].x && g_coastlinesS.Points()[i].y == want[i].y) << i;

    // Equirectangular is twice as wide as high, north up.
    auto bounds = [] { return std::vector<int32_t>(g_boundsS, g_boundsS + 4); };
    set_screen_rect(SDL_Rect{10, 10, 1000, 300});
    EXPECT_EQ(bounds(), (std::vector<int32_t>{210, 10, 810, 310}));
    ASSERT_TRUE(g_latLinesS.PolylineCount() == 19 && g_latLinesS.Polylines()[18].count == 361);
    EXPECT_TRUE(g_latLinesS.Points()[0].x == 210 && g_latLinesS.Points()[0].y == 10 &&
                g_latLinesS.Polylines()[18].first[360].y == 310);
    set_screen_rect(SDL_Rect{0, 0, 400, 1000});
    EXPECT_EQ(bounds(), (std::vector<int32_t>{0, 400, 400, 600}));
    EXPECT_EQ(g_lonLinesS.Points()[0].y, 400);
    // A new projection is fitted again: Van der Grinten is square.
    g_var.plot.projection = MP_VAN_DER_GRINTEN;
    update_projection();
    update_screen_bounds();
    EXPECT_EQ(bounds(), (std::vector<int32_t>{0, 300, 400, 700}));
}

TEST_F(Pipeline, ProjectionCycleTicksAndDataHooks)
{
    // Fifteen steps visit every projection once and come back.
    for (int id : {100, 102, 101, 103, 104, 300, 500, 501, 502, 503, 704, 700, 701, 702, 703}) {
        EXPECT_TRUE(g_var.plot.projection == id && current_projection() == map_projection_lanes(id)) << id;
        next_projection();
    }
    prev_projection();
    EXPECT_STREQ(projection_name(), "Bottomley");
    // An id outside the cycle becomes the first.
    for (void (*step)() : {update_projection, next_projection, prev_projection}) {
        g_var.plot.projection = 705;
        step();
        EXPECT_TRUE(g_var.plot.projection == 100 && current_projection() == mp_equirect);
    }
    // Objects are due once a second; the excess over it is dropped.
    tick_data(1000);  // empties the accumulator
    for (auto [ms, want] : {std::pair{400u, 0}, {400u, 0}, {400u, DATA_OBJECTS}, {999u, 0}, {1u, DATA_OBJECTS},
                            {std::numeric_limits<unsigned>::max(), DATA_OBJECTS}})
        EXPECT_EQ(tick_data(ms), want) << ms;
    // Without a selection the path neither steps nor is projected.
    g_opMP.Points()[0] = point2f_t{1, 1};
    update_data(DATA_PROJECTION | DATA_PATH);
    EXPECT_TRUE(g_opMP.Points()[0].x == 1.0f && g_opMP.PolylineCount() == 0);
    // No default coastline segment streaks across half the map; a missing file keeps them.
    var_set_str(VAR_LINES_DATA, (std::string(SKYTRACE_SOURCE_DIR) + "/data/world.dat").c_str());
    ASSERT_GT(g_coastlines.PointCount(), 50000u);
    EXPECT_EQ(shape(g_coastlinesS), shape(g_coastlines));
    for (uint64_t i = 0; i < g_coastlinesS.PolylineCount(); ++i) {
        const polyline2i_t& l = g_coastlinesS.Polylines()[i];
        for (uint64_t j = 1; j < l.count; ++j)
            ASSERT_LE(std::abs(l.first[j].x - l.first[j - 1].x), 360) << i;
    }
    const uint64_t n = g_coastlines.PointCount();
    var_set_str(VAR_LINES_DATA, "/nonexistent/world.dat");
    EXPECT_EQ(g_coastlinesS.PointCount(), n);
    // A catalogue reload clears the selection and asks for the remembered satellite again.
    g_var.sel.obj = g_objs.first;
    g_var.sel.catnum = 90002;
    var_set_str(VAR_OBJ_DATA, "/nonexistent/datamgr.txt");
    EXPECT_TRUE(!g_var.sel.obj && g_objs.count == 0 && s_reselected == 90002);
    EXPECT_EQ(tick_data(1000) & DATA_OBJECTS, DATA_OBJECTS);
}

TEST_F(Pipeline, PathOfAnUncomputableSelectionAndPathShowAtStartUp)
{
    // A selection whose track cannot be computed leaves no earlier track on screen, as lines or squares.
    for (bool lines : {true, false}) {
        g_var.sel.obj = g_objs.first;
        g_path.EnablePolylines(lines);
        g_path.Reset();
        update_data(DATA_PROJECTION | DATA_PATH);
        ASSERT_EQ(lines ? g_opS.PointCount() : g_opRectsCount, 90u);
        g_var.sel.obj = g_objs.first->next->next;
        g_path.Reset();
        update_data(DATA_PROJECTION | DATA_PATH);
        EXPECT_EQ(lines ? g_opS.PointCount() : g_opRectsCount, 0u) << (lines ? "lines" : "squares");
    }
    // Built at start-up, the path is drawn as path.show says (squares after a restart with 1);
    // a later build keeps what the path key chose.
    for (int show : {1, 2}) {
        free_data(0xF0FF);
        g_var.path.show = uint8_t(show);
        init_data(0xF000 | DATA_PATH);
        EXPECT_EQ(g_path.lines, show == 2) << show;
    }
    g_path.lines = false;
    init_data(0xF000 | DATA_PATH);
    EXPECT_FALSE(g_path.lines);
}

// The grid from the settings: 19 parallels and 37 meridians by default, each line at its angle
// (meridian 18 on Greenwich, parallel 9 on the equator).
TEST(GridLines, CountsAndAnglesFromTheSettings)
{
    var_reset();
    // Lines and points per line of the parallels and the meridians, and the steps in degrees
    // between lines and between points.
    const struct { uint64_t lines[2], points[2]; double lineStep[2], pointStep[2]; } grids[] = {
        {{19, 37}, {361, 181}, {10, 10}, {1, 1}}, {{7, 13}, {13, 7}, {30, 30}, {30, 30}}};
    for (const auto& g : grids) {
        if (&g != grids) {  // the first grid is that of the default settings
            g_var.lat.lines = g.lines[0], g_var.lat.points = g.points[0];
            g_var.lon.lines = g.lines[1], g_var.lon.points = g.points[1];
        }
        init_data(DATA_RAW | DATA_LAT_LINES | DATA_LON_LINES);
        const CPolylines2f* grid[2] = {&g_latLines, &g_lonLines};
        for (int k = 0; k < 2; ++k) {
            SCOPED_TRACE(k == 0 ? "parallels" : "meridians");
            ASSERT_EQ(grid[k]->PolylineCount(), g.lines[k]);
            ASSERT_TRUE(grid[k]->PointCount() == g.lines[k] * g.points[k] && end_to_end(*grid[k]));
            int wrong = 0;
            for (uint64_t i = 0; i < g.lines[k]; ++i) {
                const polyline2f_t& l = grid[k]->Polylines()[i];
                ASSERT_EQ(l.count, g.points[k]);
                for (uint64_t j = 0; j < l.count; ++j) {
                    // Parallels run west to east from 90 N southwards, meridians north to south from 180 W eastwards.
                    const double along = k == 0 ? -180 + j * g.pointStep[0] : 90 - j * g.pointStep[1];
                    const double across = k == 0 ? 90 - i * g.lineStep[0] : -180 + i * g.lineStep[1];
                    const point2f_t want = k == 0 ? point2f_t{rad(along), rad(across)} : point2f_t{rad(across), rad(along)};
                    wrong += std::abs(l.first[j].x - want.x) > 1e-6f || std::abs(l.first[j].y - want.y) > 1e-6f;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
    free_data(0xF0FF);
    var_reset();
}

TEST_F(Pipeline, SquaresPathAndAllocationFreeTicks)
{
    // A satellite without a computed position is kept off-screen, empty.
    g_objs.first->next->hasPos = false;
    ASSERT_TRUE(var_set_int(VAR_OBJ_SIZE, 7));
    EXPECT_TRUE(near_pixel(g_oePtsS[0], g_objs.positions[0]));
    const SDL_Rect square = {g_oePtsS[0].x - 3, g_oePtsS[0].y - 3, 7, 7};
    EXPECT_TRUE(SDL_RectEquals(&g_orbRectsS[0], &square));
    EXPECT_TRUE(g_oePtsS[1].x == -DATA_PIXEL_LIMIT && g_orbRectsS[1].w + g_orbRectsS[1].h == 0);

    // The path's squares regrow with the orbit count, each on its point.
    g_var.sel.obj = g_objs.first;
    g_path.EnablePolylines(false);
    g_path.Reset();
    update_data(DATA_PROJECTION | DATA_PATH);
    EXPECT_EQ(g_opRectsCount, 90u);
    ASSERT_TRUE(var_set_int(VAR_PATH_ORBITS, 3));
    ASSERT_EQ(g_opRectsCount, 270u);
    for (uint64_t i = 0; i < 270; ++i) {
        ASSERT_EQ(g_opRectsS[i].w, 3);
        EXPECT_TRUE(near_pixel({g_opRectsS[i].x + 1, g_opRectsS[i].y + 1}, g_path.Points()[i])) << i;
    }
    const int cx = g_opRectsS[100].x + 1;
    ASSERT_TRUE(var_set_int(VAR_PATH_SIZE, 5));
    EXPECT_EQ(g_opRectsS[100].x + 2, cx) << "5-pixel squares centred as before";
    // As lines the screen path mirrors the projected polylines.
    g_path.EnablePolylines(true);
    update_data(DATA_RAW | DATA_PATH);
    EXPECT_TRUE(shape(g_opS) == shape(g_opMP) && end_to_end(g_opS));
    // A path step is due after the step interval, along with the objects.
    const point2f_t second = g_path.Points()[1];
    EXPECT_TRUE(tick_data(g_path.stepInterval) == (DATA_OBJECTS | DATA_PATH) && g_path.Points()[0].x == second.x);
    // Once the screen path has its form, object updates and path steps allocate nothing,
    // the satellite that fails to propagate included.
    point2f_t failed{};
    EXPECT_FALSE(obj_coord(&failed, g_objs.first->next->next, 0));
    for (bool lines : {true, false}) {
        g_path.EnablePolylines(lines);
        update_data(DATA_RAW | DATA_PATH);
        s_allocations = 0;
        s_counting = true;
        for (int i = 0; i < 100; ++i)
            tick_data(g_path.stepInterval);
        s_counting = false;
        EXPECT_EQ(s_allocations, 0) << (lines ? "lines" : "squares");
    }
}

// The observer layers are computed only while shown, follow their settings and the
// selection, come with the objects update once a second (the night each new minute),
// and go with the catalogue.
TEST_F(Pipeline, ObserverLayersFollowSettingsSelectionAndClock)
{
    ASSERT_TRUE(var_set_real(VAR_OBS_LAT, 45.0) && var_set_real(VAR_OBS_LON, -90.0));
    EXPECT_TRUE(near_pixel(g_obsPointS, {rad(-90), rad(45)}) && !g_selLook.valid);
    g_var.sel.obj = g_objs.first;
    for (int id : {VAR_OBS_SHOW, VAR_FOOT_SHOW, VAR_NIGHT_SHOW})
        ASSERT_TRUE(var_set_int(id, 1));
    EXPECT_TRUE(g_selLook.valid && g_selLook.look.range > 300 && !g_night.spans.empty());
    ASSERT_GE(g_footprint.PointCount(), DATA_FOOTPRINT_POINTS);
    EXPECT_TRUE(shape(g_footprintS) == shape(g_footprint) && end_to_end(g_footprintS));
    for (uint64_t i = 0; i < g_footprint.PointCount(); ++i)
        ASSERT_TRUE(near_pixel(g_footprintS.Points()[i], g_footprint.Points()[i])) << i;

    EXPECT_EQ(tick_data(1000) & ~DATA_PATH, DATA_OBJECTS | DATA_OBSERVER | DATA_FOOTPRINT);
    g_nightTime = g_nightTime.AddMicroseconds(-60000000);
    EXPECT_EQ(tick_data(1000) & DATA_NIGHT, DATA_NIGHT);
    EXPECT_EQ(g_nightTime.Ticks() % 60000000, 0) << "the Sun of the minute's start";

    var_set_str(VAR_OBJ_DATA, "/nonexistent/datamgr.txt");
    EXPECT_TRUE(g_footprint.PointCount() == 0 && !g_selLook.valid);
    for (int id : {VAR_OBS_SHOW, VAR_FOOT_SHOW, VAR_NIGHT_SHOW})
        ASSERT_TRUE(var_set_int(id, 0));
    EXPECT_EQ(tick_data(1000), DATA_OBJECTS);
}
