#include "map/object_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/sat_fixture.h"
#include "settings/vars.h"

namespace {

class Path : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        sat = make_leo(90001, 15.5);
        path.SetOrbits(2, 90);
    }
    void TearDown() override
    {
        g_var.sel.obj = nullptr;
        obj_free(sat);
    }
    object_t* sat = nullptr;
    ObjectPath path;
};

point2f_t position_at(object_t* o, int seconds)
{
    point2f_t p = {NAN, NAN};
    EXPECT_TRUE(obj_coord(&p, o, seconds));
    return p;
}

// Longitude difference folded into [-pi, pi).
double lon_diff(double a, double b)
{
    double d = std::fmod(a - b + 3 * M_PI, 2 * M_PI);
    return d - M_PI;
}

void set_track(ObjectPath& p, const std::initializer_list<point2f_t>& pts)
{
    p.AllocPoints(pts.size());
    std::copy(pts.begin(), pts.end(), p.Points());
}

}  // namespace

TEST_F(Path, StepFromThePeriod)
{
    g_var.sel.obj = sat;
    path.Reset();
    EXPECT_NEAR(86400 / 15.5, 5574.19, 0.01);
    EXPECT_NEAR(path.step, 62.63, 0.005);
    EXPECT_EQ(path.stepInterval, 62631u);
    EXPECT_EQ(path.elapsed, 0u);
    EXPECT_EQ(path.PointCount(), 180u);

    // Point 89 is one period after point 0: about the same latitude, the
    // earth having turned some 23 degrees east beneath the orbit.
    const point2f_t* p = path.Points();
    EXPECT_NEAR(p[89].y, p[0].y, 0.02);
    EXPECT_NEAR(lon_diff(p[89].x, p[0].x), -7.2921e-5 * 5574.19, 0.03);
    // The last point lies 179 steps ahead.
    point2f_t last = position_at(sat, static_cast<int>(179 * path.step));
    EXPECT_NEAR(p[179].y, last.y, 0.01);
    EXPECT_NEAR(lon_diff(p[179].x, last.x), 0, 0.01);
    // The polylines cover every point, cut only where the track jumps.
    uint64_t total = 0;
    for (uint64_t i = 0; i < path.PolylineCount(); ++i) {
        const polyline2f_t& l = path.Polylines()[i];
        EXPECT_EQ(l.first, p + total);
        total += l.count;
        for (uint64_t j = 1; j < l.count; ++j)
            EXPECT_LE(std::fabs(l.first[j].x - l.first[j - 1].x), 3.14f);
    }
    EXPECT_EQ(total, 180u);
    EXPECT_GE(path.PolylineCount(), 2u);
}

TEST_F(Path, TickAndUpdate)
{
    EXPECT_FALSE(path.Tick(100000));
    EXPECT_EQ(path.elapsed, 0u);
    g_var.sel.obj = sat;
    path.Reset();
    EXPECT_FALSE(path.Tick(62630));
    EXPECT_TRUE(path.Tick(1));
    EXPECT_EQ(path.elapsed, 62631u);

    const point2f_t second = path.Points()[1];
    path.Update();
    EXPECT_EQ(path.elapsed, 0u);
    EXPECT_EQ(path.Points()[0].x, second.x);
    EXPECT_EQ(path.Points()[0].y, second.y);
    point2f_t ahead = position_at(sat, static_cast<int>(180 * path.step));
    EXPECT_NEAR(path.Points()[179].y, ahead.y, 0.01);
    EXPECT_NEAR(lon_diff(path.Points()[179].x, ahead.x), 0, 0.01);

    // Without a selection nothing moves.
    g_var.sel.obj = nullptr;
    const point2f_t first = path.Points()[0];
    path.Update();
    EXPECT_EQ(path.Points()[0].x, first.x);
}

TEST_F(Path, CutsWhereTheTrackCrossesTheMapEdge)
{
    // Eastward across +180 twice: three polylines of 2, 4 and 2 points.
    set_track(path, {{3.0f, 0.1f}, {3.1f, 0.2f}, {-3.1f, 0.3f}, {-3.0f, 0.4f}, {0.1f, 0.5f},
                     {3.1f, 0.6f}, {-3.1f, 0.7f}, {-3.0f, 0.8f}});
    EXPECT_EQ(path.CalcNumPolylines(), 3u);
    path.InitPolylines();
    ASSERT_EQ(path.PolylineCount(), 3u);
    EXPECT_EQ(path.Polylines()[0].count, 2u);
    EXPECT_EQ(path.Polylines()[1].count, 4u);
    EXPECT_EQ(path.Polylines()[1].first, path.Points() + 2);
    EXPECT_EQ(path.Polylines()[2].count, 2u);
    EXPECT_EQ(path.Polylines()[2].first, path.Points() + 6);
    // Only steps beyond 3.14 in either coordinate cut (float 3.14 is just
    // above it); fewer than two points make one polyline.
    set_track(path, {{0, 0}, {3.13f, 0}, {3.13f, -0.1f}});
    EXPECT_EQ(path.CalcNumPolylines(), 1u);
    set_track(path, {{0, 0}, {3.14f, 0}, {3.14f, -3.15f}});
    EXPECT_EQ(path.CalcNumPolylines(), 3u);
    set_track(path, {{0, 0}});
    EXPECT_EQ(path.CalcNumPolylines(), 1u);
}

TEST_F(Path, SetOrbitsAndDisplay)
{
    EXPECT_TRUE(path.SetOrbits(0, 0));
    EXPECT_EQ(path.PointCount(), 180u);
    EXPECT_EQ(path.PolylineCount(), 0u);  // nothing filled without a selection
    g_var.sel.obj = sat;
    path.Reset();
    const double step = path.step;
    path.SetOrbits(3, 0);
    EXPECT_EQ(path.orbits, 3u);
    EXPECT_EQ(path.PointCount(), 270u);
    EXPECT_EQ(path.step, step);
    EXPECT_GE(path.PolylineCount(), 3u);
    path.EnablePolylines(false);
    EXPECT_FALSE(path.lines);
    EXPECT_EQ(path.PointCount(), 270u);

    // A satellite that cannot be propagated leaves a defined path.
    object_t* bad = make_decayed(90002);
    g_var.sel.obj = bad;
    ObjectPath fresh;
    fresh.SetOrbits(1, 90);
    fresh.Reset();
    EXPECT_EQ(fresh.Points()[45].x, 0.0f);
    fresh.Update();
    EXPECT_EQ(fresh.Points()[89].y, 0.0f);
    g_var.sel.obj = nullptr;
    obj_free(bad);
}
