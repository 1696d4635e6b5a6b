// Footprints against a hand-written ellipsoid: from every point of the ring the
// satellite stands on the horizon, and the rings keep their shape near poles and
// for geostationary heights.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "observer/footprint.h"

namespace {

const double s_pi = std::acos(-1.0), s_deg = 180.0 / s_pi;
const double s_a = 6378.135, s_f = 1.0 / 298.26;  // WGS-72

// Earth-fixed point of geodetic latitude and longitude (radians) and height (km),
// and the ellipsoid normal there.
void geodetic(double lat, double lon, double h, double p[3], double up[3])
{
    const double e2 = s_f * (2 - s_f), n = s_a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    up[0] = std::cos(lat) * std::cos(lon);
    up[1] = std::cos(lat) * std::sin(lon);
    up[2] = std::sin(lat);
    p[0] = (n + h) * up[0];
    p[1] = (n + h) * up[1];
    p[2] = (n * (1 - e2) + h) * up[2];
}

// The satellite's elevation (radians) from the ground point.
double elevation(const double sat[3], const point2f_t& g)
{
    double p[3], up[3];
    geodetic(g.y, g.x, 0, p, up);
    const double d[3] = {sat[0] - p[0], sat[1] - p[1], sat[2] - p[2]};
    const double r = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return std::asin((d[0] * up[0] + d[1] * up[1] + d[2] * up[2]) / r);
}

// Earth-central angle between two points (radians) on a sphere.
double central(double lat1, double lon1, double lat2, double lon2)
{
    const double c = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c)));
}

}  // namespace

TEST(Footprint, EveryPointSeesTheSatelliteOnTheHorizon)
{
    struct Case {
        const char* what;
        double latDeg, lonDeg, alt;
    } cases[] = {
        {"station", 51.6, -120.0, 420.0},
        {"polar, around the north pole", 85.0, 30.0, 800.0},
        {"over the south pole itself", -90.0, 0.0, 700.0},
        {"geostationary", 0.0, 100.0, 35786.0},
        {"at the antimeridian", -20.0, 179.9, 1200.0},
    };
    const size_t n = 360;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<point2f_t> ring(n);
        ASSERT_TRUE(obs_footprint(ring.data(), n, c.latDeg / s_deg, c.lonDeg / s_deg, c.alt));
        double sat[3], up[3];
        geodetic(c.latDeg / s_deg, c.lonDeg / s_deg, c.alt, sat, up);
        // On a sphere of the equatorial radius the horizon is acos(R / r) away; the ellipsoid
        // moves it by a fraction of a degree.
        const double half = std::acos(s_a / (s_a + c.alt));
        double lonMin = 10, lonMax = -10;
        for (const point2f_t& p : ring) {
            const float pi = static_cast<float>(s_pi);
            ASSERT_TRUE(p.x >= -pi && p.x <= pi && p.y >= -pi / 2 && p.y <= pi / 2);
            // The float ring is good to about a metre (6e-8 rad): 1e-5 rad of elevation.
            EXPECT_NEAR(elevation(sat, p), 0.0, 1e-5);
            EXPECT_NEAR(central(c.latDeg / s_deg, c.lonDeg / s_deg, p.y, p.x), half, 0.3 / s_deg);
            lonMin = std::fmin(lonMin, p.x);
            lonMax = std::fmax(lonMax, p.x);
        }
        if (c.latDeg > 80) {
            // Around the pole the ring covers every longitude.
            EXPECT_LT(lonMin, -3.1);
            EXPECT_GT(lonMax, 3.1);
        }
        // Clockwise from the north: the first point is due north of the sub-satellite point,
        // the quarter due east.
        if (std::fabs(c.latDeg) < 80) {
            EXPECT_NEAR(std::remainder(ring[0].x - c.lonDeg / s_deg, 2 * s_pi), 0.0, 1e-6);
            EXPECT_GT(ring[0].y, c.latDeg / s_deg);
            EXPECT_GT(std::remainder(ring[n / 4].x - c.lonDeg / s_deg, 2 * s_pi), 0.0);
        }
    }
    // Geostationary: about 162 degrees of longitude on the equator.
    std::vector<point2f_t> geo(n);
    obs_footprint(geo.data(), n, 0.0, 0.0, 35786.0);
    EXPECT_NEAR(geo[n / 4].x * s_deg, 81.3, 0.2);

    point2f_t untouched[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    for (double alt : {0.0, -10.0, double(NAN), double(INFINITY)})
        EXPECT_FALSE(obs_footprint(untouched, 4, 0.0, 0.0, alt)) << alt;
    EXPECT_FALSE(obs_footprint(untouched, 4, double(NAN), 0.0, 400.0));
    EXPECT_EQ(untouched[0].x, 7.0f);
}
