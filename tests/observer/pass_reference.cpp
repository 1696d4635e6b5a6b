#include "pass_reference.h"

#include <cmath>

#include "sgp4/SGP4.h"

namespace {

const double s_pi = std::acos(-1.0);
const double s_d2r = s_pi / 180.0;

double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Earth-fixed coordinates of a point given in the orbit code's axes at t.
void to_fixed(const double in[3], const libsgp4::DateTime& t, double out[3])
{
    const double g = t.ToGreenwichSiderealTime();
    out[0] = std::cos(g) * in[0] + std::sin(g) * in[1];
    out[1] = -std::sin(g) * in[0] + std::cos(g) * in[1];
    out[2] = in[2];
}

// Elevation and azimuth (degrees) of an Earth-fixed point.
void el_az(const refObserver_t& o, const double p[3], double* el, double* az)
{
    const double a = 6378.135, f = 1.0 / 298.26, e2 = f * (2.0 - f);
    const double lat = o.latDeg * s_d2r, lon = o.lonDeg * s_d2r, h = o.heightM / 1000.0;
    const double n = a / std::sqrt(1.0 - e2 * std::sin(lat) * std::sin(lat));
    const double obs[3] = {(n + h) * std::cos(lat) * std::cos(lon),
                           (n + h) * std::cos(lat) * std::sin(lon),
                           (n * (1.0 - e2) + h) * std::sin(lat)};
    const double east[3] = {-std::sin(lon), std::cos(lon), 0.0};
    const double north[3] = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon),
                             std::cos(lat)};
    const double up[3] = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon),
                          std::sin(lat)};
    const double d[3] = {p[0] - obs[0], p[1] - obs[1], p[2] - obs[2]};
    const double e = dot(d, east), nn = dot(d, north), u = dot(d, up);
    *el = std::atan2(u, std::hypot(e, nn)) / s_d2r;
    *az = std::fmod(std::atan2(e, nn) / s_d2r + 360.0, 360.0);
}

}  // namespace

void ref_sun(const libsgp4::DateTime& t, double out[3])
{
    const double n = t.ToJulian() - 2451545.0;
    const double L = std::fmod(280.460 + 0.9856474 * n, 360.0);
    const double g = std::fmod(357.528 + 0.9856003 * n, 360.0) * s_d2r;
    const double lam = (L + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * s_d2r;
    const double eps = (23.439 - 0.0000004 * n) * s_d2r;
    const double r = (1.00014 - 0.01671 * std::cos(g) - 0.00014 * std::cos(2 * g)) * 149597870.7;
    out[0] = r * std::cos(lam);
    out[1] = r * std::cos(eps) * std::sin(lam);
    out[2] = r * std::sin(eps) * std::sin(lam);
}

refLook_t ref_look(const libsgp4::SGP4& sgp4, const refObserver_t& obs, const libsgp4::DateTime& t,
                   bool withSun)
{
    refLook_t r{};
    libsgp4::Eci eci;
    libsgp4::PropagationFailure why;
    if (!sgp4.TryFindPosition(t, eci, why))
        return r;
    const double sat[3] = {eci.Position().x, eci.Position().y, eci.Position().z};
    const double vel[3] = {eci.Velocity().x, eci.Velocity().y, eci.Velocity().z};
    // A state that is no orbit of the element set counts as a failure too:
    // unbound, or a semi-major axis (vis-viva) over 1.1 times the elements'.
    const double energy = dot(vel, vel) / 2.0 - 398600.8 / std::sqrt(dot(sat, sat));
    const double aElements = sgp4.Elements().RecoveredSemiMajorAxis() * 6378.135;
    r.ok = energy < 0.0 && -398600.8 / (2.0 * energy) <= 1.1 * aElements;
    if (!r.ok)
        return r;
    double fixed[3];
    to_fixed(sat, t, fixed);
    el_az(obs, fixed, &r.el, &r.az);
    if (!withSun)
        return r;
    double sun[3], sunFixed[3], az;
    ref_sun(t, sun);
    to_fixed(sun, t, sunFixed);
    el_az(obs, sunFixed, &r.sunEl, &az);
    // Shadow: the segment to the Sun passes within the Earth's radius.
    const double d[3] = {sun[0] - sat[0], sun[1] - sat[1], sun[2] - sat[2]};
    double k = -dot(sat, d) / dot(d, d);
    k = std::fmin(1.0, std::fmax(0.0, k));
    const double c[3] = {sat[0] + k * d[0], sat[1] + k * d[1], sat[2] + k * d[2]};
    r.sunlit = std::sqrt(dot(c, c)) >= 6378.135;
    return r;
}

bool ref_passes(const libsgp4::SGP4& sgp4, const refObserver_t& obs,
                const libsgp4::DateTime& start, int64_t lengthUs, double minElDeg,
                std::vector<refPass_t>& out)
{
    bool failed = false;
    // The Sun only matters where the satellite is up.
    auto look = [&](int64_t t) {
        const libsgp4::DateTime at(start.Ticks() + t);
        refLook_t l = ref_look(sgp4, obs, at, false);
        if (l.ok && l.el >= minElDeg)
            l = ref_look(sgp4, obs, at, true);
        failed = failed || !l.ok;
        return l;
    };
    auto visibleAt = [](const refLook_t& l) { return l.sunlit && l.sunEl < -6.0; };
    // The boundary between an instant on one side and one on the other, to
    // a millisecond; returns the instant inside the pass.
    auto edge = [&](int64_t in, int64_t outside) {
        while (std::llabs(in - outside) > 1000) {
            const int64_t mid = in + (outside - in) / 2;
            const refLook_t l = look(mid);
            (l.ok && l.el >= minElDeg ? in : outside) = mid;
        }
        return in;
    };
    bool open = false;
    refPass_t p{};
    refLook_t best{};
    int64_t prevT = 0;
    for (int64_t t = 0;; t = std::min(t + 1000000, lengthUs)) {
        refLook_t l = look(t);
        if (failed)
            return false;
        const bool up = l.el >= minElDeg;
        if (up && !open) {
            open = true;
            p = refPass_t{};
            p.started = t == 0;
            p.aos = t == 0 ? 0 : edge(t, prevT);
            const refLook_t a = look(p.aos);
            p.aosAz = a.az;
            p.visible = visibleAt(a);
            best = a;
            p.tca = p.aos;
        }
        if (open && up) {
            p.visible = p.visible || visibleAt(l);
            if (l.el > best.el) {
                best = l;
                p.tca = t;
            }
        }
        if (open && (!up || t == lengthUs)) {
            p.ends = up;
            p.los = up ? t : edge(prevT, t);
            const refLook_t e = look(p.los);
            p.losAz = e.az;
            p.visible = p.visible || visibleAt(e);
            if (e.el > best.el) {
                best = e;
                p.tca = p.los;
            }
            // The culmination by golden-section search within a second of the
            // best sample, to a millisecond.
            int64_t lo = std::max(p.aos, p.tca - 1000000), hi = std::min(p.los, p.tca + 1000000);
            while (hi - lo > 1000) {
                const int64_t m1 = lo + (hi - lo) * 382 / 1000, m2 = lo + (hi - lo) * 618 / 1000;
                if (look(m1).el < look(m2).el)
                    lo = m1;
                else
                    hi = m2;
            }
            const refLook_t c = look((lo + hi) / 2);
            if (c.el > best.el) {
                best = c;
                p.tca = (lo + hi) / 2;
            }
            p.tcaEl = best.el;
            p.tcaAz = best.az;
            out.push_back(p);
            open = false;
        }
        if (failed)
            return false;
        prevT = t;
        if (t == lengthUs)
            break;
    }
    return true;
}
