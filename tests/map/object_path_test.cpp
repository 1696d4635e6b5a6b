#include "map/object_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/map_fixture.h"
#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"
#include "settings/vars.h"

namespace {

class Path : public ::testing::Test {
protected:
    void SetUp() override { var_reset(); path.SetOrbits(2, 90); }
    void TearDown() override { g_var.sel.obj = nullptr; obj_free(sat); }
    // Expects the path point where the satellite is that many seconds ahead.
    void expect_ahead(const point2f_t& p, double seconds)
    {
        point2f_t q = {NAN, NAN};
        ASSERT_TRUE(obj_coord(&q, sat, static_cast<int>(seconds)));
        EXPECT_NEAR(p.y, q.y, 0.01);
        EXPECT_NEAR(std::fmod(p.x - q.x + 3 * M_PI, 2 * M_PI) - M_PI, 0, 0.01);  // across +-pi
    }
    void set_track(const std::initializer_list<point2f_t>& pts)
    {
        path.AllocPoints(pts.size());
        std::copy(pts.begin(), pts.end(), path.Points());
    }
    object_t* sat = make_leo(90001, 15.5);
    ObjectPath path;
};

}  // namespace

TEST_F(Path, StepTickAndUpdate)
{
    EXPECT_FALSE(path.Tick(100000));  // no step without a selection
    g_var.sel.obj = sat;
    path.Reset();
    EXPECT_NEAR(path.step, 62.63, 0.005);
    EXPECT_EQ(path.stepInterval, 62631u);
    ASSERT_EQ(path.PointCount(), 180u);
    expect_ahead(path.Points()[179], 179 * path.step);
    EXPECT_TRUE(end_to_end(path) && path.PolylineCount() >= 2);

    EXPECT_TRUE(!path.Tick(62630) && path.Tick(1));
    const point2f_t second = path.Points()[1];
    path.Update();
    EXPECT_TRUE(path.elapsed == 0 && path.Points()[0].x == second.x);
    expect_ahead(path.Points()[179], 180 * path.step);
    // Without a selection nothing moves.
    g_var.sel.obj = nullptr;
    path.Update();
    EXPECT_EQ(path.Points()[0].x, second.x);
}

TEST_F(Path, CutsWhereTheTrackCrossesTheMapEdge)
{
    // Eastward across +180 twice: three polylines of 2, 4 and 2 points.
    set_track({{3.0f, 0.1f}, {3.1f, 0.2f}, {-3.1f, 0.3f}, {-3.0f, 0.4f}, {0.1f, 0.5f},
               {3.1f, 0.6f}, {-3.1f, 0.7f}, {-3.0f, 0.8f}});
    path.InitPolylines();
    EXPECT_TRUE(shape(path) == "2 4 2 " && end_to_end(path)) << shape(path);
    // Only steps beyond 3.14 in either coordinate cut (float 3.14 is just
    // above it); fewer than two points make one polyline.
    set_track({{0, 0}, {3.13f, 0}, {3.13f, -0.1f}});
    EXPECT_EQ(path.CalcNumPolylines(), 1u);
    set_track({{0, 0}, {3.14f, 0}, {3.14f, -3.15f}});
    EXPECT_EQ(path.CalcNumPolylines(), 3u);
    set_track({{0, 0}});
    EXPECT_EQ(path.CalcNumPolylines(), 1u);
}

TEST_F(Path, TrackOfAnUncomputableSatelliteIsEmpty)
{
    // The track is the selected satellite's alone: none of another's points stay,
    // no step adds a point at (0, 0), and the satellite's altitude is untouched.
    g_var.sel.obj = sat;
    sat->altitude = 1234.5;
    path.Reset();
    path.Update();
    EXPECT_TRUE(path.PointCount() == 180 && sat->altitude == 1234.5);
    object_t* bad = make_leo(90002, 0, true);
    g_var.sel.obj = bad;
    path.Reset();
    EXPECT_EQ(path.PointCount(), 0u);
    path.Update();
    path.EnablePolylines(false);
    EXPECT_TRUE(path.PointCount() == 0 && shape(path) == "0 ") << shape(path);
    // Back to a computable satellite, the whole track returns.
    g_var.sel.obj = sat;
    path.Reset();
    EXPECT_EQ(path.PointCount(), 180u);
    obj_free(bad);
}

TEST_F(Path, TrackEndsBeforeTheFirstInstantTheModelCannotCompute)
{
    // A satellite that decays about 100 minutes from now: the minute the model
    // first fails is found for an arbitrary epoch, and the epoch is then moved
    // so that this minute lies ahead of the clock. The track (2 orbits of 90
    // points) stops past its first 64-point chunk, at the last computable point.
    OrbitalElements_t el;
    el.catalogNumber = 90003;
    el.epochYear = 2026;
    el.epochMonth = 1;
    el.epochDayOfMonth = 1;
    el.bstar = 0.002;
    el.inclination = 51.6;
    el.meanMotion = 16.0;
    object_t* probe = nullptr;
    ASSERT_EQ(new_obj(&probe, el), 0);
    libsgp4::Eci eci;
    libsgp4::PropagationFailure failure;
    double decay = 0;
    while (decay < 30 * 1440 && probe->sgp4->TryFindPosition(decay, eci, failure))
        decay += 1;
    obj_free(probe);
    ASSERT_TRUE(decay > 200 && decay < 30 * 1440) << decay;
    const libsgp4::DateTime epoch = obj_time(0).AddMinutes(100 - decay);
    int year = 0, us = 0;
    epoch.Decompose(year, el.epochMonth, el.epochDayOfMonth, el.epochHour, el.epochMinute,
                    el.epochSecond, us);
    el.epochYear = static_cast<uint32_t>(year);
    object_t* decaying = nullptr;
    ASSERT_EQ(new_obj(&decaying, el), 0);

    g_var.sel.obj = decaying;
    path.Reset();
    const uint64_t n = path.PointCount();
    ASSERT_TRUE(n > 64 && n < 180) << n;
    point2f_t q;
    for (uint64_t i = 0; i < n; i += 7) {
        ASSERT_TRUE(obj_coord(&q, decaying, static_cast<int>(static_cast<double>(i) * path.step)));
        EXPECT_NEAR(path.Points()[i].y, q.y, 1e-4);
        EXPECT_NEAR(std::fmod(path.Points()[i].x - q.x + 3 * M_PI, 2 * M_PI) - M_PI, 0, 1e-4);
    }
    EXPECT_TRUE(obj_coord(&q, decaying, static_cast<int>(static_cast<double>(n - 1) * path.step)));
    EXPECT_FALSE(obj_coord(&q, decaying, static_cast<int>(static_cast<double>(n) * path.step)));
    EXPECT_TRUE(end_to_end(path));
    g_var.sel.obj = nullptr;
    obj_free(decaying);
}
