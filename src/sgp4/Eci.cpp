#include "sgp4/Eci.h"

#include <cmath>

#include "sgp4/Constants.h"

namespace libsgp4 {

namespace {

// Arc tangent of s / c over the full circle, [0, 2 pi) except near the axes.
double acTan(double s, double c)
{
    if (c == 0.0)
        return s > 0.0 ? kPI / 2.0 : 3.0 * kPI / 2.0;
    const double a = std::atan(s / c);
    return c > 0.0 ? a : a + kPI;
}

}  // namespace

CoordGeodetic Eci::ToGeodetic() const
{
    const double e2 = kF * (2.0 - kF);
    const double theta = acTan(m_position.y, m_position.x);
    const double lon = theta - m_dt.ToGreenwichSiderealTime();
    const double w = (lon + kPI) - kTWOPI * std::floor((lon + kPI) / kTWOPI);

    const double r = std::sqrt(m_position.x * m_position.x + m_position.y * m_position.y);
    double lat = acTan(m_position.z, r);
    double c = 1.0;
    for (int pass = 0; pass < 10; ++pass) {
        const double phi = lat;
        const double sphi = std::sin(phi);
        c = 1.0 / std::sqrt(1.0 - e2 * sphi * sphi);
        lat = acTan(m_position.z + kXKMPER * c * e2 * sphi, r);
        if (std::fabs(lat - phi) < 1e-10)
            break;
    }

    CoordGeodetic geo;
    geo.latitude = lat;
    geo.longitude = w - kPI;
    geo.altitude = r / std::cos(lat) - kXKMPER * c;
    return geo;
}

}  // namespace libsgp4
