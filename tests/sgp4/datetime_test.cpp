#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "sgp4/Constants.h"
#include "sgp4/DateTime.h"
#include "sgp4/Eci.h"

using libsgp4::DateTime;

TEST(DateTime, CalendarJulianAndSidereal)
{
    EXPECT_EQ(DateTime(1970, 1, 1, 0, 0, 0, 0).Ticks(), 62135596800000000LL);
    EXPECT_TRUE(DateTime::IsLeapYear(2000) && DateTime::IsLeapYear(2024));
    EXPECT_FALSE(DateTime::IsLeapYear(1900) || DateTime::IsLeapYear(2100));
    EXPECT_TRUE(DateTime::IsValid(2024, 2, 29, 23, 59, 59, 999999));
    EXPECT_FALSE(DateTime::IsValid(2023, 2, 29, 0, 0, 0, 0));
    EXPECT_DEATH(DateTime(2023, 2, 29, 0, 0, 0, 0), "sgp4/DateTime: Invalid date");

    const DateTime noon(2024, 1, 1, 12, 0, 0, 0);
    EXPECT_EQ(DateTime::FromYearDay(2024, 1.5).Ticks(), noon.Ticks());
    EXPECT_EQ(DateTime::FromYearDay(2024, 61.0).Ticks(), DateTime(2024, 3, 1, 0, 0, 0, 0).Ticks());
    EXPECT_DOUBLE_EQ(DateTime(2000, 1, 1, 12, 0, 0, 0).ToJulian(), 2451545.0);
    EXPECT_EQ(noon.AddMinutes(-1e-7).Ticks(), noon.Ticks() - 6);  // truncated toward zero
    int y, mo, d, h, mi, s, us;
    DateTime(2024, 2, 29, 23, 59, 58, 123456).Decompose(y, mo, d, h, mi, s, us);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, us}), std::vector<int>({2024, 2, 29, 23, 59, 58, 123456}));

    // GMST at 2000-01-01 12:00 UT1 is 18h 41m 50.54841s = 280.46061837 degrees.
    const double g = DateTime(2000, 1, 1, 12, 0, 0, 0).ToGreenwichSiderealTime();
    EXPECT_NEAR(g * 180.0 / libsgp4::kPI, 280.46061837, 1e-6);
    // Values of recent instants are kept: alternating instants still get their own.
    const DateTime t1 = DateTime(2000, 1, 1, 12, 0, 0, 0).AddMicroseconds(1000000), t2 = t1.AddMicroseconds(1000000);
    const double g1 = t1.ToGreenwichSiderealTime(), g2 = t2.ToGreenwichSiderealTime();
    EXPECT_TRUE(g < g1 && g1 < g2);
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(std::vector<double>({DateTime(2000, 1, 1, 12, 0, 0, 0).ToGreenwichSiderealTime(),
                                       t1.ToGreenwichSiderealTime(), t2.ToGreenwichSiderealTime()}),
                  std::vector<double>({g, g1, g2}));
}

// Points given by geodetic latitude, altitude and longitude (degrees, km) on
// the WGS-72 ellipsoid and their Cartesian coordinates (km) by the closed
// forward formulas, from scripts/reference_values.py (40 digits, checked there
// by Heikkinen's closed-form inverse). The longitude is measured from the x
// axis; the conversion's own longitude is east of Greenwich.
const struct { double lat, alt, lon, x, y, z; } s_geodetic[] = {
    {0, 0, 30, 5523.6269387666605883, 3189.0675, 0.0},
    {0, 35786, -100, -7321.7252056524362646, -41523.567047053397263, 0.0},
    {45, 400, 135, -3394.418093533225914, 3394.418093533225914, 4770.1899252591136302},
    {80, 20200, -45, 3266.0255851043312379, -3266.0255851043312379, 26152.657811033481472},
    {-60, 550, 10, 3419.3544553584063953, 602.9244470853854808, -5976.7895967594158276},
    {-60, 0, 170, -3148.532323280049179, 555.17119822697963486, -5500.4756246779745718},
    {80, 0.25, 60, 555.60395034224604119, 962.33427087874565338, 6259.7874021251317249},
};

// The lane conversion gives the scalar one's bits: the points above, then poles
// and axes (the arc tangent's special cases); 13 so the last group is not full.
TEST(Eci, ToGeodeticMatchesTheEllipsoid)
{
    const DateTime t(2026, 5, 30, 6, 0, 0, 0);
    const double gmst = t.ToGreenwichSiderealTime(), deg = libsgp4::kPI / 180, r = libsgp4::kXKMPER + 500.0;
    std::vector<libsgp4::Eci> in;
    for (const auto& p : s_geodetic)
        in.emplace_back(t, libsgp4::Vector{p.x, p.y, p.z}, libsgp4::Vector());
    for (const libsgp4::Vector& p :
         {libsgp4::Vector{r, 0, 0}, {0, 0, r}, {0, 0, -r}, {0, -r, 0.1}, {-r / 2, r / 2, r / 3}, {42164.0, 1.0, -7.0}})
        in.emplace_back(t, p, libsgp4::Vector());
    std::vector<libsgp4::CoordGeodetic> lanes(in.size());
    libsgp4::Eci::ToGeodetic(in.data(), lanes.data(), in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const libsgp4::CoordGeodetic one = in[i].ToGeodetic();
        EXPECT_EQ(std::memcmp(&one, &lanes[i], sizeof one), 0) << i;
        if (i >= std::size(s_geodetic))
            continue;
        const auto& p = s_geodetic[i];
        EXPECT_NEAR(one.latitude, p.lat * deg, 1e-9) << p.lat << " " << p.alt;
        EXPECT_NEAR(one.altitude, p.alt, 1e-6) << p.lat << " " << p.alt;
        EXPECT_NEAR(std::remainder(one.longitude + gmst - p.lon * deg, 2 * libsgp4::kPI), 0.0, 1e-9);
    }
}
