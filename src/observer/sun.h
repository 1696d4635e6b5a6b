// The Sun from the low-precision formulas of the astronomical almanac, and
// whether a satellite is in sunlight.
#pragma once

#include "sgp4/Vector.h"

namespace libsgp4 {
class DateTime;
}

constexpr double kSunAstronomicalUnit = 149597870.7;  // km

// The Sun's geocentric position (km) at dt, in the axes of the orbit code.
// With n = JD - 2451545.0: mean longitude L = 280.460 + 0.9856474 n, mean
// anomaly g = 357.528 + 0.9856003 n, ecliptic longitude
// L + 1.915 sin g + 0.020 sin 2g, obliquity 23.439 - 0.0000004 n (degrees),
// distance 1.00014 - 0.01671 cos g - 0.00014 cos 2g astronomical units.
libsgp4::Vector sun_position(const libsgp4::DateTime& dt);
// True when the straight segment from the satellite (km) to the Sun's
// centre stays outside the sphere of the Earth's equatorial radius.
bool sun_sunlit(const libsgp4::Vector& sat, const libsgp4::Vector& sun);
