#include "observer/footprint.h"

#include <cmath>

#include "observer/observer.h"
#include "sgp4/Constants.h"

using libsgp4::kPI;

namespace {

constexpr double s_deg = 180.0 / kPI;
// Distances along the ground are solved to this, radians (0.6 mm).
constexpr double s_tolerance = 1e-10;

// The great circle from the sub-satellite point at one azimuth, and the
// satellite's elevation seen from its points.
struct ray_t {
    double sinLat0, cosLat0, lon0;
    double sinAz, cosAz;
    double sat[3];  // Earth-fixed satellite, km

    // The point at the Earth-central angle d along the circle.
    void At(double d, double* lat, double* lon) const
    {
        const double sd = std::sin(d), cd = std::cos(d);
        const double s = sinLat0 * cd + cosLat0 * sd * cosAz;
        *lat = std::asin(s < -1.0 ? -1.0 : (s > 1.0 ? 1.0 : s));
        *lon = lon0 + std::atan2(sinAz * sd * cosLat0, cd - sinLat0 * s);
    }
    // The satellite's height above the local horizon plane of the point at
    // d (km): the sign of its elevation there, falling through 0 once.
    double Height(double d) const
    {
        double lat, lon;
        At(d, &lat, &lon);
        const observer_t g = obs_make(lat * s_deg, lon * s_deg, 0.0);
        return (sat[0] - g.pos[0]) * g.up[0] + (sat[1] - g.pos[1]) * g.up[1] +
               (sat[2] - g.pos[2]) * g.up[2];
    }
    // The root of Height between the horizon estimate d0 and where it
    // leads: a bracket grown from d0 (Height is h > 0 at 0 and negative at
    // pi), then the Illinois variant of the false position.
    double Horizon(double d0) const
    {
        double step = 0.01;
        double a = d0 - step, b = d0 + step;
        a = a < 0.0 ? 0.0 : a;
        b = b > kPI ? kPI : b;
        double fa = Height(a), fb = Height(b);
        while (fa <= 0.0 && a > 0.0) {
            step *= 2.0;
            b = a;
            fb = fa;
            a = a - step < 0.0 ? 0.0 : a - step;
            fa = Height(a);
        }
        while (fb >= 0.0 && b < kPI) {
            step *= 2.0;
            a = b;
            fa = fb;
            b = b + step > kPI ? kPI : b + step;
            fb = Height(b);
        }
        int side = 0;
        for (int i = 0; i < 100 && b - a > s_tolerance; ++i) {
            double c = (a * fb - b * fa) / (fb - fa);
            if (!(c > a && c < b))
                c = 0.5 * (a + b);
            const double fc = Height(c);
            if (fc > 0.0) {
                a = c;
                fa = fc;
                if (side == 1)
                    fb *= 0.5;
                side = 1;
            } else {
                b = c;
                fb = fc;
                if (side == -1)
                    fa *= 0.5;
                side = -1;
            }
        }
        return 0.5 * (a + b);
    }
};

}  // namespace

bool obs_footprint(point2f_t* out, size_t n, double latitude, double longitude, double altKm)
{
    if (!(altKm > 0.0) || !std::isfinite(altKm) || !std::isfinite(latitude) ||
        !std::isfinite(longitude) || n == 0)
        return false;
    const observer_t sub = obs_make(latitude * s_deg, longitude * s_deg, altKm * 1000.0);
    // Azimuths are undefined at a pole itself: the sub-satellite point moves
    // off it by 6 cm.
    const double limit = kPI / 2.0 - 1e-8;
    const double lat0 = latitude > limit ? limit : (latitude < -limit ? -limit : latitude);
    ray_t ray{std::sin(lat0), std::cos(lat0), longitude, 0.0, 0.0,
              {sub.pos[0], sub.pos[1], sub.pos[2]}};
    // On a sphere of the equatorial radius the horizon lies acos(R / r) away.
    const double d0 = std::acos(libsgp4::kXKMPER / (libsgp4::kXKMPER + altKm));
    double d = d0;
    for (size_t k = 0; k < n; ++k) {
        const double az = 2.0 * kPI * static_cast<double>(k) / static_cast<double>(n);
        ray.sinAz = std::sin(az);
        ray.cosAz = std::cos(az);
        // Each root starts from its neighbour's, a close guess.
        d = ray.Horizon(d);
        double lat, lon;
        ray.At(d, &lat, &lon);
        lon = std::remainder(lon, 2.0 * kPI);
        out[k] = {static_cast<float>(lon), static_cast<float>(lat)};
    }
    return true;
}
