// Rings cut at the antimeridian: no segment crosses the map, and the pieces reach
// the map's edge at the latitude where the ring crosses it.
#include "map/ring_cut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "map/map_fixture.h"

namespace {

const float s_edge = static_cast<float>(M_PI);

// A ring of n points on a circle of radius r degrees around (lon, lat) in the plane of
// longitude and latitude, longitudes wrapped into [-180, 180).
std::vector<point2f_t> circle(double lon, double lat, double r, size_t n)
{
    std::vector<point2f_t> ring(n);
    for (size_t k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        double x = lon + r * std::sin(a);
        x = std::remainder(x, 360.0);
        ring[k] = {rad(x), rad(lat + r * std::cos(a))};
    }
    return ring;
}

bool no_step_across(const CPolylines2f& c)
{
    for (uint64_t i = 0; i < c.PolylineCount(); ++i) {
        const polyline2f_t& l = c.Polylines()[i];
        for (uint64_t j = 1; j < l.count; ++j)
            if (std::fabs(l.first[j].x - l.first[j - 1].x) > 0.5)
                return false;
    }
    return true;
}

}  // namespace

TEST(RingCut, ClosedInsideCutAtTheEdgeAndAroundAPole)
{
    CPolylines2f c;
    const std::vector<point2f_t> inside = circle(10, 20, 15, 8);
    ring_cut(c, inside.data(), inside.size());
    ASSERT_TRUE(shape(c) == "9 " && end_to_end(c)) << shape(c);
    EXPECT_TRUE(c.Points()[8].x == inside[0].x && c.Points()[8].y == inside[0].y) << "closed by its first point";

    // Around (180, 0): two crossings, two pieces, each ending on the edge at the latitude of the crossing.
    const std::vector<point2f_t> across = circle(180, 0, 20, 36);
    ring_cut(c, across.data(), across.size());
    ASSERT_TRUE(c.PolylineCount() == 2 && c.PointCount() == 40 && end_to_end(c)) << shape(c);
    EXPECT_TRUE(no_step_across(c));
    for (uint64_t i = 0; i < 2; ++i) {
        const polyline2f_t& l = c.Polylines()[i];
        const point2f_t &a = l.first[0], &b = l.first[l.count - 1];
        EXPECT_TRUE(std::fabs(a.x) == s_edge && std::fabs(b.x) == s_edge && a.x == b.x) << "piece " << i;
        // Crossings at latitude +-20 (the top and bottom of the circle).
        EXPECT_NEAR(std::fabs(a.y), rad(20), 1e-6);
        EXPECT_NEAR(a.y, -b.y, 1e-6);
    }
    // The two pieces meet the edge at the same latitudes from both sides.
    EXPECT_EQ(c.Polylines()[0].first[0].y, c.Polylines()[1].first[c.Polylines()[1].count - 1].y);

    // A ring around the north pole: longitudes run once round, so one piece from edge to edge.
    std::vector<point2f_t> polar(72);
    for (size_t k = 0; k < polar.size(); ++k)
        polar[k] = {rad(std::remainder(40.0 + 5.0 * k, 360.0)), rad(75 + 5 * std::cos(k * M_PI / 36))};
    ring_cut(c, polar.data(), polar.size());
    ASSERT_TRUE(shape(c) == "74 " && no_step_across(c)) << shape(c);
    EXPECT_TRUE(c.Points()[0].x == -s_edge && c.Points()[73].x == s_edge);
    EXPECT_EQ(c.Points()[0].y, c.Points()[73].y);

    ring_cut(c, polar.data(), 1);
    EXPECT_EQ(c.PointCount() + c.PolylineCount(), 0u);
}
