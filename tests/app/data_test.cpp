#include "app/data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/vars.h"

namespace {

class Pipeline : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        g_var.plot.projection = MP_EQUIRECT;
        init_data(0xF000 | DATA_LAT_LINES | DATA_LON_LINES);
        update_data(0x1000 | DATA_LAT_LINES | DATA_LON_LINES);
        set_screen_rect(SDL_Rect{0, 0, 0, 0});
    }
    void TearDown() override
    {
        free_data(0xF0FF);
        var_reset();
    }
};

void expect_bounds(int l, int t, int r, int b)
{
    EXPECT_EQ(g_boundsS[0], l);
    EXPECT_EQ(g_boundsS[1], t);
    EXPECT_EQ(g_boundsS[2], r);
    EXPECT_EQ(g_boundsS[3], b);
}

}  // namespace

TEST_F(Pipeline, ScreenFitWideAndTall)
{
    // Equirectangular is twice as wide as high.
    set_screen_rect(SDL_Rect{10, 10, 1000, 300});
    expect_bounds(210, 10, 810, 310);
    // North up: the 90 degree parallel lies on the top edge, its first point
    // at the left edge; the -90 parallel on the bottom edge.
    EXPECT_EQ(g_latLinesS.Points()[0].x, 210);
    EXPECT_EQ(g_latLinesS.Points()[0].y, 10);
    EXPECT_EQ(g_latLinesS.Polylines()[18].first[360].x, 810);
    EXPECT_EQ(g_latLinesS.Polylines()[18].first[360].y, 310);
    EXPECT_EQ(g_latLinesS.Polylines()[9].first[180].y, 160);

    set_screen_rect(SDL_Rect{0, 0, 400, 1000});
    expect_bounds(0, 400, 400, 600);
    EXPECT_EQ(g_lonLinesS.Points()[0].x, 0);
    EXPECT_EQ(g_lonLinesS.Points()[0].y, 400);

    // A new projection is fitted again: Van der Grinten is square.
    g_var.plot.projection = MP_VAN_DER_GRINTEN;
    update_projection();
    update_screen_bounds();
    expect_bounds(0, 300, 400, 700);
}

TEST_F(Pipeline, ScreenLevelMirrorsTheProjectedStructure)
{
    ASSERT_EQ(g_latLinesS.PointCount(), g_latLinesMP.PointCount());
    ASSERT_EQ(g_lonLinesS.PolylineCount(), 37u);
    for (uint64_t i = 0; i < g_lonLinesS.PolylineCount(); ++i) {
        EXPECT_EQ(g_lonLinesS.Polylines()[i].count, g_lonLinesMP.Polylines()[i].count);
        EXPECT_EQ(g_lonLinesS.Polylines()[i].first, g_lonLinesS.Points() + i * 181);
    }
    // The first update, before any screen rectangle, is harmless.
    EXPECT_EQ(g_latLinesS.Points()[100].x, 0);
}

TEST_F(Pipeline, ProjectionCycle)
{
    g_var.plot.projection = 703;
    next_projection();
    EXPECT_EQ(g_var.plot.projection, 100);
    prev_projection();
    EXPECT_EQ(g_var.plot.projection, 703);
    EXPECT_STREQ(projection_name(), "Bottomley");
    EXPECT_FLOAT_EQ(g_boundsMP[2], 2.643559f);
    EXPECT_EQ(g_boundsMP[0], -g_boundsMP[2]);
    EXPECT_EQ(g_boundsMP[1], -g_boundsMP[3]);

    g_var.plot.projection = 705;
    update_projection();
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_EQ(current_projection(), mp_equirect);
    g_var.plot.projection = 705;
    next_projection();
    EXPECT_EQ(g_var.plot.projection, 100);
    g_var.plot.projection = 12345;
    prev_projection();
    EXPECT_EQ(g_var.plot.projection, 100);

    // Fifteen steps visit every projection once and come back.
    const int order[] = {100, 102, 101, 103, 104, 300, 500, 501, 502, 503, 704, 700, 701, 702, 703};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(g_var.plot.projection, order[i]);
        EXPECT_EQ(current_projection(), map_projection_func(order[i]));
        next_projection();
    }
    EXPECT_EQ(g_var.plot.projection, 100);
}

TEST_F(Pipeline, TickAccumulatorDropsTheExcess)
{
    while (tick_data_objects_ms() != 0)
        tick_data(1000 - tick_data_objects_ms());
    EXPECT_EQ(tick_data(400), 0);
    EXPECT_EQ(tick_data(400), 0);
    EXPECT_EQ(tick_data_objects_ms(), 800u);
    EXPECT_EQ(tick_data(400), DATA_OBJECTS);
    EXPECT_EQ(tick_data_objects_ms(), 0u);
    EXPECT_EQ(tick_data(999), 0);
    EXPECT_EQ(tick_data(1), DATA_OBJECTS);
    EXPECT_EQ(tick_data(std::numeric_limits<unsigned>::max()), DATA_OBJECTS);
    EXPECT_EQ(tick_data_objects_ms(), 0u);
}

TEST_F(Pipeline, NoPathWithoutSelection)
{
    ASSERT_EQ(g_var.sel.obj, nullptr);
    init_data(0xF000 | DATA_PATH);
    EXPECT_EQ(g_path.PointCount(), 90u);
    EXPECT_FALSE(g_path.Tick(100000));
    EXPECT_EQ(g_path.elapsed, 0u);
    EXPECT_EQ(tick_data(100000) & DATA_PATH, 0);
    g_opMP.Points()[0] = point2f_t{1, 1};
    update_data(DATA_PROJECTION | DATA_PATH);
    EXPECT_EQ(g_opMP.Points()[0].x, 1.0f);
    EXPECT_EQ(g_opMP.PolylineCount(), 0u);
}

TEST_F(Pipeline, NonFiniteAndHugeValuesAreClampedNotConverted)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    g_coastlines.Alloc(6, 1);
    const point2f_t raw[6] = {{nan, 0}, {0, nan}, {inf, -inf}, {-inf, inf}, {3e30f, -3e30f}, {0, 0}};
    for (int i = 0; i < 6; ++i)
        g_coastlines.Points()[i] = raw[i];
    g_coastlines.Polylines()[0] = polyline2f_t{6, g_coastlines.Points()};
    init_data(DATA_PROJECTION | DATA_SCREEN | DATA_COASTLINES);
    set_screen_rect(SDL_Rect{0, 0, 200, 100});
    update_data(DATA_PROJECTION | DATA_COASTLINES);
    const point2i_t* s = g_coastlinesS.Points();
    const int32_t lim = DATA_PIXEL_LIMIT;
    EXPECT_EQ(s[0].x, -lim);
    EXPECT_EQ(s[1].y, lim);
    EXPECT_EQ(s[2].x, lim);
    EXPECT_EQ(s[2].y, lim);
    EXPECT_EQ(s[3].x, -lim);
    EXPECT_EQ(s[3].y, 100 - lim);  // top + bottom - limit
    EXPECT_EQ(s[4].x, lim);
    EXPECT_EQ(s[4].y, lim);
    EXPECT_EQ(s[5].x, 100);
    EXPECT_EQ(s[5].y, 50);
}
