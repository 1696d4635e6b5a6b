#include "map/projections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

struct extent_t {
    int id;
    const char* name;
    double x, y;
};

// Half width (x of (pi, 0)) and half height (y of (0, pi/2)) of each world.
const extent_t s_extents[] = {
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

point2f_t project(int id, float lon, float lat)
{
    point2f_t in = {lon, lat}, out = {NAN, NAN};
    map_projection_func(id)(&out, &in, 1);
    return out;
}

float rad(double deg)
{
    return static_cast<float>(deg * M_PI / 180.0);
}

}  // namespace

TEST(Projections, ExtentsNamesAndOrigin)
{
    for (const extent_t& e : s_extents) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(map_projection_func(e.id), nullptr);
        ASSERT_NE(map_projection_name(e.id), nullptr);
        EXPECT_STREQ(map_projection_name(e.id), e.name);
        EXPECT_NEAR(project(e.id, static_cast<float>(M_PI), 0).x, e.x, 1e-6);
        EXPECT_NEAR(project(e.id, 0, static_cast<float>(M_PI / 2)).y, e.y, 1e-6);
        // Miller and Mercator give ln(tan(pi/4)), a few 1e-16 off zero.
        point2f_t o = project(e.id, 0, 0);
        EXPECT_NEAR(o.x, 0.0, 1e-15);
        EXPECT_NEAR(o.y, 0.0, 1e-15);
    }
}

TEST(Projections, Symmetries)
{
    // East and west are mirror images in every projection, north and south
    // in all but the pseudoconic Bottomley.
    const float lons[] = {rad(30), rad(120), rad(179)};
    const float lats[] = {rad(10), rad(45), rad(80)};
    for (const extent_t& e : s_extents) {
        SCOPED_TRACE(e.name);
        for (float l : lons)
            for (float p : lats) {
                point2f_t ne = project(e.id, l, p), nw = project(e.id, -l, p);
                EXPECT_TRUE(std::isfinite(ne.x) && std::isfinite(ne.y));
                EXPECT_GT(ne.x, 0.0f);
                EXPECT_GT(ne.y, 0.0f);
                EXPECT_NEAR(nw.x, -ne.x, 1e-5);
                EXPECT_NEAR(nw.y, ne.y, 1e-5);
                if (e.id == MP_BOTTOMLEY)
                    continue;
                point2f_t se = project(e.id, l, -p);
                EXPECT_NEAR(se.x, ne.x, 1e-5);
                EXPECT_NEAR(se.y, -ne.y, 1e-5);
            }
    }
}

TEST(Projections, ManyPointsInOneCall)
{
    const point2f_t in[3] = {{rad(10), rad(20)}, {rad(-50), rad(-60)}, {rad(170), rad(5)}};
    for (const extent_t& e : s_extents) {
        point2f_t out[3];
        map_projection_func(e.id)(out, in, 3);
        for (int i = 0; i < 3; ++i) {
            point2f_t one = project(e.id, in[i].x, in[i].y);
            EXPECT_EQ(out[i].x, one.x) << e.name;
            EXPECT_EQ(out[i].y, one.y) << e.name;
        }
    }
}

TEST(Projections, MercatorClampsAt85Degrees)
{
    const float y85 = static_cast<float>(std::log(std::tan(1.4835298641951802 * 0.5 + M_PI / 4)));
    EXPECT_NEAR(y85, 3.131301, 1e-6);
    EXPECT_EQ(project(MP_MERCATOR, rad(40), rad(89)).y, y85);
    EXPECT_EQ(project(MP_MERCATOR, rad(40), rad(90)).y, y85);
    EXPECT_EQ(project(MP_MERCATOR, rad(40), rad(-89.5)).y, -y85);
    EXPECT_LT(project(MP_MERCATOR, 0, rad(84)).y, y85);
}

TEST(Projections, SpecialCases)
{
    // Winkel Tripel and Aitoff take the origin through their special case.
    for (int id : {MP_WINKEL_TRIPEL, MP_AITOFF}) {
        point2f_t o = project(id, 0, 0);
        EXPECT_EQ(o.x, 0.0f);
        EXPECT_EQ(o.y, 0.0f);
        point2f_t near = project(id, 1e-4f, 1e-4f);
        EXPECT_TRUE(std::isfinite(near.x) && std::isfinite(near.y));
        EXPECT_GT(near.x, 0.0f);
    }
    // Van der Grinten: equator x = lambda, central meridian and poles x = 0.
    point2f_t eq = project(MP_VAN_DER_GRINTEN, 1.25f, 0);
    EXPECT_EQ(eq.x, 1.25f);
    EXPECT_EQ(eq.y, 0.0f);
    point2f_t cm = project(MP_VAN_DER_GRINTEN, 0, rad(45));
    EXPECT_EQ(cm.x, 0.0f);
    EXPECT_NEAR(cm.y, M_PI * std::tan(std::asin(0.5) / 2), 1e-6);
    point2f_t pole = project(MP_VAN_DER_GRINTEN, 2.0f, static_cast<float>(M_PI / 2));
    EXPECT_EQ(pole.x, 0.0f);
    EXPECT_NEAR(pole.y, M_PI, 1e-6);
    point2f_t south = project(MP_VAN_DER_GRINTEN, 0, static_cast<float>(-M_PI / 2));
    EXPECT_NEAR(south.y, -M_PI, 1e-6);
    // Away from the special cases the outer meridian is a circle of radius pi.
    point2f_t edge = project(MP_VAN_DER_GRINTEN, static_cast<float>(M_PI), rad(45));
    EXPECT_NEAR(std::hypot(edge.x, edge.y), M_PI, 1e-5);
}

TEST(Projections, UnknownIdsHaveNoNameOrFunction)
{
    for (int id : {0, -100, 1, 99, 105, 200, 301, 504, 699, 705, 1000}) {
        EXPECT_EQ(map_projection_name(id), nullptr) << id;
        EXPECT_EQ(map_projection_func(id), nullptr) << id;
    }
}
