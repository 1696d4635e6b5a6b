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
    const DateTime later = DateTime(2000, 1, 1, 12, 0, 0, 0).AddMicroseconds(1000000);
    const double gl = later.ToGreenwichSiderealTime();
    const double g2 = later.AddMicroseconds(1000000).ToGreenwichSiderealTime();
    EXPECT_TRUE(g < gl && gl < g2);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(DateTime(2000, 1, 1, 12, 0, 0, 0).ToGreenwichSiderealTime(), g);
        EXPECT_EQ(later.ToGreenwichSiderealTime(), gl);
        EXPECT_EQ(later.AddMicroseconds(1000000).ToGreenwichSiderealTime(), g2);
    }
}

TEST(Eci, ToGeodetic)
{
    const DateTime t(2026, 5, 30, 6, 0, 0, 0);
    const double g = t.ToGreenwichSiderealTime(), r = libsgp4::kXKMPER + 500.0;
    // 500 km above the equator on the Greenwich meridian.
    libsgp4::CoordGeodetic geo = libsgp4::Eci(t, {r * std::cos(g), r * std::sin(g), 0}, {}).ToGeodetic();
    EXPECT_NEAR(geo.longitude, 0.0, 1e-12);
    EXPECT_NEAR(geo.latitude, 0.0, 1e-12);
    EXPECT_NEAR(geo.altitude, 500.0, 1e-9);
    // 45 degrees north: the geodetic latitude exceeds the geocentric one.
    geo = libsgp4::Eci(t, {0, r / std::sqrt(2.0), r / std::sqrt(2.0)}, {}).ToGeodetic();
    EXPECT_GT(geo.latitude, libsgp4::kPI / 4);
    EXPECT_LT(geo.latitude, libsgp4::kPI / 4 + 0.004);
    EXPECT_NEAR(geo.altitude, 510.7, 0.5);
}

TEST(Eci, ToGeodeticArrayGivesTheSameBits)
{
    // Lanes converging after different passes, poles and axes (the arc tangent's
    // special cases); 7 so the last group of lanes is not full.
    const DateTime t(2026, 5, 30, 6, 0, 0, 0);
    const double r = libsgp4::kXKMPER + 500.0;
    const std::vector<libsgp4::Vector> ps = {
        {r, 0, 0}, {0, 0, r}, {0, 0, -r}, {-r / 2, r / 2, r / 3}, {0, -r, 0.1}, {42164.0, 1.0, -7.0},
        {-3000.0, -4000.0, 5000.0}};
    std::vector<libsgp4::Eci> in;
    for (const libsgp4::Vector& p : ps)
        in.emplace_back(t, p, libsgp4::Vector());
    std::vector<libsgp4::CoordGeodetic> out(in.size());
    libsgp4::Eci::ToGeodetic(in.data(), out.data(), in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const libsgp4::CoordGeodetic one = in[i].ToGeodetic();
        EXPECT_EQ(std::memcmp(&one, &out[i], sizeof one), 0) << i;
    }
}
