#include "sgp4/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sgp4/Constants.h"

namespace libsgp4 {

namespace {

constexpr int64_t kTicksPerDay = 86400000000LL;
constexpr int64_t kUnixEpochTicks = 62135596800000000LL;  // 1970-01-01 from 0001-01-01

// A range violation is a programming error of the caller: stop at once.
[[noreturn]] void dt_fail(const char* what)
{
    std::fprintf(stderr, "sgp4/DateTime: %s\n", what);
    std::abort();
}

const int s_daysInMonth[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
const int s_cumulDays[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

bool yearOk(int year) { return year >= 1 && year <= 9999; }
bool leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 0001-01-01 to 1 January of the year.
int64_t daysBeforeYear(int64_t year)
{
    const int64_t y = year - 1;
    return 365 * y + y / 4 - y / 100 + y / 400;
}

}  // namespace

bool DateTime::IsValid(int year, int month, int day, int hour, int minute, int second,
                       int microsecond)
{
    if (!yearOk(year) || month < 1 || month > 12)
        return false;
    if (day < 1 || day > s_daysInMonth[leap(year)][month])
        return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
           second <= 59 && microsecond >= 0 && microsecond <= 999999;
}

void DateTime::Initialise(int year, int month, int day, int hour, int minute, int second,
                          int microsecond)
{
    if (!IsValid(year, month, day, hour, minute, second, microsecond))
        dt_fail("Invalid date");
    const int64_t days = DayOfYear(year, month, day) + daysBeforeYear(year) - 1;
    m_encoded = kTicksPerDay * days +
                (int64_t(hour) * 3600 + int64_t(minute) * 60 + second) * 1000000LL + microsecond;
}

bool DateTime::IsLeapYear(int year)
{
    if (!yearOk(year))
        dt_fail("Invalid year");
    return leap(year);
}

int DateTime::DaysInMonth(int year, int month)
{
    if (!yearOk(year) || month < 1 || month > 12)
        dt_fail("Invalid year and month");
    return s_daysInMonth[leap(year)][month];
}

int DateTime::DayOfYear(int year, int month, int day)
{
    if (!yearOk(year) || month < 1 || month > 12 || day < 1 ||
        day > s_daysInMonth[leap(year)][month])
        dt_fail("Invalid year, month and day");
    return s_cumulDays[leap(year)][month] + day;
}

DateTime DateTime::FromYearDay(unsigned year, double day)
{
    const double days = double(daysBeforeYear(year)) + day - 1.0;
    return DateTime(int64_t(days * double(kTicksPerDay)));
}

DateTime DateTime::FromUnixMicros(int64_t us)
{
    return DateTime(us + kUnixEpochTicks);
}

DateTime DateTime::Now()
{
    using namespace std::chrono;
    const auto us = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return FromUnixMicros(us.count());
}

DateTime DateTime::AddMinutes(double minutes) const
{
    return DateTime(m_encoded + int64_t(minutes * 60000000.0));
}

double DateTime::MinutesSince(const DateTime& t0) const
{
    return double(m_encoded - t0.m_encoded) / 60000000.0;
}

double DateTime::ToJulian() const
{
    return double(m_encoded) / double(kTicksPerDay) + 1721425.5;
}

double DateTime::ToGreenwichSiderealTime() const
{
    // The map converts every satellite's position at one instant, which the
    // propagator hands back as that instant or a microsecond before it (its
    // minutes are truncated), so the last two instants' values are kept;
    // each depends on the tick count alone.
    static thread_local int64_t s_ticks[2] = {INT64_MIN, INT64_MIN};
    static thread_local double s_gmst[2] = {0.0, 0.0};
    static thread_local int s_older = 0;
    if (m_encoded == s_ticks[0])
        return s_gmst[0];
    if (m_encoded == s_ticks[1])
        return s_gmst[1];
    const double jd = ToJulian();
    const double jd0 = std::floor(jd + 0.5) - 0.5;
    const double t = (jd0 - 2451545.0) / 36525.0;
    const double jdf = jd - jd0;
    double gt = 24110.54841 + t * (8640184.812866 + t * (0.093104 - t * 6.2e-6));
    gt += jdf * 1.00273790935 * 86400.0;
    const int slot = s_older;
    s_older = 1 - slot;
    s_ticks[slot] = m_encoded;
    s_gmst[slot] = Wrap2Pi(gt / 240.0 * kPI / 180.0);
    return s_gmst[slot];
}

void DateTime::Decompose(int& year, int& month, int& day, int& hour, int& minute, int& second,
                         int& microsecond) const
{
    int64_t days = m_encoded / kTicksPerDay;
    int64_t rest = m_encoded % kTicksPerDay;
    if (rest < 0) {
        rest += kTicksPerDay;
        --days;
    }
    // 400-year cycles of 146097 days, then centuries, 4-year cycles and years.
    int64_t y = 1 + 400 * (days / 146097);
    days %= 146097;
    if (days < 0) {
        days += 146097;
        y -= 400;
    }
    int64_t c = days / 36524;
    if (c == 4)
        c = 3;
    days -= c * 36524;
    const int64_t q = days / 1461;
    days -= q * 1461;
    int64_t yy = days / 365;
    if (yy == 4)
        yy = 3;
    days -= yy * 365;
    year = int(y + 100 * c + 4 * q + yy);
    const int lp = leap(year) ? 1 : 0;
    month = 1;
    while (month < 12 && days >= s_cumulDays[lp][month + 1])
        ++month;
    day = int(days - s_cumulDays[lp][month]) + 1;
    hour = int(rest / 3600000000LL);
    rest %= 3600000000LL;
    minute = int(rest / 60000000LL);
    rest %= 60000000LL;
    second = int(rest / 1000000LL);
    microsecond = int(rest % 1000000LL);
}

}  // namespace libsgp4
