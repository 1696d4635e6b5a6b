#include "objects/objects.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "../datafile/elements_fixture.h"

namespace {

// The elements of a real low-earth satellite; tests vary single fields.
OrbitalElements_t leo(uint32_t catnum, const std::string& name)
{
    OrbitalElements_t el = read_all<TleFile>(tle_text("X")).at(0);
    el.name = name;
    el.catalogNumber = catnum;
    return el;
}

object_t* make(uint32_t catnum, const std::string& name = "SAT")
{
    object_t* o = nullptr;
    EXPECT_EQ(new_obj(&o, leo(catnum, name)), 0);
    return o;
}

}  // namespace

TEST(Objects, ListKeepsOrderDuplicatesAndWraps)
{
    CObjects objs;
    objs.InitPositions();
    objs.Update();
    EXPECT_EQ(objs.positions, nullptr);
    EXPECT_EQ(objs.Next(nullptr), nullptr);
    EXPECT_EQ(objs.Load("/nonexistent/datamgr.txt"), 6);

    object_t* a = make(1);
    objs.Add(a);
    EXPECT_EQ(objs.Next(a), a);
    EXPECT_EQ(objs.Prior(a), a);
    object_t* b = make(25544, "FIRST");
    object_t* c = make(25544, "SECOND");
    objs.Add(b);
    objs.Add(c);
    EXPECT_EQ(objs.count, 3u);
    EXPECT_EQ(objs.Next(c), a);
    EXPECT_EQ(objs.Prior(a), c);
    EXPECT_EQ(obj_find(25544, objs.first), b);
    EXPECT_EQ(obj_find(25544, c), c);
    char name[32];
    EXPECT_STREQ(obj_name(name, 4, c), "SEC");
    objs.Free();
    EXPECT_EQ(objs.first, nullptr);
    EXPECT_EQ(objs.count, 0u);
}

TEST(Objects, InfoPeriodTextAndNameCut)
{
    // A name longer than the field is cut; one revolution a day is one day.
    OrbitalElements_t el = leo(25544, std::string(40, 'N'));
    for (const auto& [revs, text] : {std::pair(15.5, "000:01:32:54"), std::pair(1.0, "001:00:00:00")}) {
        object_t* o = nullptr;
        el.meanMotion = revs;
        ASSERT_EQ(new_obj(&o, el), 0);
        objectInfo_t info;
        std::memset(&info, 0x7f, sizeof info);
        obj_info(&info, o);
        EXPECT_EQ(std::string(info.name), std::string(31, 'N'));
        EXPECT_DOUBLE_EQ(info.revsPerDay, revs);
        EXPECT_NEAR(info.period, 86400.0 / revs, 0.01);
        EXPECT_STREQ(info.periodText, text);
        obj_free(o);
    }
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

    // obj_coord is obj_geodetic at the clock, to within the clock's advance.
    libsgp4::CoordGeodetic geo;
    ASSERT_TRUE(obj_geodetic(&geo, iss, obj_time(0)));
    ASSERT_TRUE(obj_coord(iss->pos, iss, 0));
    EXPECT_NEAR(iss->pos->y, geo.latitude, 1e-3);
    EXPECT_NEAR(iss->altitude, geo.altitude, 1.0);

    // A point half an orbit ahead (a ground track's) leaves the satellite's own entry and altitude.
    point2f_t ahead{9.0f, 9.0f};
    const point2f_t here = *iss->pos;
    const double altitude = iss->altitude;
    ASSERT_TRUE(obj_coord(&ahead, iss, 2787));
    EXPECT_TRUE(ahead.x != 9.0f && iss->pos->x == here.x && iss->altitude == altitude);
}

// The batched computation gives the lone one's bits for every kind of orbit,
// failures among working ones, partly filled lanes and across batch ends.
TEST(Objects, BatchedGeodeticMatchesSingle)
{
    // Low, polar, synchronous, Molniya-like and decaying orbits.
    const double orbits[][4] = {{15.49496548, 0.0007245, 51.6337, 0.00021767}, {15.49496548, 0.0007245, 98.7, 0.00021767},
                                {1.0027, 0.0007245, 0.05, 0.0}, {2.006, 0.72, 63.4, 0.00021767},
                                {15.49496548, 0.0007245, 51.6337, 0.5}};
    std::vector<OrbitalElements_t> kinds;
    for (const auto& [n, e, i, bstar] : orbits) {
        OrbitalElements_t el = leo(uint32_t(kinds.size() + 1), "K");
        el.meanMotion = n, el.eccentricity = e, el.inclination = i, el.bstar = bstar;
        kinds.push_back(el);
    }
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
