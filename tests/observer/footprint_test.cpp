// Footprints against a hand-written ellipsoid: from every point of the ring the
// satellite stands on the horizon, near a pole and at geostationary height too.
#include "observer/footprint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Footprint, EveryPointSeesTheSatelliteOnTheHorizon)
{
    const double d = M_PI / 180, a = 6378.135, e2 = (2 - 1 / 298.26) / 298.26;  // WGS-72
    // Earth-fixed point and ellipsoid normal of geodetic (lat, lon) radians at h km.
    auto fixed = [&](double lat, double lon, double h, double p[3], double up[3]) {
        const double n = a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
        up[0] = std::cos(lat) * std::cos(lon), up[1] = std::cos(lat) * std::sin(lon), up[2] = std::sin(lat);
        p[0] = (n + h) * up[0], p[1] = (n + h) * up[1], p[2] = (n * (1 - e2) + h) * up[2];
    };
    const struct { double lat, lon, alt; } cases[] = {{51.6, -120, 420}, {85, 30, 800}, {-90, 0, 700}, {0, 100, 35786}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lat);
        std::vector<point2f_t> ring(360);
        ASSERT_TRUE(obs_footprint(ring.data(), ring.size(), c.lat * d, c.lon * d, c.alt));
        double sat[3], up[3], g[3];
        fixed(c.lat * d, c.lon * d, c.alt, sat, up);
        double lonMin = 9, lonMax = -9;
        for (const point2f_t& p : ring) {
            fixed(p.y, p.x, 0, g, up);
            const double v[3] = {sat[0] - g[0], sat[1] - g[1], sat[2] - g[2]};
            // The float ring is good to about a metre: 1e-5 rad of elevation.
            EXPECT_NEAR((v[0] * up[0] + v[1] * up[1] + v[2] * up[2]) / std::hypot(v[0], v[1], v[2]), 0, 1e-5);
            lonMin = std::fmin(lonMin, p.x), lonMax = std::fmax(lonMax, p.x);
        }
        // The first point lies due north; around a pole the ring takes every longitude.
        const bool north = std::fabs(std::remainder(ring[0].x - c.lon * d, 2 * M_PI)) < 1e-6 && ring[0].y > c.lat * d;
        EXPECT_TRUE(std::fabs(c.lat) < 80 ? north : lonMin < -3.1 && lonMax > 3.1);
        if (c.alt > 30000) {  // 81.3 degrees either way on the equator
            EXPECT_NEAR(std::remainder(ring[90].x / d - c.lon, 360), 81.3, 0.2);
        }
    }
    point2f_t untouched = {7, 7};
    for (double alt : {0.0, -10.0, double(NAN), double(INFINITY)})
        EXPECT_FALSE(obs_footprint(&untouched, 1, 0, 0, alt)) << alt;
    EXPECT_EQ(untouched.x, 7.0f);
}
