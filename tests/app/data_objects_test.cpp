#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/data.h"
#include "map/map_fixture.h"
#include "settings/vars.h"

namespace {

int s_reselected = -1;

class PipelineObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        data_install_var_hooks();
        g_dataReselect = [](int catnum) { s_reselected = catnum; };
        g_objs.Add(make_leo(90001, 15.5));
        g_objs.Add(make_leo(90002, 0, true));
        g_objs.Add(make_leo(90003, 14.2));
        g_objs.InitPositions();
        g_var.plot.projection = MP_EQUIRECT;
        init_data(0xF000 | DATA_PATH);
        init_data(DATA_PROJECTION | DATA_SCREEN | DATA_OBJECTS);
        set_screen_rect(SDL_Rect{0, 0, 720, 360});
        update_data(DATA_PROJECTION | DATA_OBJECTS);
    }
    void TearDown() override
    {
        free_data(0xF0FF);
        g_varHooks = varHooks_t{};
        g_dataReselect = nullptr;
        var_reset();
    }
};

// Whole pixels of a raw point on the 720 x 360 equirectangular screen.
point2i_t pixel(const point2f_t& p)
{
    return point2i_t{static_cast<int>((p.x + M_PI) * 360 / M_PI),
                     360 - static_cast<int>((p.y + M_PI / 2) * 360 / M_PI)};
}

}  // namespace

TEST_F(PipelineObjects, SquaresFollowTheirPoints)
{
    const point2i_t iss = pixel(g_objs.positions[0]);
    EXPECT_NEAR(g_oePtsS[0].x, iss.x, 1);
    EXPECT_NEAR(g_oePtsS[0].y, iss.y, 1);
    EXPECT_EQ(g_orbRectsS[0].w, 3);
    EXPECT_EQ(g_orbRectsS[0].x, g_oePtsS[0].x - 1);
    EXPECT_EQ(g_orbRectsS[2].y, g_oePtsS[2].y - 1);

    // A satellite without a computed position is kept off-screen, empty.
    EXPECT_FALSE(g_objs.first->next->hasPos);
    EXPECT_EQ(g_oePtsS[1].x, -DATA_PIXEL_LIMIT);
    EXPECT_EQ(g_orbRectsS[1].w, 0);
    EXPECT_EQ(g_orbRectsS[1].h, 0);

    ASSERT_TRUE(var_set_int(VAR_OBJ_SIZE, 7));
    EXPECT_EQ(g_orbRectsS[0].w, 7);
    EXPECT_EQ(g_orbRectsS[0].h, 7);
    EXPECT_EQ(g_orbRectsS[0].x, g_oePtsS[0].x - 3);
    EXPECT_EQ(g_orbRectsS[1].w, 0);

    // The once-a-second tick moves them.
    while (tick_data_objects_ms() != 0)
        tick_data(1000 - tick_data_objects_ms());
    EXPECT_EQ(tick_data(1000), DATA_OBJECTS);
    EXPECT_NEAR(g_oePtsS[0].x, pixel(g_objs.positions[0]).x, 1);
}

TEST_F(PipelineObjects, PathSquaresRegrowWithTheOrbitCount)
{
    g_var.sel.obj = g_objs.first;
    g_path.EnablePolylines(false);
    g_path.Reset();
    update_data(DATA_PROJECTION | DATA_PATH);
    EXPECT_EQ(g_opMP.PointCount(), 90u);
    EXPECT_EQ(g_opRectsCount, 90u);

    ASSERT_TRUE(var_set_int(VAR_PATH_ORBITS, 3));
    EXPECT_EQ(g_path.PointCount(), 270u);
    EXPECT_EQ(g_opMP.PointCount(), 270u);
    ASSERT_EQ(g_opRectsCount, 270u);
    for (uint64_t i = 0; i < 270; ++i) {
        const SDL_Rect& r = g_opRectsS[i];
        point2i_t c = pixel(g_path.Points()[i]);
        ASSERT_EQ(r.w, 3);
        EXPECT_NEAR(r.x + 1, c.x, 1) << i;
        EXPECT_NEAR(r.y + 1, c.y, 1) << i;
    }
    const int cx = g_opRectsS[100].x + 1;
    ASSERT_TRUE(var_set_int(VAR_PATH_SIZE, 5));
    EXPECT_EQ(g_opRectsS[269].w, 5);
    EXPECT_EQ(g_opRectsS[100].x + 2, cx);

    // As lines the screen path mirrors the projected polylines.
    g_path.EnablePolylines(true);
    update_data(DATA_RAW | DATA_PATH);
    ASSERT_EQ(g_opS.PolylineCount(), g_opMP.PolylineCount());
    EXPECT_EQ(g_opS.PointCount(), 270u);
    for (uint64_t i = 0; i < g_opS.PolylineCount(); ++i)
        EXPECT_EQ(g_opS.Polylines()[i].count, g_opMP.Polylines()[i].count);

    // A path step is due after the step interval, along with the objects.
    while (tick_data_objects_ms() != 0)
        tick_data(1000 - tick_data_objects_ms());
    const point2f_t second = g_path.Points()[1];
    EXPECT_EQ(tick_data(g_path.stepInterval), DATA_OBJECTS | DATA_PATH);
    EXPECT_EQ(g_path.Points()[0].x, second.x);
    EXPECT_EQ(g_path.elapsed, 0u);
}

TEST_F(PipelineObjects, LinesAndObjectsDataHooks)
{
    const std::string world = std::string(SKYTRACE_SOURCE_DIR) + "/data/world.dat";
    var_set_str(VAR_LINES_DATA, world.c_str());
    ASSERT_GT(g_coastlines.PointCount(), 50000u);
    EXPECT_EQ(g_coastlinesS.PointCount(), g_coastlines.PointCount());
    EXPECT_EQ(g_coastlinesS.PolylineCount(), g_coastlines.PolylineCount());
    // On screen, and no segment streaks across half the map.
    for (uint64_t i = 0; i < g_coastlinesS.PointCount(); ++i) {
        const point2i_t& p = g_coastlinesS.Points()[i];
        ASSERT_TRUE(p.x >= 0 && p.x <= 720 && p.y >= 0 && p.y <= 360) << i;
    }
    for (uint64_t i = 0; i < g_coastlinesS.PolylineCount(); ++i) {
        const polyline2i_t& l = g_coastlinesS.Polylines()[i];
        for (uint64_t j = 1; j < l.count; ++j)
            ASSERT_LE(std::abs(l.first[j].x - l.first[j - 1].x), 360) << i;
    }
    // A coastline file that is not found keeps the coastlines.
    var_set_str(VAR_LINES_DATA, "/nonexistent/world.dat");
    EXPECT_EQ(g_coastlinesS.PointCount(), g_coastlines.PointCount());
    EXPECT_GT(g_coastlines.PointCount(), 50000u);

    // A catalogue reload clears the selection, rebuilds the objects and asks
    // for the remembered satellite again.
    g_var.sel.obj = g_objs.first;
    g_var.sel.catnum = 90003;
    s_reselected = -1;
    var_set_str(VAR_OBJ_DATA, "/nonexistent/datamgr.txt");
    EXPECT_EQ(g_var.sel.obj, nullptr);
    EXPECT_EQ(g_objs.count, 0u);
    EXPECT_EQ(g_oePointsMP, nullptr);
    EXPECT_EQ(g_orbRectsS, nullptr);
    EXPECT_EQ(s_reselected, 90003);
    EXPECT_EQ(tick_data(1000) & DATA_OBJECTS, DATA_OBJECTS);
}
