#include <gtest/gtest.h>

#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/DateTime.h"
#include "sgp4/Eci.h"

using libsgp4::DateTime;

TEST(DateTime, CalendarAndTicks)
{
    EXPECT_EQ(DateTime(1, 1, 1, 0, 0, 0, 0).Ticks(), 0);
    EXPECT_EQ(DateTime(1970, 1, 1, 0, 0, 0, 0).Ticks(), 62135596800000000LL);
    EXPECT_EQ(DateTime::FromUnixMicros(0).Ticks(), 62135596800000000LL);
    EXPECT_EQ(DateTime(9999, 12, 31, 23, 59, 59, 999999).Ticks(), 315537897599999999LL);

    EXPECT_TRUE(DateTime::IsLeapYear(2000));
    EXPECT_FALSE(DateTime::IsLeapYear(1900));
    EXPECT_FALSE(DateTime::IsLeapYear(2100));
    EXPECT_TRUE(DateTime::IsLeapYear(2024));
    EXPECT_EQ(DateTime::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DateTime::DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DateTime::DayOfYear(2024, 3, 1), 61);
    EXPECT_EQ(DateTime::DayOfYear(2023, 12, 31), 365);

    EXPECT_FALSE(DateTime::IsValid(2023, 2, 29, 0, 0, 0, 0));
    EXPECT_TRUE(DateTime::IsValid(2024, 2, 29, 23, 59, 59, 999999));
    EXPECT_FALSE(DateTime::IsValid(2024, 13, 1, 0, 0, 0, 0));
    EXPECT_FALSE(DateTime::IsValid(2024, 1, 1, 0, 75, 0, 0));
    EXPECT_FALSE(DateTime::IsValid(2024, 1, 1, -1, 0, 0, 0));
    EXPECT_FALSE(DateTime::IsValid(2024, 1, 1, 0, 0, 0, 1000000));
    EXPECT_FALSE(DateTime::IsValid(0, 1, 1, 0, 0, 0, 0));
    EXPECT_FALSE(DateTime::IsValid(10000, 1, 1, 0, 0, 0, 0));
}

TEST(DateTime, YearDayJulianAndMinutes)
{
    const DateTime noon(2024, 1, 1, 12, 0, 0, 0);
    EXPECT_EQ(DateTime::FromYearDay(2024, 1.5).Ticks(), noon.Ticks());
    EXPECT_EQ(DateTime::FromYearDay(2024, 61.0).Ticks(), DateTime(2024, 3, 1, 0, 0, 0, 0).Ticks());
    EXPECT_DOUBLE_EQ(DateTime(2000, 1, 1, 12, 0, 0, 0).ToJulian(), 2451545.0);

    EXPECT_EQ(noon.AddMinutes(90.0).Ticks() - noon.Ticks(), 5400000000LL);
    EXPECT_EQ(noon.AddMinutes(-1e-7).Ticks(), noon.Ticks() - 6);  // truncated toward zero
    EXPECT_DOUBLE_EQ(noon.AddMinutes(90.0).MinutesSince(noon), 90.0);

    int y, mo, d, h, mi, s, us;
    DateTime(2024, 2, 29, 23, 59, 58, 123456).Decompose(y, mo, d, h, mi, s, us);
    EXPECT_EQ(y * 10000 + mo * 100 + d, 20240229);
    EXPECT_EQ(h * 10000 + mi * 100 + s, 235958);
    EXPECT_EQ(us, 123456);
    DateTime(2000, 12, 31, 0, 0, 0, 0).Decompose(y, mo, d, h, mi, s, us);
    EXPECT_EQ(y * 10000 + mo * 100 + d, 20001231);
}

TEST(DateTime, SiderealTime)
{
    // GMST at 2000-01-01 12:00 UT1 is 18h 41m 50.54841s = 280.46061837 degrees.
    const double g = DateTime(2000, 1, 1, 12, 0, 0, 0).ToGreenwichSiderealTime();
    EXPECT_NEAR(g * 180.0 / libsgp4::kPI, 280.46061837, 1e-6);
    for (int h = 0; h < 48; h += 5) {
        const double a = DateTime(2026, 5, 30, 0, 0, 0, 0).AddMinutes(h * 60.0).ToGreenwichSiderealTime();
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, libsgp4::kTWOPI);
    }
}

TEST(DateTime, InvalidCalendarStopsTheProgram)
{
    EXPECT_DEATH(DateTime(2023, 2, 29, 0, 0, 0, 0), "sgp4/DateTime: Invalid date");
    EXPECT_DEATH(DateTime::DaysInMonth(2024, 13), "Invalid year and month");
    EXPECT_DEATH(DateTime::IsLeapYear(0), "Invalid year");
    EXPECT_DEATH(DateTime::DayOfYear(2024, 4, 31), "Invalid year, month and day");
}

TEST(Eci, ToGeodetic)
{
    const DateTime t(2026, 5, 30, 6, 0, 0, 0);
    const double g = t.ToGreenwichSiderealTime();
    const double r = libsgp4::kXKMPER + 500.0;
    libsgp4::Vector p;

    // On the Greenwich meridian at the equator, 500 km above the ellipsoid.
    p.x = r * std::cos(g);
    p.y = r * std::sin(g);
    libsgp4::CoordGeodetic geo = libsgp4::Eci(t, p, libsgp4::Vector()).ToGeodetic();
    EXPECT_NEAR(geo.longitude, 0.0, 1e-12);
    EXPECT_NEAR(geo.latitude, 0.0, 1e-12);
    EXPECT_NEAR(geo.altitude, 500.0, 1e-9);

    // The opposite meridian is -pi (up to the rounding of the rotation).
    p.x = -p.x;
    p.y = -p.y;
    geo = libsgp4::Eci(t, p, libsgp4::Vector()).ToGeodetic();
    EXPECT_NEAR(std::fabs(geo.longitude), libsgp4::kPI, 1e-12);
    EXPECT_GE(geo.longitude, -libsgp4::kPI);
    EXPECT_LE(geo.longitude, libsgp4::kPI);

    // 45 degrees north, 90 east: geodetic latitude exceeds the geocentric one.
    p.x = r * std::cos(g + libsgp4::kPI / 2) / std::sqrt(2.0);
    p.y = r * std::sin(g + libsgp4::kPI / 2) / std::sqrt(2.0);
    p.z = r / std::sqrt(2.0);
    geo = libsgp4::Eci(t, p, libsgp4::Vector()).ToGeodetic();
    EXPECT_NEAR(geo.longitude, libsgp4::kPI / 2, 1e-12);
    EXPECT_GT(geo.latitude, libsgp4::kPI / 4);
    EXPECT_LT(geo.latitude, libsgp4::kPI / 4 + 0.004);
    EXPECT_NEAR(geo.altitude, 510.7, 0.5);
}
