#include "observer/sun.h"

#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/DateTime.h"

using libsgp4::kPI;

namespace {

constexpr double s_rad = kPI / 180.0;

// Degrees reduced to [0, 360) before the conversion, so that the sines keep
// their precision far from the year 2000.
double radians_of(double deg)
{
    return (deg - 360.0 * std::floor(deg / 360.0)) * s_rad;
}

}  // namespace

libsgp4::Vector sun_position(const libsgp4::DateTime& dt)
{
    const double n = dt.ToJulian() - 2451545.0;
    const double l = 280.460 + 0.9856474 * n;
    const double g = radians_of(357.528 + 0.9856003 * n);
    const double lambda = radians_of(l + 1.915 * std::sin(g) + 0.020 * std::sin(2.0 * g));
    const double eps = (23.439 - 0.0000004 * n) * s_rad;
    const double r =
        (1.00014 - 0.01671 * std::cos(g) - 0.00014 * std::cos(2.0 * g)) * kSunAstronomicalUnit;
    libsgp4::Vector sun;
    sun.x = r * std::cos(lambda);
    sun.y = r * std::cos(eps) * std::sin(lambda);
    sun.z = r * std::sin(eps) * std::sin(lambda);
    return sun;
}

bool sun_sunlit(const libsgp4::Vector& sat, const libsgp4::Vector& sun)
{
    // The point of the segment sat + k (sun - sat), k in [0, 1], nearest the
    // Earth's centre.
    const double d[3] = {sun.x - sat.x, sun.y - sat.y, sun.z - sat.z};
    const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const double sd = sat.x * d[0] + sat.y * d[1] + sat.z * d[2];
    double k = dd > 0.0 ? -sd / dd : 0.0;
    k = k < 0.0 ? 0.0 : (k > 1.0 ? 1.0 : k);
    const double p[3] = {sat.x + k * d[0], sat.y + k * d[1], sat.z + k * d[2]};
    const double r2 = libsgp4::kXKMPER * libsgp4::kXKMPER;
    return p[0] * p[0] + p[1] * p[1] + p[2] * p[2] >= r2;
}
