// One element set as read from an element file, in published units.
#pragma once
#include <cstdint>
#include <string>

struct OrbitalElements_t {
    std::string name;
    uint32_t catalogNumber = 0;
    char classification = 0;
    std::string intlDesignator;
    uint32_t epochYear = 0;          // four digits
    double epochDay = 0.0;           // day of year with fraction, 1.0 = 1 Jan 00:00
    int32_t epochMonth = 0;          // calendar epoch, UTC
    int32_t epochDayOfMonth = 0;
    int32_t epochHour = 0;
    int32_t epochMinute = 0;
    int32_t epochSecond = 0;
    int32_t epochMicrosecond = 0;
    bool epochIsDayOfYear = false;   // true: epochYear + epochDay; false: calendar
    double meanMotionDot = 0.0;      // rev/day^2, divided by 2
    double meanMotionDdot = 0.0;     // rev/day^3, divided by 6
    double bstar = 0.0;              // per earth radius
    uint32_t ephemerisType = 0;
    uint32_t elementSetNumber = 0;
    double inclination = 0.0;        // degrees
    double raan = 0.0;               // degrees
    double eccentricity = 0.0;
    double argPerigee = 0.0;         // degrees
    double meanAnomaly = 0.0;        // degrees
    double meanMotion = 0.0;         // revolutions per day
    uint32_t revNumber = 0;
};
