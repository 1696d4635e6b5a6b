#include "map/projections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/map_fixture.h"

namespace {

// Half width (x of (180, 0)) and half height (y of (0, 90)) of each world.
const struct { int id; const char* name; double x, y; } s_extents[] = {
    {100, "Equirectangular", 3.141593, 1.570796},
    {102, "Miller", 3.141593, 2.303413},
    {101, "Gall Stereographic", 1.110721, 0.853553},
    {103, "Mercator", 3.141593, 3.131301},
    {104, "The Times", 2.339921, 1.707110},
    {300, "Eckert II", 2.894405, 1.447203},
    {500, "Winkel Tripel", 2.570796, 1.570796},
    {501, "Kavrayskiy VII", 2.720698, 1.570796},
    {502, "Wagner VI", 3.141593, 1.570796},
    {503, "Natural Earth", 2.735385, 1.422390},
    {704, "Sinusoidal", 3.141593, 1.570796},
    {700, "Aitoff", 3.141593, 1.570796},
    {701, "Hammer", 2.828427, 1.414214},
    {702, "Van der Grinten", 3.141593, 3.141593},
    {703, "Bottomley", 2.643559, 1.570796},
};

point2f_t project(int id, double lonDeg, double latDeg)
{
    point2f_t in = {rad(lonDeg), rad(latDeg)}, out = {NAN, NAN};
    map_projection_func(id)(&out, &in, 1);
    return out;
}

}  // namespace

TEST(Projections, ExtentsNamesOriginSymmetryAndLookups)
{
    for (const auto& e : s_extents) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(map_projection_func(e.id), nullptr);
        EXPECT_STREQ(map_projection_name(e.id), e.name);
        EXPECT_NEAR(project(e.id, 180, 0).x, e.x, 1e-6);
        EXPECT_NEAR(project(e.id, 0, 90).y, e.y, 1e-6);
        // Miller and Mercator give ln(tan(pi/4)), a few 1e-16 off zero.
        EXPECT_NEAR(std::hypot(project(e.id, 0, 0).x, project(e.id, 0, 0).y), 0.0, 1e-15);
        // Beside the origin (special in Winkel Tripel and Aitoff) small and positive; east and
        // west mirror each other, north and south too except in the pseudoconic Bottomley.
        point2f_t near = project(e.id, 0.005, 0.005);
        EXPECT_TRUE(near.x > 0 && near.y > 0 && near.x < 1e-3f && near.y < 1e-3f);
        point2f_t ne = project(e.id, 120, 45), nw = project(e.id, -120, 45);
        EXPECT_TRUE(ne.x > 0 && ne.y > 0 && std::abs(nw.x + ne.x) <= 1e-5 && std::abs(nw.y - ne.y) <= 1e-5);
        EXPECT_TRUE(e.id == MP_BOTTOMLEY || std::abs(project(e.id, 120, -45).y + ne.y) <= 1e-5);
    }
    for (int id : {0, -100, 1, 99, 105, 200, 301, 504, 699, 705, 1000})
        EXPECT_TRUE(!map_projection_name(id) && !map_projection_func(id)) << id;
}

TEST(Projections, MercatorClampAndVanDerGrinten)
{
    // Mercator stops at 85 degrees of latitude.
    const float y85 = static_cast<float>(std::log(std::tan(1.4835298641951802 * 0.5 + M_PI / 4)));
    EXPECT_TRUE(project(MP_MERCATOR, 40, 90).y == y85 && project(MP_MERCATOR, 40, -89.5).y == -y85);
    EXPECT_LT(project(MP_MERCATOR, 0, 84).y, y85);
    // Van der Grinten: equator x = lambda, central meridian and poles x = 0, outer meridian radius pi.
    EXPECT_TRUE(project(MP_VAN_DER_GRINTEN, 60, 0).x == rad(60) && project(MP_VAN_DER_GRINTEN, 0, 45).x == 0.0f);
    EXPECT_NEAR(project(MP_VAN_DER_GRINTEN, 0, 45).y, M_PI * std::tan(std::asin(0.5) / 2), 1e-6);
    EXPECT_EQ(project(MP_VAN_DER_GRINTEN, 110, 90).x, 0.0f);
    EXPECT_NEAR(project(MP_VAN_DER_GRINTEN, 110, 90).y, M_PI, 1e-6);
    point2f_t edge = project(MP_VAN_DER_GRINTEN, 180, 45);
    EXPECT_NEAR(std::hypot(edge.x, edge.y), M_PI, 1e-5);
}
