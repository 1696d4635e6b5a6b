#include "objects/objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"

namespace {

// The element set of a real low-earth satellite; tests vary one field.
OrbitalElements_t leo(uint32_t catnum, const std::string& name)
{
    OrbitalElements_t el;
    el.name = name;
    el.catalogNumber = catnum;
    el.epochYear = 2026;
    el.epochDay = 150.51748228;
    el.epochIsDayOfYear = true;
    el.meanMotionDot = 0.00011776;
    el.bstar = 0.00021767;
    el.inclination = 51.6337;
    el.raan = 27.5746;
    el.eccentricity = 0.0007245;
    el.argPerigee = 114.7080;
    el.meanAnomaly = 245.4664;
    el.meanMotion = 15.49496548;
    el.revNumber = 56901;
    return el;
}

object_t* make(uint32_t catnum, const std::string& name = "SAT")
{
    object_t* o = nullptr;
    EXPECT_EQ(new_obj(&o, leo(catnum, name)), 0);
    return o;
}

}  // namespace

TEST(Objects, EmptyCatalogue)
{
    CObjects objs;
    objs.InitPositions();
    objs.Update();
    EXPECT_EQ(objs.positions, nullptr);
    EXPECT_EQ(objs.Next(nullptr), nullptr);
    EXPECT_EQ(objs.Load("/nonexistent/datamgr.txt"), 6);
    EXPECT_EQ(objs.count, 0u);
}

TEST(Objects, ListKeepsOrderDuplicatesAndWraps)
{
    CObjects objs;
    object_t* a = make(1);
    objs.Add(a);
    EXPECT_EQ(objs.Next(a), a);
    EXPECT_EQ(objs.Prior(a), a);

    object_t* b = make(25544, "FIRST");
    object_t* c = make(25544, "SECOND");
    objs.Add(b);
    objs.Add(c);
    EXPECT_EQ(objs.count, 3u);
    EXPECT_EQ(objs.Next(a), b);
    EXPECT_EQ(objs.Next(c), a);
    EXPECT_EQ(objs.Prior(a), c);
    EXPECT_EQ(objs.Prior(c), b);
    EXPECT_EQ(obj_find(25544, objs.first), b);
    EXPECT_EQ(obj_find(25544, c), c);
    char name[32];
    EXPECT_STREQ(obj_name(name, c), "SECOND");
    EXPECT_STREQ(obj_name(name, 4, c), "SEC");

    objs.Free();
    EXPECT_EQ(objs.first, nullptr);
    EXPECT_EQ(objs.count, 0u);
}

TEST(Objects, InfoPeriodTextAndNameCut)
{
    object_t* o = nullptr;
    OrbitalElements_t el = leo(25544, std::string(40, 'N'));
    el.meanMotion = 15.5;
    ASSERT_EQ(new_obj(&o, el), 0);
    objectInfo_t info;
    std::memset(&info, 0x7f, sizeof info);
    obj_info(&info, o);
    EXPECT_EQ(std::string(info.name), std::string(31, 'N'));
    EXPECT_DOUBLE_EQ(info.revsPerDay, 15.5);
    EXPECT_NEAR(info.period, 5574.19, 0.01);
    EXPECT_STREQ(info.periodText, "000:01:32:54");
    obj_free(o);

    // One revolution a day: a geostationary-like orbit.
    el = leo(26000, "GEO");
    el.meanMotion = 1.0;
    el.eccentricity = 0.0001;
    el.inclination = 0.05;
    ASSERT_EQ(new_obj(&o, el), 0);
    obj_info(&info, o);
    EXPECT_STREQ(info.periodText, "001:00:00:00");
    obj_free(o);
}

TEST(Objects, PositionsAtLoadAndUpdate)
{
    CObjects objs;
    objs.Add(make(25544, "ISS"));
    object_t* bad = nullptr;
    // A drag term so large that the orbit has decayed long before today.
    OrbitalElements_t el = leo(99999, "DECAYED");
    el.epochYear = 2000;
    el.bstar = 0.9;
    el.meanMotion = 16.4;
    ASSERT_EQ(new_obj(&bad, el), 0);
    objs.Add(bad);
    objs.InitPositions();

    object_t* iss = objs.first;
    ASSERT_NE(objs.positions, nullptr);
    EXPECT_EQ(iss->pos, &objs.positions[0]);
    EXPECT_EQ(bad->pos, &objs.positions[1]);
    EXPECT_TRUE(iss->hasPos);
    EXPECT_GT(iss->altitude, 150.0);
    EXPECT_LT(iss->altitude, 600.0);
    // Geodetic latitude reaches a little beyond the inclination.
    EXPECT_LE(std::fabs(iss->pos->y), 52.0f * 3.1416f / 180.0f);

    // The failed satellite holds a defined, undrawn position.
    EXPECT_FALSE(bad->hasPos);
    EXPECT_EQ(bad->altitude, 0.0);
    EXPECT_EQ(bad->pos->x, 0.0f);
    EXPECT_EQ(bad->pos->y, 0.0f);
    objs.Update();
    EXPECT_FALSE(bad->hasPos);
    EXPECT_EQ(bad->pos->x, 0.0f);

    // obj_coord is obj_geodetic at the clock: an instant computed just
    // before gives the same point to within the clock's advance.
    libsgp4::CoordGeodetic geo;
    ASSERT_TRUE(obj_geodetic(&geo, iss, obj_time(0)));
    ASSERT_TRUE(obj_coord(iss->pos, iss, 0));
    EXPECT_NEAR(iss->pos->y, geo.latitude, 1e-3);
    EXPECT_NEAR(iss->altitude, geo.altitude, 1.0);

    // A path point an orbit ahead overwrites the altitude but not the entry.
    point2f_t ahead{9.0f, 9.0f};
    const point2f_t here = *iss->pos;
    ASSERT_TRUE(obj_coord(&ahead, iss, 5574));
    EXPECT_NE(ahead.x, 9.0f);
    EXPECT_EQ(iss->pos->x, here.x);
}

// The batched computation of the catalogue walks gives the bits of the lone
// one, for every kind of orbit, for failing satellites among working ones,
// for batches that do not fill the conversion lanes and across batch ends.
TEST(Objects, BatchedGeodeticMatchesSingle)
{
    std::vector<OrbitalElements_t> kinds;
    kinds.push_back(leo(1, "LEO"));
    OrbitalElements_t el = leo(2, "POLAR");
    el.inclination = 98.7;
    kinds.push_back(el);
    el = leo(3, "GEO");
    el.meanMotion = 1.0027;
    el.inclination = 0.05;
    el.bstar = 0.0;
    el.meanMotionDot = 0.0;
    kinds.push_back(el);
    el = leo(4, "MOLNIYA");
    el.meanMotion = 2.006;
    el.eccentricity = 0.72;
    el.inclination = 63.4;
    kinds.push_back(el);
    el = leo(5, "DECAYED");
    el.bstar = 0.5;
    kinds.push_back(el);

    std::vector<object_t*> objs;
    std::vector<libsgp4::DateTime> dts;
    const libsgp4::DateTime t0(2026, 6, 1, 0, 0, 0, 0);
    for (int i = 0; i < 150; ++i) {
        object_t* o = nullptr;
        ASSERT_EQ(new_obj(&o, kinds[i % kinds.size()]), 0);
        objs.push_back(o);
        dts.push_back(t0.AddMicroseconds(int64_t(i) * 997000000));
    }
    for (size_t n : {size_t(1), size_t(3), size_t(13), size_t(150)}) {
        std::vector<libsgp4::CoordGeodetic> geo(n);
        std::unique_ptr<bool[]> ok(new bool[n]);
        obj_geodetic_n(objs.data(), dts.data(), n, geo.data(), ok.get());
        int failed = 0, differing = 0;
        for (size_t i = 0; i < n; ++i) {
            libsgp4::CoordGeodetic one{};
            const bool single = obj_geodetic(&one, objs[i], dts[i]);
            failed += !single;
            differing += ok[i] != single ||
                         (single && std::memcmp(&one, &geo[i], sizeof one) != 0);
        }
        EXPECT_EQ(differing, 0) << n;
        if (n >= kinds.size()) {
            EXPECT_GT(failed, 0) << n;
        }
    }
    for (object_t* o : objs)
        obj_free(o);
}
