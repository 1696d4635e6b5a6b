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

// Converts L positions side by side. Each lane performs exactly the steps of
// a lone conversion; the lanes only share the loop, so that one lane's
// library calls overlap another's arithmetic in the processor.
template <int L>
void to_geodetic(const Eci* in, CoordGeodetic* out)
{
    const double e2 = kF * (2.0 - kF);
    double z[L], r[L], lat[L], c[L], w[L];
    bool done[L];
    for (int i = 0; i < L; ++i) {
        const Vector& p = in[i].Position();
        const double theta = acTan(p.y, p.x);
        const double lon = theta - in[i].GetDateTime().ToGreenwichSiderealTime();
        w[i] = (lon + kPI) - kTWOPI * std::floor((lon + kPI) / kTWOPI);
        r[i] = std::sqrt(p.x * p.x + p.y * p.y);
        z[i] = p.z;
        lat[i] = acTan(p.z, r[i]);
        c[i] = 1.0;
        done[i] = false;
    }
    for (int pass = 0; pass < 10; ++pass) {
        bool all = true;
        for (int i = 0; i < L; ++i) {
            if (done[i])
                continue;
            const double phi = lat[i];
            const double sphi = std::sin(phi);
            c[i] = 1.0 / std::sqrt(1.0 - e2 * sphi * sphi);
            lat[i] = acTan(z[i] + kXKMPER * c[i] * e2 * sphi, r[i]);
            done[i] = std::fabs(lat[i] - phi) < 1e-10;
            all = all && done[i];
        }
        if (all)
            break;
    }
    for (int i = 0; i < L; ++i) {
        out[i].latitude = lat[i];
        out[i].longitude = w[i] - kPI;
        out[i].altitude = r[i] / std::cos(lat[i]) - kXKMPER * c[i];
    }
}

}  // namespace

CoordGeodetic Eci::ToGeodetic() const
{
    CoordGeodetic geo;
    to_geodetic<1>(this, &geo);
    return geo;
}

void Eci::ToGeodetic(const Eci* in, CoordGeodetic* out, size_t n)
{
    constexpr size_t kLanes = 4;
    size_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        to_geodetic<kLanes>(in + i, out + i);
    for (; i < n; ++i)
        to_geodetic<1>(in + i, out + i);
}

}  // namespace libsgp4
