#include "map/projections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

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

// Points away from the axes, (longitude, latitude) in degrees, and where each
// projection puts them by its published formulas, evaluated to 40 digits by
// scripts/reference_values.py (sources cited there). Gall stereographic is
// drawn at half the published scale; Kavrayskiy VII takes 1/3 as 0.333333.
const double s_lonLat[6][2] = {{60, 35}, {-60, -35}, {150, 70}, {-170, -10}, {-100, 55}, {30, -80}};
const struct { int id; double xy[6][2]; } s_published[] = {
    {MP_EQUIRECT, {{1.047197580, 0.6108652353}, {-1.047197580, -0.6108652353}, {2.617993832, 1.221730471},
                   {-2.967059612, -0.1745329201}, {-1.745329261, 0.9599310756}, {0.5235987902, -1.396263361}}},
    {MP_MILLER, {{1.047197580, 0.6367403548}, {-1.047197580, -0.6367403548}, {2.617993832, 1.481313353},
                 {-2.967059612, -0.1751028013}, {-1.745329261, 1.071128233}, {0.5235987902, -1.832385323}}},
    {MP_GALL_STEREO, {{0.3702402551, 0.2691243490}, {-0.3702402551, -0.2691243490}, {0.9256005957, 0.5976645147},
                      {-1.049013986, -0.07467624321}, {-0.6170670779, 0.4443317640}, {0.1851201276, -0.7162163057}}},
    {MP_MERCATOR, {{1.047197580, 0.6528365762}, {-1.047197580, -0.6528365762}, {2.617993832, 1.735415146},
                   {-2.967059612, -0.1754258245}, {-1.745329261, 1.154234531}, {0.5235987902, -2.436245820}}},
    {MP_THE_TIMES, {{0.7582125042, 0.5382497128}, {-0.7582125042, -0.5382497128}, {1.702593649, 1.195331283},
                    {-2.205087501, -0.1493527680}, {-1.204544644, 0.8886652035}, {0.3220788625, -1.432435312}}},
    {MP_ECKERT_II, {{0.7282928023, 0.7095266722}, {-0.7282928023, -0.7095266722}, {1.310565364, 1.321726553},
                    {-2.549390619, -0.1950501393}, {-0.9985632271, 1.096991218}, {0.2466357510, -1.414590554}}},
    {MP_WINKEL_TRIPEL, {{0.7878541016, 0.6236914694}, {-0.7878541016, -0.6236914694}, {1.324918211, 1.309996752},
                        {-2.406576222, -0.2166655034}, {-1.119561903, 1.005708214}, {0.2305951667, -1.398536895}}},
    {MP_KAVRAYSKIY_VII, {{0.8539187125, 0.6108652353}, {-0.8539187125, -0.6108652353}, {1.675764488, 1.221730471},
                         {-2.557623983, -0.1745329201}, {-1.282466482, 0.9599310756}, {0.2894297783, -1.396263361}}},
    {MP_WAGNER_VI, {{0.9860209532, 0.6108652353}, {-0.9860209532, -0.6108652353}, {1.935007928, 1.221730471},
                    {-2.953291281, -0.1745329201}, {-1.480865765, 0.9599310756}, {0.3342051310, -1.396263361}}},
    {MP_NATURAL_EARTH, {{0.8582365012, 0.6176221189}, {-0.8582365012, -0.6176221189}, {1.716072422, 1.198923470},
                        {-2.571452336, -0.1758740805}, {-1.289934063, 0.9630175382}, {0.3083310197, -1.337035343}}},
    {MP_SINUSOIDAL, {{0.8578140404, 0.6108652353}, {-0.8578140404, -0.6108652353}, {0.8954066396, 1.221730471},
                     {-2.921983312, -0.1745329201}, {-1.001079756, 0.9599310756}, {0.09092199669, -1.396263361}}},
    {MP_AITOFF, {{0.9090415180, 0.6365177035}, {-0.9090415180, -0.6365177035}, {0.9831697851, 1.398263034},
                 {-2.924263628, -0.2587980867}, {-1.128012689, 1.051485352}, {0.1278569907, -1.400810429}}},
    {MP_HAMMER, {{0.8860471984, 0.6204169081}, {-0.8860471984, -0.6204169081}, {0.8956162966, 1.273744555},
                 {-2.662927955, -0.2356698121}, {-1.062277708, 0.9902100054}, {0.1176359613, -1.288828092}}},
    {MP_VAN_DER_GRINTEN, {{1.006792136, 0.6492243195}, {-1.006792136, -0.6492243195}, {2.030454930, 1.846060881},
                          {-2.961690215, -0.1837476980}, {-1.556987126, 1.165459547}, {0.3290243484, -1.931750876}}},
    {MP_BOTTOMLEY, {{0.8295553551, 0.7051017048}, {-0.8522989310, -0.5688400453}, {0.6693345618, 1.471575447},
                    {-2.592495831, 0.4020724409}, {-0.8927586625, 1.153780922}, {0.09091843924, -1.395915093}}},
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

TEST(Projections, InteriorPointsMatchThePublishedFormulas)
{
    ASSERT_EQ(std::size(s_published), std::size(s_extents));
    for (const auto& p : s_published) {
        for (int i = 0; i < 6; ++i) {
            const point2f_t got = project(p.id, s_lonLat[i][0], s_lonLat[i][1]);
            EXPECT_NEAR(got.x, p.xy[i][0], 1e-6) << map_projection_name(p.id) << " point " << i;
            EXPECT_NEAR(got.y, p.xy[i][1], 1e-6) << map_projection_name(p.id) << " point " << i;
        }
    }
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

TEST(Projections, LanesEqualTheScalarFunctions)
{
    // A dense grid over the globe with its edges, the origin and the poles,
    // in an odd count so that every lane width leaves a tail; then the same
    // with points off the globe and NaN mixed in, which the lanes hand back
    // to the scalar function.
    std::vector<point2f_t> in;
    for (int i = 0; i <= 360; ++i)
        for (int j = 0; j <= 181; ++j)
            in.push_back({rad(-180.0 + i), rad(-90.0 + j * 180.0 / 181)});
    in.push_back({0, 0});
    std::vector<point2f_t> odd = in;
    for (size_t k = 0; k < odd.size(); k += 97)
        odd[k] = k % 2 ? point2f_t{7.0f, 0.2f} : point2f_t{0.1f, NAN};
    const int ids[] = {100, 101, 102, 103, 104, 300, 500, 501, 502, 503, 700, 701, 702, 703, 704};
    for (int id : ids) {
        for (const std::vector<point2f_t>* pts : {&in, &odd}) {
            const size_t n = pts->size();
            std::vector<point2f_t> want(n), got(n);
            map_projection_func(id)(want.data(), pts->data(), n);
            map_projection_lanes(id)(got.data(), pts->data(), n);
            size_t bad = 0;
            for (size_t k = 0; k < n; ++k) {
                const bool same = (std::isnan(want[k].x) ? std::isnan(got[k].x)
                                                         : std::fabs(got[k].x - want[k].x) <= 1e-9) &&
                                  (std::isnan(want[k].y) ? std::isnan(got[k].y)
                                                         : std::fabs(got[k].y - want[k].y) <= 1e-9);
                if (!same && bad++ < 3)
                    ADD_FAILURE() << map_projection_name(id) << " at (" << (*pts)[k].x << ", "
                                  << (*pts)[k].y << "): " << got[k].x << ", " << got[k].y
                                  << " for " << want[k].x << ", " << want[k].y;
            }
        }
    }
}
