// An instant as microseconds since 0001-01-01 00:00:00 UTC (proleptic
// Gregorian calendar, no leap seconds).
#pragma once
#include <cstdint>

namespace libsgp4 {

class DateTime {
public:
    DateTime() = default;
    explicit DateTime(int64_t ticks) : m_encoded(ticks) {}
    DateTime(int year, int month, int day, int hour, int minute, int second, int microsecond)
    {
        Initialise(year, month, day, hour, minute, second, microsecond);
    }

    // Calendar date and time of day; the ranges are preconditions.
    void Initialise(int year, int month, int day, int hour, int minute, int second, int microsecond);
    // True when Initialise would accept the values.
    static bool IsValid(int year, int month, int day, int hour, int minute, int second, int microsecond);
    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);
    static int DayOfYear(int year, int month, int day);

    // Year and day of year with fraction (1.0 = 1 January 00:00).
    static DateTime FromYearDay(unsigned year, double day);
    // Microseconds since 1970-01-01 00:00:00 UTC.
    static DateTime FromUnixMicros(int64_t us);
    // The system clock.
    static DateTime Now();

    int64_t Ticks() const { return m_encoded; }
    DateTime AddMinutes(double minutes) const;
    DateTime AddMicroseconds(int64_t us) const { return DateTime(m_encoded + us); }
    // Minutes from t0 to this instant.
    double MinutesSince(const DateTime& t0) const;
    double ToJulian() const;
    // Greenwich mean sidereal time, radians in [0, 2 pi).
    double ToGreenwichSiderealTime() const;
    // Calendar fields of the instant (for printing).
    void Decompose(int& year, int& month, int& day, int& hour, int& minute, int& second,
                   int& microsecond) const;

private:
    int64_t m_encoded = 0;
};

}  // namespace libsgp4
