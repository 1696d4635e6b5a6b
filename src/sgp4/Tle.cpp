#include "sgp4/Tle.h"

#include <cmath>

#include "sgp4/SatelliteException.h"

namespace libsgp4 {

Tle::Tle(const OrbitalElements_t& el)
    : name(el.name), intlDesignator(el.intlDesignator), catalogNumber(el.catalogNumber)
{
    // An epoch that is no instant of years 1 to 9999 is refused here, before
    // it could reach the calendar's preconditions or overflow the ticks.
    const int year = el.epochYear <= 9999 ? int(el.epochYear) : 0;
    if (el.epochIsDayOfYear) {
        if (year < 1 || !std::isfinite(el.epochDay) || el.epochDay < 0.0 || el.epochDay > 367.0)
            throw SatelliteException("Invalid epoch");
        epoch = DateTime::FromYearDay(unsigned(year), el.epochDay);
    } else {
        if (!DateTime::IsValid(year, el.epochMonth, el.epochDayOfMonth, el.epochHour,
                               el.epochMinute, el.epochSecond, el.epochMicrosecond))
            throw SatelliteException("Invalid epoch");
        epoch.Initialise(year, el.epochMonth, el.epochDayOfMonth, el.epochHour, el.epochMinute,
                         el.epochSecond, el.epochMicrosecond);
    }
    meanMotionDot = el.meanMotionDot;
    meanMotionDdot = el.meanMotionDdot;
    bstar = el.bstar;
    inclination = el.inclination;
    raan = el.raan;
    eccentricity = el.eccentricity;
    argPerigee = el.argPerigee;
    meanAnomaly = el.meanAnomaly;
    meanMotion = el.meanMotion;
    revNumber = el.revNumber;
}

}  // namespace libsgp4
