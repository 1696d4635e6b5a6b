// Look angles against hand computations, the Sun against the almanac's
// published instants and its own formulas, and the shadow test.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "objects/orbital_elements.h"
#include "observer/observer.h"
#include "observer/propagate.h"
#include "observer/sun.h"
#include "sgp4/DateTime.h"
#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"
#include "sgp4/Tle.h"

namespace {

const double s_deg = 180.0 / std::acos(-1.0);

// Earth-fixed position and velocity turned into the orbit code's axes at t,
// so that obs_look sees them again: the inverse of the Earth-fixed axes.
void to_inertial(const double p[3], const double v[3], const libsgp4::DateTime& t,
                 libsgp4::Vector* pos, libsgp4::Vector* vel)
{
    const double g = t.ToGreenwichSiderealTime(), c = std::cos(g), s = std::sin(g);
    const double w = 7.292115855e-5;  // rad/s, the sidereal rate
    // Inertial velocity in Earth-fixed axes: v + w z x p.
    const double iv[3] = {v[0] - w * p[1], v[1] + w * p[0], v[2]};
    *pos = libsgp4::Vector{c * p[0] - s * p[1], s * p[0] + c * p[1], p[2], 0.0};
    *vel = libsgp4::Vector{c * iv[0] - s * iv[1], s * iv[0] + c * iv[1], iv[2], 0.0};
}

lookAngles_t look_fixed(const observer_t& o, const double p[3], const double v[3])
{
    const libsgp4::DateTime t(2026, 12, 6, 17, 5, 12, 345000);
    libsgp4::Vector pos, vel;
    to_inertial(p, v, t, &pos, &vel);
    return obs_look(o, pos, vel, t);
}

}  // namespace

TEST(Observer, PositionOnTheEllipsoid)
{
    // By hand for 45 N, 75 W, 100 m: N = a / sqrt(1 - e^2 / 2) = 6388.8385 km.
    const observer_t o = obs_make(45.0, -75.0, 100.0);
    EXPECT_NEAR(o.pos[0], 1169.2565, 1e-4);
    EXPECT_NEAR(o.pos[1], -4363.7246, 1e-4);
    EXPECT_NEAR(o.pos[2], 4487.4179, 1e-4);
    // On the equator at the prime meridian: (a + h, 0, 0), up is x, north z.
    const observer_t e = obs_make(0.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(e.pos[0], 6378.135);
    EXPECT_NEAR(e.north[2], 1.0, 1e-15);
    EXPECT_NEAR(e.east[1], 1.0, 1e-15);
}

// The observer on the equator at longitude 0: up = x, east = y, north = z.
TEST(Observer, LookAnglesByHand)
{
    const observer_t o = obs_make(0.0, 0.0, 0.0);
    const double still[3] = {0.0, 0.0, 0.0};
    struct {
        double p[3];
        double az, el, range;
    } cases[] = {
        {{6878.135, 0.0, 0.0}, -1.0, 90.0, 500.0},                 // overhead
        {{6378.135, 1000.0, 0.0}, 90.0, 0.0, 1000.0},              // east on the horizon
        {{6378.135, 0.0, -2000.0}, 180.0, 0.0, 2000.0},            // south on the horizon
        {{6378.135 + 1000.0, -1000.0, 0.0}, 270.0, 45.0, 1414.2136},  // west, 45 degrees up
        {{5378.135, 0.0, 1000.0}, 0.0, -45.0, 1414.2136},           // north, below
    };
    for (const auto& c : cases) {
        const lookAngles_t la = look_fixed(o, c.p, still);
        EXPECT_NEAR(la.elevation * s_deg, c.el, 1e-7) << c.p[0] << " " << c.p[1];
        if (c.az >= 0.0) {
            EXPECT_NEAR(la.azimuth * s_deg, c.az, 1e-7) << c.p[1] << " " << c.p[2];
        }
        EXPECT_NEAR(la.range, c.range, 1e-4);
        EXPECT_NEAR(la.rangeRate, 0.0, 1e-9) << "fixed on the rotating Earth";
    }
    // Receding straight up at 2 km/s, then crossing the line of sight.
    const double over[3] = {6878.135, 0.0, 0.0}, up[3] = {2.0, 0.0, 0.0}, side[3] = {0.0, 7.5, 0.0};
    EXPECT_NEAR(look_fixed(o, over, up).rangeRate, 2.0, 1e-9);
    EXPECT_NEAR(look_fixed(o, over, side).rangeRate, 0.0, 1e-9);
    // A hair west of due north: atan2 gives -0 or a value that rounds to 2 pi.
    for (double east : {-0.0, -1e-300, -1e-13}) {
        const double p[3] = {6378.135, east, 1000.0};
        const double az = obs_lookEarthFixed(o, p, still).azimuth;
        EXPECT_TRUE(az >= 0.0 && az < 2.0 * std::acos(-1.0) && !std::signbit(az)) << az;
    }
}

TEST(Sun, FormulaAndPublishedInstants)
{
    auto ecliptic = [](const libsgp4::DateTime& t, double* lambda, double* dec, double* au) {
        const libsgp4::Vector s = sun_position(t);
        const double n = t.ToJulian() - 2451545.0, eps = (23.439 - 0.0000004 * n) / s_deg;
        const double r = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
        // Back from the equator to the ecliptic.
        *lambda = std::atan2(s.y * std::cos(eps) + s.z * std::sin(eps), s.x) * s_deg;
        *dec = std::asin(s.z / r) * s_deg;
        *au = r / 149597870.7;
    };
    // Equinoxes and solstices of 2026 (UTC, to the minute): the apparent
    // longitude is 0, 90, 180, 270 degrees there.
    struct {
        int mo, d, h, mi;
        double lambda, dec;
    } marks[] = {{3, 20, 14, 46, 0.0, 0.0},
                 {6, 21, 8, 24, 90.0, 23.436},
                 {9, 23, 0, 5, 180.0, 0.0},
                 {12, 21, 20, 50, 270.0, -23.436}};
    for (const auto& m : marks) {
        double lambda, dec, au;
        ecliptic(libsgp4::DateTime(2026, m.mo, m.d, m.h, m.mi, 0, 0), &lambda, &dec, &au);
        const double dl = std::remainder(lambda - m.lambda, 360.0);
        EXPECT_LT(std::fabs(dl), 0.02) << m.mo << "/" << m.d;
        EXPECT_NEAR(dec, m.dec, 0.02) << m.mo << "/" << m.d;
    }
    // Perihelion (3 January) and aphelion (6 July) of 2026.
    double lambda, dec, au;
    ecliptic(libsgp4::DateTime(2026, 1, 3, 17, 0, 0, 0), &lambda, &dec, &au);
    EXPECT_NEAR(au, 0.98330, 0.0002);
    ecliptic(libsgp4::DateTime(2026, 7, 6, 17, 0, 0, 0), &lambda, &dec, &au);
    EXPECT_NEAR(au, 1.01665, 0.0002);
}

// Satellites on both sides of the terminator and of the shadow's edge: the
// Sun along +x, the shadow a cylinder of the Earth's radius along -x.
TEST(Sun, SunlitAndShadowed)
{
    const libsgp4::Vector sun{1.496e8, 0.0, 0.0, 0.0};
    struct {
        double x, y, z;
        bool lit;
    } cases[] = {
        {7000.0, 0.0, 0.0, true},       // noon side
        {-7000.0, 0.0, 0.0, false},     // midnight side
        {0.0, 7000.0, 0.0, true},       // over the terminator
        {-100.0, 7000.0, 0.0, true},    // past it, high enough to see over the limb
        {-1000.0, 6370.0, 0.0, false},  // just inside the shadow
        {-1000.0, 0.0, 6390.0, true},   // just outside it
        {-42000.0, 0.0, 6000.0, false}, // geostationary distance, in the shadow
    };
    for (const auto& c : cases)
        EXPECT_EQ(sun_sunlit(libsgp4::Vector{c.x, c.y, c.z, 0.0}, sun), c.lit)
            << c.x << " " << c.y << " " << c.z;
}

TEST(Propagate, ManyInstantsAtOnceAsOneByOne)
{
    // Many instants go through the vector lanes, one alone through the scalar
    // model: the same verdicts and states, for a satellite that decays within
    // the span, one whose negative drag inflates its orbit past the 10 % rule,
    // and a deep-space one. Each side has its own propagator.
    struct { double revs, bstar, ecc; } orbits[] = {{16.0, 0.002, 0.001}, {15.0, -0.5, 0.001},
                                                    {2.0, 0.0001, 0.6}};
    for (const auto& orbit : orbits) {
        OrbitalElements_t el;
        el.catalogNumber = 90010;
        el.epochYear = 2026;
        el.epochMonth = 1;
        el.epochDayOfMonth = 1;
        el.bstar = orbit.bstar;
        el.inclination = 63.4;
        el.eccentricity = orbit.ecc;
        el.argPerigee = 270;
        el.meanMotion = orbit.revs;
        const libsgp4::Tle tle(el);
        const libsgp4::SGP4 many(tle), one(tle);
        const size_t n = 1500;  // every 29 minutes over a month
        std::vector<libsgp4::DateTime> at(n);
        for (size_t i = 0; i < n; ++i)
            at[i] = libsgp4::DateTime(2026, 1, 1, 0, 0, 0, 0).AddMicroseconds(int64_t(i) * 1740000000);
        std::vector<libsgp4::Eci> states(n);
        std::unique_ptr<bool[]> ok(new bool[n]);
        const size_t good = prop_states(many, at.data(), n, states.data(), ok.get());
        size_t fails = 0;
        for (size_t i = 0; i < n; ++i) {
            libsgp4::Eci e;
            bool ok1 = false;
            const size_t good1 = prop_states(one, &at[i], 1, &e, &ok1);
            EXPECT_EQ(good1, ok1 ? 1u : 0u);
            ASSERT_EQ(ok[i], ok1) << orbit.revs << " at " << i;
            fails += ok1 ? 0 : 1;
            if (!ok1)
                continue;
            const libsgp4::Vector &p = states[i].Position(), &q = e.Position();
            const libsgp4::Vector &v = states[i].Velocity(), &w = e.Velocity();
            EXPECT_LT(std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z), 1e-6);
            EXPECT_LT(std::fabs(v.x - w.x) + std::fabs(v.y - w.y) + std::fabs(v.z - w.z), 1e-9);
            EXPECT_EQ(states[i].GetDateTime().Ticks(), e.GetDateTime().Ticks());
        }
        EXPECT_EQ(good, n - fails);
        if (orbit.revs > 10) {
            EXPECT_TRUE(fails > 0 && fails < n) << orbit.revs << ": " << fails;
        }
    }
}

TEST(Propagate, SlotsAsOneByOne)
{
    // Satellites in lane slots, each at its own instant, get the verdicts and
    // states prop_states gives them one at a time: one that decays, one whose
    // negative drag inflates its orbit past the 10 % rule, healthy ones; more
    // satellites than slots, so that slots take new satellites between calls
    // while others keep theirs.
    std::vector<std::unique_ptr<libsgp4::SGP4>> sats;
    for (int i = 0; i < 40; ++i) {
        OrbitalElements_t el;
        el.catalogNumber = 90100 + i;
        el.epochYear = 2026;
        el.epochMonth = 1;
        el.epochDayOfMonth = 1;
        el.bstar = i == 0 ? 0.002 : i == 1 ? -0.5 : 0.0001 * (i % 5);
        el.inclination = 20.0 + 2.0 * i;
        el.eccentricity = 0.001 + 0.004 * (i % 7);
        el.raan = 9.0 * i;
        el.meanAnomaly = 31.0 * i;
        el.meanMotion = i < 2 ? 16.0 - i : 12.0 + 0.1 * i;
        sats.emplace_back(new libsgp4::SGP4(libsgp4::Tle(el)));
        ASSERT_TRUE(prop_batched(*sats.back()));
    }
    propSlots_t slots(12);
    ASSERT_EQ(slots.Size(), 16u);  // whole blocks of lanes
    const size_t m = slots.Size();
    std::vector<const libsgp4::SGP4*> in(m, nullptr);
    std::vector<libsgp4::DateTime> at(m);
    std::vector<libsgp4::Eci> states(m);
    std::unique_ptr<bool[]> ok(new bool[m]);
    size_t fails = 0, compared = 0;
    for (int round = 0; round < 30; ++round) {
        // Every third round slot k takes satellite (k + round) % 40; the last
        // slots stay empty for the first rounds.
        for (size_t k = 0; k < m; ++k) {
            if (round % 3 == 0 && (round > 6 || k < 10)) {
                in[k] = sats[(k + size_t(round)) % sats.size()].get();
                slots.Put(k, *in[k]);
            }
            // Instants up to a month from the epoch, a different one a slot.
            at[k] = libsgp4::DateTime(2026, 1, 1, 0, 0, 0, 0)
                        .AddMicroseconds((int64_t(round) * 86400 + int64_t(k) * 4111) * 1000000);
            ok[k] = false;
        }
        slots.States(at.data(), states.data(), ok.get());
        for (size_t k = 0; k < m; ++k) {
            if (!in[k]) {
                EXPECT_FALSE(ok[k]);  // left as it was
                continue;
            }
            libsgp4::Eci e;
            bool ok1 = false;
            prop_states(*in[k], &at[k], 1, &e, &ok1);
            ASSERT_EQ(ok[k], ok1) << "round " << round << " slot " << k;
            ++compared;
            fails += ok1 ? 0 : 1;
            if (!ok1)
                continue;
            const libsgp4::Vector &p = states[k].Position(), &q = e.Position();
            const libsgp4::Vector &v = states[k].Velocity(), &w = e.Velocity();
            EXPECT_LT(std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z), 1e-6);
            EXPECT_LT(std::fabs(v.x - w.x) + std::fabs(v.y - w.y) + std::fabs(v.z - w.z), 1e-9);
            EXPECT_EQ(states[k].GetDateTime().Ticks(), e.GetDateTime().Ticks());
        }
    }
    EXPECT_GT(compared, 300u);
    EXPECT_TRUE(fails > 0 && fails < compared) << fails;
}
