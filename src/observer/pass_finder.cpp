#include "observer/pass_finder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "objects/objects.h"
#include "observer/propagate.h"
#include "observer/sun.h"
#include "sgp4/Constants.h"
#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"
#include "sgp4/Tle.h"

// The search steps along the window from one evaluated instant to the next
// by the longest step over which the satellite provably stays on the same
// side of the minimum elevation. The quantity followed is
//     h = range * (sin(minimum elevation) - sin(elevation)),
// positive below the minimum and negative above it. Its rates are bounded
// by the speed and acceleration the satellite can reach on its osculating
// orbit (with margins for the model's departures from it); far from the
// observer, longer steps come from the Earth-central angle to the cone of
// directions from which the satellite could be seen, from the angle between
// the observer and the orbit plane, and from the distance the satellite must
// still travel along its orbit before it can enter that cone. Where those
// steps grow short, near a crossing or a near miss, it probes ahead and
// settles what lies between two instants from their values and rates: a
// change of side is refined as a root, an interval the bounds cannot clear
// is searched for its extreme elevation. Inside a pass the steps are capped
// at a sixteenth of the orbit, so that every culmination and every sunlit or
// shadowed spell shows between evaluated instants. Every instant reported
// was evaluated with the orbit model itself.
//
// pass_findAll searches the satellites that the vector lanes take side by
// side, one a lane: each round takes the next main step of every one of
// them with one call to the lanes, each satellite at its own instant, and a
// finished satellite's lane goes to the next. Crossings, culminations and
// near misses are refined between rounds, one instant at a time.

namespace {

using libsgp4::DateTime;
using libsgp4::Eci;
using libsgp4::Vector;

constexpr double kPi = libsgp4::kPI;
constexpr double kMu = kPropGm;
constexpr double kEarthRadius = libsgp4::kXKMPER;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int64_t kSecond = 1000000;  // microseconds
// Crossings and culminations are refined to this, in microseconds.
constexpr int64_t kRootTol = 1000;
// The Sun's elevation below which the sky counts as dark, and a bound of
// its rate (the Earth's rotation and the Sun's own motion), rad/s.
constexpr double kTwilight = -6.0 * kPi / 180.0;
constexpr double kSunRate = 7.5e-5;
// A satellite whose osculating perigee comes this close (km) to the radius
// at which the model reports decay is evaluated at each perigee.
constexpr double kDecayWatch = 30.0;
// Intervals the bounds cannot clear are split at most this often.
constexpr int kMaxSplit = 12;

// One evaluated instant.
struct pt_t {
    int64_t t;         // microseconds from the window's start
    double g;          // sin(elevation) - sin(minimum elevation): >= 0 in a pass
    double dg;         // its rate, 1/s
    double east, north, up;  // observer-to-satellite vector in the local frame, km
    double range;      // km
    double rangeRate;  // km/s
    double azRate;     // azimuth rate, rad/s
    Vector teme;       // satellite position, km
    double cosPsi;     // cosine of the Earth-central angle to the observer
    double dCosPsi;    // its rate, 1/s
    double cosCone;    // cosine of the visibility cone's half-angle at raHi
    double cone;       // that half-angle, rad
    double cosInner;   // cosine of the cone inside which it is surely up
    double sinPlane;      // sine of the observer's angle from the orbit plane
    double sinPlaneRate;  // bound of its rate, 1/s
    // Along the orbit, the satellite is atan2(along, cosPsi) ahead of the
    // observer's projection on the plane (negative: still to come).
    double along;
    // Bounds over the osculating orbit of this state: Earth-fixed speed
    // (km/s) and acceleration (km/s^2), least range (km) and the greatest
    // rate of the Earth-central angle (rad/s), of |(cos psi)''| (1/s^2) and
    // of -(cos psi)'' where cos psi >= 0 (1/s^2); least and greatest rates
    // of the satellite's motion along its orbit (rad/s).
    double speed, accel, rangeMin, angRate, cosAccel, cosAccelNear, turnMin, turnMax;
    double perigee;    // osculating perigee radius, km
    double apogee;     // osculating apogee radius, km
    double cosIncl;    // cosine of the osculating inclination
    double toPerigee;  // seconds to the next perigee, or infinity
    bool bounded;      // false for an unbound osculating orbit (no step bounds)

    bool isUp() const { return g >= 0.0; }
    double h() const { return -range * g; }
    double dh() const { return -(rangeRate * g + range * dg); }
    double azimuth() const
    {
        double a = std::atan2(east, north);
        if (a < 0.0)
            a += 2.0 * kPi;
        return a == 0.0 || !(a < 2.0 * kPi) ? 0.0 : a;
    }
    double elevation() const { return std::atan2(up, std::sqrt(east * east + north * north)); }
};

double norm(const double v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// The longest time over which f, positive with the given rate and a second
// derivative of at least -m, stays positive.
double quad_step(double f, double rate, double m)
{
    return (rate + std::sqrt(rate * rate + 2.0 * m * f)) / m;
}

// A step in seconds as microseconds within [lo, hi]; NaN gives lo.
int64_t to_micros(double seconds, int64_t lo, int64_t hi)
{
    if (!(seconds * 1e6 > double(lo)))
        return std::min(lo, hi);
    if (seconds * 1e6 >= double(hi))
        return hi;
    return static_cast<int64_t>(seconds * 1e6);
}

class PassSearch {
public:
    PassSearch(const libsgp4::SGP4& sgp4, const passWindow_t& w, std::vector<pass_t>& out)
        : m_sgp4(sgp4), m_w(w), m_out(out)
    {
        const observer_t& o = w.observer;
        m_sinMin = std::sin(w.minElevation);
        m_obsRadius = norm(o.pos);
        // The geocentric direction of the observer and its angle to the
        // ellipsoid normal: elevations measured from either differ by at most
        // that angle.
        for (int i = 0; i < 3; ++i)
            m_obsDir[i] = o.pos[i] / m_obsRadius;
        const double c = m_obsDir[0] * o.up[0] + m_obsDir[1] * o.up[1] + m_obsDir[2] * o.up[2];
        m_normalTilt = std::acos(std::min(1.0, c));
        m_obsCosLat = std::sqrt(m_obsDir[0] * m_obsDir[0] + m_obsDir[1] * m_obsDir[1]);
        const double least = w.minElevation - m_normalTilt - 1e-4;
        m_cosLeast = std::cos(least);
        m_sinLeast = std::sin(least);
        const double most = w.minElevation + m_normalTilt + 1e-4;
        m_cosMost = std::cos(most);
        m_sinMost = std::sin(most);
    }

    // The search in main steps, so that many satellites can be searched
    // side by side: Want is the instant (from the window's start) whose state
    // the next step needs, or -1 once the search is over; Take gives it that
    // state (null where the propagation failed) and returns false when the
    // search failed. Refinements between steps propagate their own instants.
    // Passes go to the output as they close.
    int64_t Want() const { return m_want; }
    bool Take(const Eci* state);
    // The whole search, one instant at a time.
    bool Run();
    uint64_t Propagations() const { return m_props; }

private:
    // full: also the bounds for steps from p (not needed for refinements).
    bool Eval(int64_t t, pt_t* p, bool full = true);
    void Look(int64_t t, const Eci& eci, pt_t* p, bool full) const;
    bool Begin(const pt_t& a);
    bool Step(const pt_t& b);
    bool Plan();
    void Bounds(const Vector& r, const Vector& v, pt_t* p) const;
    double SafeStep(const pt_t& p, bool backward) const;
    bool Covered(const pt_t& a, const pt_t& b) const;
    bool NeverVisible(const pt_t& p) const;
    bool Crossing(const pt_t& x, const pt_t& y, pt_t* out);
    bool Extremum(const pt_t& a, const pt_t& b, double sign, bool full, pt_t* out);
    bool Examine(const pt_t& a, const pt_t& b, int depth);
    bool Transition(const pt_t& c);
    void Keep(const pt_t& p)
    {
        if (m_open)
            m_pts.push_back(p);
    }
    bool Close(const pt_t& los, unsigned flags);
    bool Visible(const pt_t* pts, size_t n, bool* visible);
    double SunElevation(int64_t t) const;
    int64_t SunLowest(int64_t lo, int64_t hi) const;

    const libsgp4::SGP4& m_sgp4;
    const passWindow_t& m_w;
    std::vector<pass_t>& m_out;
    double m_sinMin = 0.0;
    double m_obsRadius = 0.0;
    double m_obsDir[3] = {0.0, 0.0, 0.0};
    double m_normalTilt = 0.0;
    double m_obsCosLat = 1.0;  // cosine of the observer's geocentric latitude
    // The least and greatest elevations over the geocentric horizon that
    // the minimum can mean (the normal and the geocentric direction differ
    // by the tilt).
    double m_cosLeast = 1.0, m_sinLeast = 0.0, m_cosMost = 1.0, m_sinMost = 0.0;
    int64_t m_probe = 0;  // microseconds
    int64_t m_cap = 0;    // longest step inside a pass, microseconds
    uint64_t m_props = 0;

    // The main steps: the state they go from, the instant wanted next and
    // whether the bounds cover the step to it.
    enum { kFirst, kSteps, kLast } m_phase = kFirst;
    pt_t m_a{};
    int64_t m_want = 0;
    bool m_sure = false;

    bool m_open = false;
    unsigned m_openFlags = 0;
    std::vector<pt_t> m_pts;  // evaluated instants of the open pass, AOS first
    // The Sun's elevation along a pass: at its instants (p) or between them.
    struct sunAt_t {
        int64_t t;
        double el;
        const pt_t* p;
    };
    std::vector<sunAt_t> m_sky;
};

bool PassSearch::Eval(int64_t t, pt_t* p, bool full)
{
    const DateTime at(m_w.start.Ticks() + t);
    Eci eci;
    bool ok = false;
    ++m_props;
    if (prop_states(m_sgp4, &at, 1, &eci, &ok) == 0)
        return false;
    Look(t, eci, p, full);
    return true;
}

// The look from the observer at the state eci of instant t.
void PassSearch::Look(int64_t t, const Eci& eci, pt_t* p, bool full) const
{
    const DateTime at(m_w.start.Ticks() + t);
    double pos[3], vel[3];
    obs_toEarthFixed(eci.Position(), eci.Velocity(), at.ToGreenwichSiderealTime(), pos, vel);
    const observer_t& o = m_w.observer;
    const double d[3] = {pos[0] - o.pos[0], pos[1] - o.pos[1], pos[2] - o.pos[2]};
    p->t = t;
    p->east = d[0] * o.east[0] + d[1] * o.east[1];
    p->north = d[0] * o.north[0] + d[1] * o.north[1] + d[2] * o.north[2];
    p->up = d[0] * o.up[0] + d[1] * o.up[1] + d[2] * o.up[2];
    p->range = std::max(norm(d), 1e-6);
    p->rangeRate = (d[0] * vel[0] + d[1] * vel[1] + d[2] * vel[2]) / p->range;
    const double upRate = vel[0] * o.up[0] + vel[1] * o.up[1] + vel[2] * o.up[2];
    const double eastRate = vel[0] * o.east[0] + vel[1] * o.east[1];
    const double northRate = vel[0] * o.north[0] + vel[1] * o.north[1] + vel[2] * o.north[2];
    const double hor2 = p->east * p->east + p->north * p->north;
    p->azRate = hor2 > 0.0 ? (eastRate * p->north - northRate * p->east) / hor2 : kInf;
    const double s = p->up / p->range;
    p->g = s - m_sinMin;
    p->dg = (upRate - s * p->rangeRate) / p->range;
    p->teme = eci.Position();
    p->bounded = false;
    if (!full)
        return;
    // The Earth-central angle between satellite and observer: its cosine
    // c = s . u and c' = (v . u - c (s . v)) / r for the direction s.
    const double r = norm(pos);
    p->cosPsi = (pos[0] * m_obsDir[0] + pos[1] * m_obsDir[1] + pos[2] * m_obsDir[2]) / r;
    const double vu = vel[0] * m_obsDir[0] + vel[1] * m_obsDir[1] + vel[2] * m_obsDir[2];
    const double sv = (pos[0] * vel[0] + pos[1] * vel[1] + pos[2] * vel[2]) / r;
    p->dCosPsi = (vu - p->cosPsi * sv) / r;
    // The orbit's normal n = pos x (inertial velocity) in Earth-fixed axes
    // turns with the Earth about z, at most 3e-6 rad/s more with the
    // precession of the node; the observer lies asin |u . n| from the plane,
    // and |(u . n)'| <= w sin(inclination) cos(observer's latitude).
    const double iv[3] = {vel[0] - kObsEarthRate * pos[1], vel[1] + kObsEarthRate * pos[0], vel[2]};
    const double n[3] = {pos[1] * iv[2] - pos[2] * iv[1], pos[2] * iv[0] - pos[0] * iv[2],
                         pos[0] * iv[1] - pos[1] * iv[0]};
    const double nn = norm(n);
    p->sinPlane = std::fabs(n[0] * m_obsDir[0] + n[1] * m_obsDir[1] + n[2] * m_obsDir[2]) / nn;
    const double sinIncl = std::sqrt(n[0] * n[0] + n[1] * n[1]) / nn;
    // The observer's projection on the plane lies atan2(-u . t, u . s) behind
    // the satellite, t = n x s the direction of motion.
    const double t3[3] = {n[1] * pos[2] - n[2] * pos[1], n[2] * pos[0] - n[0] * pos[2],
                          n[0] * pos[1] - n[1] * pos[0]};
    p->along = -(t3[0] * m_obsDir[0] + t3[1] * m_obsDir[1] + t3[2] * m_obsDir[2]) / (nn * r);
    p->sinPlaneRate = kObsEarthRate * std::min(1.0, sinIncl + 0.01) * m_obsCosLat + 3e-6;
    Bounds(eci.Position(), eci.Velocity(), p);
}

// Bounds of the speed and acceleration reachable on the osculating orbit of
// the state (r, v), turned into bounds of |h'| and |h''|. The margins cover
// the model's departures from a Keplerian orbit over one step: short-period
// and lunar-solar terms, drag.
void PassSearch::Bounds(const Vector& r, const Vector& v, pt_t* p) const
{
    const double rr = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
    const double v2 = v.x * v.x + v.y * v.y + v.z * v.z;
    const double hv[3] = {r.y * v.z - r.z * v.y, r.z * v.x - r.x * v.z, r.x * v.y - r.y * v.x};
    const double h = norm(hv);
    const double invA = 2.0 / rr - v2 / kMu;
    p->toPerigee = kInf;
    p->cosIncl = h > 0.0 ? hv[2] / h : 1.0;
    p->bounded = invA > 0.0 && std::isfinite(invA);
    if (!p->bounded) {
        p->speed = p->accel = p->angRate = p->cosAccel = p->cosAccelNear = p->turnMax = kInf;
        p->turnMin = 0.0;
        p->rangeMin = 0.0;
        p->perigee = rr;
        p->apogee = kInf;
        p->cosCone = -1.0;
        p->cone = kPi;
        p->cosInner = 2.0;
        return;
    }
    const double a = 1.0 / invA;
    const double e = std::sqrt(std::max(0.0, 1.0 - h * h * invA / kMu));
    p->perigee = a * (1.0 - e);
    p->apogee = a * (1.0 + e);
    const double rpLo = std::max(p->perigee * 0.997 - 5.0, 0.5 * kEarthRadius);
    const double raHi = p->apogee * 1.003 + 5.0;
    const double w = kObsEarthRate;
    const double vIn = h / rpLo * 1.01;
    const double vFixed = vIn + w * raHi;
    const double acc = kMu / (rpLo * rpLo) * 1.01 + 2.0 * w * vIn + w * w * raHi;
    // The cone outside which the satellite, no farther than raHi, is below
    // the least geocentric elevation the minimum allows: half-angle
    // acos(x) - e with x = R cos(e) / raHi.
    const double x = m_obsRadius * m_cosLeast / raHi;
    p->cosCone = x >= 1.0 ? 1.0 : x * m_cosLeast + std::sqrt(1.0 - x * x) * m_sinLeast;
    p->cone = std::acos(p->cosCone);
    // Inside this one the satellite, no nearer than rpLo, is above the
    // greatest geocentric elevation the minimum can mean.
    const double xi = m_obsRadius * m_cosMost / rpLo;
    p->cosInner = xi >= 1.0 ? 2.0 : xi * m_cosMost + std::sqrt(1.0 - xi * xi) * m_sinMost;
    p->speed = vFixed;
    p->accel = acc;
    p->rangeMin = std::max(rpLo - m_obsRadius, 10.0);
    p->angRate = h / (rpLo * rpLo) * 1.01 + w;
    // The satellite's direction turns at theta' = h / r^2 in its plane,
    // theta'' = -2 h r' / r^3 with |r'| <= mu e / h, and the Earth turns
    // under it: |s''| <= (theta' + w)^2 + |theta''|.
    const double thetaAccel = 2.2 * kMu * e / (rpLo * rpLo * rpLo);
    p->cosAccel = p->angRate * p->angRate * 1.02 + thetaAccel;
    // (cos psi)'' = -theta'^2 cos psi + terms of theta'', of the Earth's
    // rotation and (a percent of theta'^2) of the departures from a fixed
    // plane: where cos psi >= 0 only these can pull it upwards.
    const double theta = h / (rpLo * rpLo) * 1.01;
    p->cosAccelNear = thetaAccel + 2.1 * w * theta + w * w + 0.01 * theta * theta;
    p->turnMax = theta;
    p->turnMin = h / (raHi * raHi) * 0.99;

    if (p->perigee < kEarthRadius + kDecayWatch && e > 0.0) {
        // Time to the next perigee from the eccentric anomaly.
        const double rv = r.x * v.x + r.y * v.y + r.z * v.z;
        const double ecosE = 1.0 - rr * invA;
        const double esinE = rv / std::sqrt(kMu * a);
        const double bigE = std::atan2(esinE, ecosE);
        double m = bigE - esinE;
        if (m < 0.0)
            m += 2.0 * kPi;
        const double n = std::sqrt(kMu * invA * invA * invA);
        p->toPerigee = (2.0 * kPi - m) / n;
    }
}

// Seconds over which h provably keeps its sign, forward or backward from p:
// the longest of the steps allowed by the bound of |h'|, by the value, rate
// and bound of |h''|, and by the Earth-central angle: below the minimum,
// how far the satellite is from the visibility cone (and its orbit from the
// observer) and how fast that can close; above it, how deep it is inside
// the cone where it is surely up.
double PassSearch::SafeStep(const pt_t& p, bool backward) const
{
    if (!p.bounded)
        return 0.0;
    const double h = p.h();
    const double f = std::fabs(h);
    double rate = h > 0.0 ? p.dh() : -p.dh();
    if (backward)
        rate = -rate;
    const double se = std::fabs(m_sinMin);
    // |h''| <= |a| (1 + se) + se v^2 / range.
    auto quadH = [&](double rangeLo) {
        return quad_step(f, rate, p.accel * (1.0 + se) + p.speed * p.speed * se / rangeLo);
    };
    double step = std::max(f / (p.speed * (1.0 + se)), quadH(p.rangeMin));
    // Within range / (2 speed) the range stays above half its value.
    const double near = p.range / (2.0 * p.speed);
    if (p.range / 2.0 > p.rangeMin)
        step = std::max(step, std::min(quadH(p.range / 2.0), near));
    // The whole orbit plane far from the observer: the satellite stays out of
    // the cone until the plane comes near (allowing 0.002 rad for the
    // short-period wobble of the osculating plane).
    if (h > 0.0 && p.cosCone > -1.0) {
        const double reach = p.cone + 0.002;
        if (reach < kPi / 2.0 && p.sinPlane > std::sin(reach))
            step = std::max(step, (p.sinPlane - std::sin(reach)) / p.sinPlaneRate);
    }
    // Along the orbit: the satellite enters the cone only within the cone's
    // angle of the observer's projection on the plane (cos psi = cos d
    // cos du for the angle d from the plane), and du changes at the
    // satellite's rate along the orbit less the projection's, which moves at
    // most (w cos(latitude) + precession) / cos d. Where du only grows, a
    // satellite that has passed must go round first.
    if (h > 0.0 && p.cosCone > -1.0) {
        const double cone = p.cone + 0.003;
        const double cosPlane = std::max(0.05, std::sqrt(1.0 - p.sinPlane * p.sinPlane));
        const double drift = (kObsEarthRate * m_obsCosLat + 3e-6) / cosPlane;
        const double du = std::atan2(p.along, p.cosPsi) * (backward ? -1.0 : 1.0);
        if (std::fabs(du) > cone) {
            const bool onward = p.turnMin > drift;
            const double gap = !onward ? std::fabs(du) - cone
                               : du > 0.0 ? 2.0 * kPi - cone - du
                                          : -cone - du;
            step = std::max(step, gap / ((p.turnMax + drift) * 1.02));
        }
    }
    if (h <= 0.0 && p.cosPsi > p.cosInner) {
        // Inside the inner cone: up until cos psi falls to its edge.
        const double rc = backward ? -p.dCosPsi : p.dCosPsi;
        step = std::max(step, quad_step(p.cosPsi - p.cosInner, rc, p.cosAccel));
    }
    if (h > 0.0 && p.cosPsi < p.cosCone) {
        // Outside the cone: its angle closes no faster than angRate, and
        // F = cos(cone) - cos(psi) has |F''| <= cosAccel.
        step = std::max(step, (std::acos(p.cosPsi) - p.cone) / p.angRate);
        const double fc = p.cosCone - p.cosPsi;
        const double rc = backward ? p.dCosPsi : -p.dCosPsi;
        step = std::max(step, quad_step(fc, rc, p.cosAccel));
        if (p.cosCone > 0.0) {
            // Where cos psi >= 0, F'' >= -cosAccelNear. Reaching the cone
            // after cos psi was last 0 (F = cos(cone), F' >= -angRate) takes
            // at least fromZero, and cos psi needs -cos psi / angRate to get
            // back to 0 when below it now.
            const double fromZero = quad_step(p.cosCone, -p.angRate, p.cosAccelNear);
            if (p.cosPsi >= 0.0)
                step = std::max(step, std::min(quad_step(fc, rc, p.cosAccelNear), fromZero));
            else
                step = std::max(step, -p.cosPsi / p.angRate + fromZero);
        }
    }
    return step;
}

// True when a and b (same side) provably have no crossing between them.
bool PassSearch::Covered(const pt_t& a, const pt_t& b) const
{
    return SafeStep(a, false) + SafeStep(b, true) >= double(b.t - a.t) / 1e6;
}

// True when the orbit of p can never bring the satellite up to the minimum
// elevation within a month: too low for it, or every latitude it reaches
// lies farther from the observer than the visibility cone at its greatest
// radius. The margins cover a month of perturbations.
bool PassSearch::NeverVisible(const pt_t& p) const
{
    if (!p.bounded || p.perigee < kEarthRadius + kDecayWatch)
        return false;
    const double deg = kPi / 180.0;
    const double elev = std::atan2(m_sinLeast, m_cosLeast) - 0.1 * deg;
    const double c = m_obsRadius * std::cos(elev) / (p.apogee * 1.02 + 50.0);
    if (c >= 1.0)
        return true;
    const double cone = std::acos(c) - elev;
    const double incl = std::acos(std::max(-1.0, std::min(1.0, p.cosIncl)));
    const double maxLat = std::min(incl, kPi - incl) + 0.5 * deg;
    const double obsLat = std::asin(std::max(-1.0, std::min(1.0, m_obsDir[2])));
    return std::fabs(obsLat) - maxLat > cone;
}

// The root of g between x and y (opposite sides) to kRootTol: Newton steps
// from the better end, kept inside the bracket, else false position or
// bisection. *out is the last instant evaluated or the bracket end nearer
// the root.
bool PassSearch::Crossing(const pt_t& x, const pt_t& y, pt_t* out)
{
    pt_t lo = x, hi = y;  // lo earlier
    for (int iter = 0; iter < 64; ++iter) {
        if (hi.t - lo.t <= kRootTol)
            break;
        const pt_t& near = std::fabs(lo.g) < std::fabs(hi.g) ? lo : hi;
        double t = double(near.t) - near.g / near.dg * 1e6;
        const bool newtonOk = std::isfinite(t) && t > double(lo.t) && t < double(hi.t);
        if (!newtonOk || iter >= 6)
            t = double(lo.t) + double(hi.t - lo.t) * (lo.g / (lo.g - hi.g));
        if (!(t > double(lo.t) && t < double(hi.t)) || iter >= 12)
            t = 0.5 * (double(lo.t) + double(hi.t));
        int64_t ti = static_cast<int64_t>(std::llround(t));
        ti = std::min(std::max(ti, lo.t + 1), hi.t - 1);
        pt_t m;
        if (!Eval(ti, &m, false))
            return false;
        if (m.dg != 0.0 && std::fabs(m.g / m.dg) * 1e6 < kRootTol / 4) {
            *out = m;
            return true;
        }
        if (m.isUp() == lo.isUp())
            lo = m;
        else
            hi = m;
    }
    *out = std::fabs(lo.g) < std::fabs(hi.g) ? lo : hi;
    return true;
}

// Where sign * g has its peak between a and b, from the cubic through the
// values and rates at both ends (sign * g' positive at a, negative at b):
// the root of its derivative, as a fraction of the interval.
double hermite_peak(const pt_t& a, const pt_t& b, double sign)
{
    const double h = double(b.t - a.t) / 1e6;
    const double f0 = sign * a.g, f1 = sign * b.g, d0 = sign * a.dg * h, d1 = sign * b.dg * h;
    // p'(x) = qa x^2 + qb x + d0 with p'(0) = d0 > 0 > p'(1) = d1: one root
    // in (0, 1), the larger one when qa < 0. Written to keep precision when
    // qa is tiny (an almost quadratic p).
    const double qa = 6.0 * (f0 - f1) + 3.0 * (d0 + d1);
    const double qb = -6.0 * (f0 - f1) - 4.0 * d0 - 2.0 * d1;
    const double disc = std::sqrt(std::max(0.0, qb * qb - 4.0 * qa * d0));
    const double q = qb >= 0.0 ? -0.5 * (qb + disc) : -0.5 * (qb - disc);
    const double x1 = q != 0.0 ? d0 / q : 0.5, x2 = qa != 0.0 ? q / qa : -1.0;
    if (x1 > 0.0 && x1 < 1.0)
        return x1;
    return x2 > 0.0 && x2 < 1.0 ? x2 : 0.5;
}

// The extreme of g between a and b where sign * g' falls from positive to
// negative (sign +1: greatest elevation, -1: least): the root of g', each
// step at the peak of the cubic through the bracket's values and rates
// (false position once that stalls, then bisection), to about a
// millisecond. *out is the evaluated instant with the most extreme g.
bool PassSearch::Extremum(const pt_t& a, const pt_t& b, double sign, bool full, pt_t* out)
{
    pt_t lo = a, hi = b;
    pt_t best = sign * a.g >= sign * b.g ? a : b;
    int64_t last = -1, tol = kRootTol;
    for (int iter = 0; iter < 60 && hi.t - lo.t > kRootTol; ++iter) {
        double t = double(lo.t) + double(hi.t - lo.t) * hermite_peak(lo, hi, sign);
        if (iter >= 6)
            t = double(lo.t) + double(hi.t - lo.t) * (lo.dg / (lo.dg - hi.dg));
        if (!(t > double(lo.t) && t < double(hi.t)) || iter >= 12)
            t = 0.5 * (double(lo.t) + double(hi.t));
        const int64_t ti = std::min(std::max(int64_t(std::llround(t)), lo.t + 1), hi.t - 1);
        // The estimate no longer moves: the last instant evaluated is it. The
        // tolerance keeps the azimuth there within about 0.02 degrees (the
        // greatest elevation moves far less).
        if (last >= 0 && std::llabs(ti - last) <= tol)
            break;
        pt_t m;
        if (!Eval(ti, &m, full))
            return false;
        if (sign * m.g > sign * best.g)
            best = m;
        last = ti;
        tol = std::max(kRootTol, to_micros(3e-4 / std::fabs(m.azRate), 0, 200000));
        (sign * m.dg > 0.0 ? lo : hi) = m;
        if (m.dg == 0.0)
            break;
    }
    *out = best;
    return true;
}

// Settles the interval between a and b, on the same side, that the bounds
// could not clear: finds the extreme elevation inside (or splits it) until
// either a pair of crossings shows up or every part is cleared.
bool PassSearch::Examine(const pt_t& a, const pt_t& b, int depth)
{
    if (Covered(a, b) || depth >= kMaxSplit || b.t - a.t <= 2 * kRootTol)
        return true;
    // Below the minimum, look for the greatest elevation; above, the least.
    const double sign = a.isUp() ? -1.0 : 1.0;
    pt_t m;
    if (sign * a.dg > 0.0 && sign * b.dg < 0.0) {
        if (!Extremum(a, b, sign, true, &m))
            return false;
    } else if (!Eval(a.t + (b.t - a.t) / 2, &m)) {
        return false;
    }
    if (m.isUp() != a.isUp()) {
        pt_t c1, c2;
        if (!Crossing(a, m, &c1) || !Transition(c1))
            return false;
        Keep(m);
        return Crossing(m, b, &c2) && Transition(c2);
    }
    if (!Examine(a, m, depth + 1))
        return false;
    Keep(m);
    return Examine(m, b, depth + 1);
}

// A crossing: opens a pass at it or closes the open one.
bool PassSearch::Transition(const pt_t& c)
{
    if (!m_open) {
        m_open = true;
        m_openFlags = 0;
        m_pts.clear();
        m_pts.push_back(c);
        return true;
    }
    return Close(c, 0);
}

double PassSearch::SunElevation(int64_t t) const
{
    const DateTime at(m_w.start.Ticks() + t);
    return obs_look(m_w.observer, sun_position(at), Vector(), at).elevation;
}

// The instant of the Sun's lowest elevation between lo and hi, to a second,
// by golden-section search (one minimum there).
int64_t PassSearch::SunLowest(int64_t lo, int64_t hi) const
{
    const double r = 0.6180339887498949;
    int64_t m1 = hi - static_cast<int64_t>(r * double(hi - lo));
    int64_t m2 = lo + static_cast<int64_t>(r * double(hi - lo));
    double f1 = SunElevation(m1), f2 = SunElevation(m2);
    while (hi - lo > kSecond) {
        if (f1 < f2) {
            hi = m2;
            m2 = m1;
            f2 = f1;
            m1 = hi - static_cast<int64_t>(r * double(hi - lo));
            f1 = SunElevation(m1);
        } else {
            lo = m1;
            m1 = m2;
            f1 = f2;
            m2 = lo + static_cast<int64_t>(r * double(hi - lo));
            f2 = SunElevation(m2);
        }
    }
    return lo + (hi - lo) / 2;
}

// Whether some instant of the pass has the satellite sunlit under a dark
// sky. The Sun's elevation is followed on the pass's instants and every ten
// minutes between them; the satellite is tested at its evaluated instants
// under a dark sky and at each edge of a dark part of the pass. Sunlit and
// shadowed spells last far longer than the steps inside a pass, so a spell
// that touches a dark part contains one of those instants.
bool PassSearch::Visible(const pt_t* pts, size_t n, bool* visible)
{
    *visible = false;
    auto lit = [&](const pt_t& p) {
        return sun_sunlit(p.teme, sun_position(DateTime(m_w.start.Ticks() + p.t)));
    };
    // The Sun's elevation changes no faster than the Earth turns (and the
    // Sun moves): a pass whose ends settle it lies wholly in daylight or
    // twilight, or wholly under a dark sky.
    const double first = SunElevation(pts[0].t), last = SunElevation(pts[n - 1].t);
    const double slack = kSunRate * double(pts[n - 1].t - pts[0].t) / 1e6;
    if ((first + last - slack) / 2.0 >= kTwilight)
        return true;
    if ((first + last + slack) / 2.0 < kTwilight) {
        for (size_t i = 0; i < n && !*visible; ++i)
            *visible = lit(pts[i]);
        return true;
    }
    std::vector<sunAt_t>& sky = m_sky;
    sky.clear();
    const int64_t grid = 600 * kSecond;
    for (size_t i = 0; i < n; ++i) {
        sky.push_back({pts[i].t, SunElevation(pts[i].t), &pts[i]});
        if (i + 1 < n)
            for (int64_t t = pts[i].t + grid; t < pts[i + 1].t; t += grid)
                sky.push_back({t, SunElevation(t), nullptr});
    }
    auto sunlitAt = [&](int64_t t, bool* lit) {
        pt_t p;
        if (!Eval(t, &p, false))
            return false;
        *lit = sun_sunlit(p.teme, sun_position(DateTime(m_w.start.Ticks() + t)));
        return true;
    };
    // The dark instant nearest the twilight crossing between two instants.
    auto darkEdge = [&](int64_t tl, int64_t td) {
        while (std::llabs(td - tl) > kRootTol) {
            const int64_t mid = tl + (td - tl) / 2;
            (SunElevation(mid) < kTwilight ? td : tl) = mid;
        }
        return td;
    };
    for (size_t i = 0; i < sky.size() && !*visible; ++i) {
        const sunAt_t& s = sky[i];
        if (s.el < kTwilight && s.p && lit(*s.p)) {
            *visible = true;
            break;
        }
        if (i + 1 == sky.size())
            break;
        const sunAt_t& next = sky[i + 1];
        const bool darkNow = s.el < kTwilight, darkNext = next.el < kTwilight;
        if (darkNow != darkNext) {
            const int64_t edge = darkNow ? darkEdge(next.t, s.t) : darkEdge(s.t, next.t);
            if (!sunlitAt(edge, visible))
                return false;
        } else if (!darkNow && i > 0 && s.el < sky[i - 1].el && s.el <= next.el) {
            // The Sun is lowest near here: it may dip into the dark between
            // the neighbours.
            const int64_t low = SunLowest(sky[i - 1].t, next.t);
            if (SunElevation(low) < kTwilight && !sunlitAt(low, visible))
                return false;
        }
    }
    return true;
}

// Ends the open pass at los: its greatest elevation among the evaluated
// instants and the refined culminations between them, and its flags.
bool PassSearch::Close(const pt_t& los, unsigned flags)
{
    // The pass's instants were kept in time order as they were evaluated.
    m_open = false;
    std::vector<pt_t>& pts = m_pts;
    pts.push_back(los);
    const pt_t aos = pts.front();
    size_t bestIndex = 0;
    for (size_t i = 1; i < pts.size(); ++i)
        if (pts[i].g > pts[bestIndex].g)
            bestIndex = i;
    pt_t best = pts[bestIndex];
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (pts[i].dg > 0.0 && pts[i + 1].dg < 0.0 && pts[i + 1].t - pts[i].t > kRootTol) {
            pt_t m;
            if (!Extremum(pts[i], pts[i + 1], 1.0, false, &m))
                return false;
            if (m.g > best.g)
                best = m;
        }
    }
    pts.insert(std::upper_bound(pts.begin(), pts.end(), best,
                                [](const pt_t& a, const pt_t& b) { return a.t < b.t; }),
               best);
    bool visible = false;
    if (!Visible(pts.data(), pts.size(), &visible))
        return false;
    pass_t pass{};
    pass.aos = DateTime(m_w.start.Ticks() + aos.t);
    pass.tca = DateTime(m_w.start.Ticks() + best.t);
    pass.los = DateTime(m_w.start.Ticks() + los.t);
    pass.aosAzimuth = aos.azimuth();
    pass.tcaAzimuth = best.azimuth();
    pass.tcaElevation = best.elevation();
    pass.losAzimuth = los.azimuth();
    pass.flags = m_openFlags | flags | (visible ? PASS_VISIBLE : 0u);
    m_out.push_back(pass);
    pts.clear();
    return true;
}

bool PassSearch::Take(const Eci* state)
{
    ++m_props;
    if (state && m_phase == kLast) {
        m_want = -1;
        return true;
    }
    bool ok = false;
    if (state) {
        pt_t b;
        Look(m_want, *state, &b, true);
        ok = m_phase == kFirst ? Begin(b) : Step(b);
    }
    if (!ok)
        m_want = -1;
    return ok;
}

// The search from its first state.
bool PassSearch::Begin(const pt_t& a)
{
    // Probes and steps inside a pass scale with the orbital period.
    const double r0 = std::sqrt(a.teme.x * a.teme.x + a.teme.y * a.teme.y + a.teme.z * a.teme.z);
    double period = 5400.0;
    if (a.bounded) {
        const double semi = (a.perigee + r0) / 2.0;  // any scale of the orbit will do
        period = 2.0 * kPi * std::sqrt(semi * semi * semi / kMu);
    }
    m_probe = std::min(std::max(to_micros(period / 240.0, 0, INT64_MAX), 4 * kSecond),
                       300 * kSecond);
    m_cap = std::max(to_micros(period / 16.0, 0, INT64_MAX), 10 * kSecond);

    if (NeverVisible(a)) {
        // Only the verdict at the window's end is left to learn.
        m_phase = kLast;
        m_want = m_w.length;
        return true;
    }
    if (a.isUp()) {
        m_open = true;
        m_openFlags = PASS_STARTED;
        m_pts.assign(1, a);
    }
    m_phase = kSteps;
    m_a = a;
    return Plan();
}

// The next main step from m_a, or the end of the search at the window's end.
bool PassSearch::Plan()
{
    const pt_t& a = m_a;
    const int64_t end = m_w.length;
    if (a.t >= end) {
        m_want = -1;
        if (!m_open)
            return true;
        m_pts.pop_back();  // the end itself is the LOS
        return Close(a, PASS_ENDS);
    }
    const double safe = SafeStep(a, false);
    double caps = m_open ? double(m_cap) / 1e6 : kInf;
    if (a.toPerigee > 1.0)
        caps = std::min(caps, a.toPerigee);
    // Where the bounds allow only short steps, probe: just past the crossing
    // that the rate predicts when heading for one, else a fixed stretch
    // ahead. The interval is settled when the bounds do not cover it; a
    // probe is short enough to hold at most one pass.
    double probe = double(m_probe) / 1e6;
    const double h = a.h(), dh = a.dh();
    if (h * dh < 0.0)
        probe = std::min(probe, -h / dh * 1.05 + 0.05);
    double want = std::max(safe, probe);
    want = std::min(want, caps);
    const int64_t step = to_micros(want, std::min(m_probe, kRootTol), end - a.t);
    m_sure = double(step) / 1e6 <= safe;
    m_want = a.t + step;
    return true;
}

// A main step from m_a to b: any crossing between them refined, an interval
// the bounds did not cover settled.
bool PassSearch::Step(const pt_t& b)
{
    const pt_t& a = m_a;
    if (a.isUp() != b.isUp()) {
        pt_t c;
        if (!Crossing(a, b, &c) || !Transition(c))
            return false;
    } else if (!m_sure && !Examine(a, b, 0)) {
        return false;
    }
    Keep(b);
    m_a = b;
    return Plan();
}

bool PassSearch::Run()
{
    while (m_want >= 0) {
        const DateTime at(m_w.start.Ticks() + m_want);
        Eci eci;
        bool ok = false;
        prop_states(m_sgp4, &at, 1, &eci, &ok);
        if (!Take(ok ? &eci : nullptr))
            return false;
    }
    return true;
}

}  // namespace

namespace {

// Ends the search of one satellite: its passes (none when it failed) and
// its figures.
void finish(const PassSearch& search, bool ok, std::vector<pass_t>& out, size_t first,
            passStats_t* stats)
{
    if (!ok)
        out.resize(first);
    if (stats) {
        ++stats->satellites;
        stats->errors += ok ? 0 : 1;
        stats->propagations += search.Propagations();
    }
}

}  // namespace

bool pass_findOne(const libsgp4::SGP4& sgp4, const passWindow_t& window,
                  std::vector<pass_t>& out, passStats_t* stats)
{
    const size_t first = out.size();
    PassSearch search(sgp4, window, out);
    const bool ok = search.Run();
    finish(search, ok, out, first, stats);
    return ok;
}

void pass_findAll(const object_t* const* objs, size_t n, const passWindow_t& window,
                  std::vector<pass_t>& out, passStats_t* stats)
{
    // The passes found with each satellite's place in the list, for the
    // order: the satellites the lanes take are searched side by side, and
    // finish in no particular order.
    struct found_t {
        pass_t pass;
        size_t index;
    };
    std::vector<found_t> all;
    std::vector<pass_t> one;
    const auto keep = [&](size_t index) {
        for (pass_t& p : one) {
            p.obj = objs[index];
            all.push_back({p, index});
        }
        one.clear();
    };
    std::vector<size_t> queue;
    for (size_t i = 0; i < n; ++i) {
        if (prop_batched(*objs[i]->sgp4)) {
            queue.push_back(i);
        } else {
            pass_findOne(*objs[i]->sgp4, window, one, stats);
            keep(i);
        }
    }
    // One satellite a slot: every round takes the main step of each in one
    // call to the lanes, and a finished satellite's slot goes to the next.
    constexpr size_t kSide = 64;
    propSlots_t slots(kSide);
    const size_t m = slots.Size();
    std::vector<std::unique_ptr<PassSearch>> search(m);
    std::vector<std::vector<pass_t>> found(m);
    std::vector<size_t> which(m);
    std::vector<libsgp4::DateTime> at(m, window.start);
    std::vector<Eci> state(m);
    std::unique_ptr<bool[]> ok(new bool[m]);
    size_t next = 0;
    for (;;) {
        size_t active = 0;
        for (size_t k = 0; k < m; ++k) {
            if (!search[k] && next < queue.size()) {
                which[k] = queue[next++];
                const libsgp4::SGP4& sgp4 = *objs[which[k]]->sgp4;
                slots.Put(k, sgp4);
                found[k].clear();
                search[k].reset(new PassSearch(sgp4, window, found[k]));
            }
            if (search[k]) {
                ++active;
                at[k] = DateTime(window.start.Ticks() + search[k]->Want());
            }
        }
        if (active == 0)
            break;
        slots.States(at.data(), state.data(), ok.get());
        for (size_t k = 0; k < m; ++k) {
            if (!search[k])
                continue;
            const bool good = search[k]->Take(ok[k] ? &state[k] : nullptr);
            if (good && search[k]->Want() >= 0)
                continue;
            finish(*search[k], good, found[k], 0, stats);
            one.swap(found[k]);
            keep(which[k]);
            search[k].reset();
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const found_t& a, const found_t& b) {
        if (a.pass.aos.Ticks() != b.pass.aos.Ticks())
            return a.pass.aos.Ticks() < b.pass.aos.Ticks();
        const unsigned ca = a.pass.obj->tle->CatalogNumber(), cb = b.pass.obj->tle->CatalogNumber();
        if (ca != cb)
            return ca < cb;
        return a.index < b.index;
    });
    for (const found_t& f : all)
        out.push_back(f.pass);
}
