#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "sgp4/Constants.h"
#include "sgp4/ExactFmod.h"
#include "sgp4/SGP4.h"

using libsgp4::SGP4;
using libsgp4::Tle;

namespace {

// An orbit at 2024 day 1.5: inclination, node, eccentricity, perigee, mean
// anomaly (degrees), mean motion (rev/day); by default near-circular and low.
OrbitalElements_t orbit(double i = 51.64, double node = 0, double e = 0.0005, double w = 0, double m = 0,
                        double n = 15.5)
{
    OrbitalElements_t el;
    el.epochYear = 2024, el.epochDay = 1.5, el.epochIsDayOfYear = true, el.bstar = 1.0e-4;
    el.inclination = i, el.raan = node, el.eccentricity = e;
    el.argPerigee = w, el.meanAnomaly = m, el.meanMotion = n;
    return el;
}

// The message of the initialisation error, "" when there is none.
std::string initError(const OrbitalElements_t& el)
{
    try {
        SGP4 s{Tle(el)};
    } catch (const libsgp4::SatelliteException& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Sgp4, ElementsRefusedWithAReason)
{
    using E = OrbitalElements_t&;
    const double nan = std::nan(""), inf = HUGE_VAL;
    const std::pair<std::function<void(E)>, std::string> cases[] = {
        {[](E e) { e.meanMotion = 2.0, e.eccentricity = 0.999; }, ""},
        {[](E e) { e.meanMotion = 2.0, e.eccentricity = 0.9991; }, "Eccentricity out of range"},
        {[](E e) { e.eccentricity = -0.0001; }, "Eccentricity out of range"},
        {[](E e) { e.inclination = 180.0; }, ""},
        {[](E e) { e.inclination = 180.0001; }, "Inclination out of range"},
        {[](E e) { e.inclination = -0.0001; }, "Inclination out of range"},
        {[](E e) { e.epochIsDayOfYear = false, e.epochMonth = 2, e.epochDayOfMonth = 30; }, "Invalid epoch"},
        {[&](E e) { e.epochDay = nan; }, "Invalid epoch"},
        {[](E e) { e.meanMotion = -15.5; }, "Mean motion is negative"},
        {[&](E e) { e.meanMotion = nan; }, "Mean motion is not finite"},
        {[&](E e) { e.eccentricity = nan; }, "Eccentricity is not finite"},
        {[&](E e) { e.inclination = nan; }, "Inclination is not finite"},
        {[&](E e) { e.raan = inf; }, "Angle element is not finite"},
        {[&](E e) { e.bstar = -inf; }, "B* is not finite"},
        {[](E e) { e.meanMotion = 0.0; }, ""}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        OrbitalElements_t el = orbit();
        cases[i].first(el);
        EXPECT_EQ(initError(el), cases[i].second) << "case " << i;
    }
}

TEST(Sgp4, ModelBranchThresholds)
{
    // By bisection, elements whose period or perigee just exceeds the target.
    auto solve = [](double target, double (libsgp4::OrbitalElements::*f)() const) {
        OrbitalElements_t el = orbit();
        double lo = 0.5, hi = 17.0;
        for (int i = 0; i < 200; ++i) {
            el.meanMotion = 0.5 * (lo + hi);
            (libsgp4::OrbitalElements(Tle(el)).*f)() > target ? lo = el.meanMotion : hi = el.meanMotion;
        }
        el.meanMotion = lo;
        return el;
    };
    const auto period = &libsgp4::OrbitalElements::Period, perigee = &libsgp4::OrbitalElements::Perigee;
    EXPECT_TRUE(SGP4(Tle(solve(225.0, period))).UsesDeepSpace());
    EXPECT_FALSE(SGP4(Tle(solve(224.99, period))).UsesDeepSpace());
    EXPECT_TRUE(SGP4(Tle(solve(219.0, perigee))).UsesSimpleModel());
    EXPECT_FALSE(SGP4(Tle(solve(220.0, perigee))).UsesSimpleModel());
    // Low perigees lower the density altitude (156 km, floor at 98 km).
    for (double p : {97.0, 98.0, 100.0, 155.9, 156.1}) {
        const libsgp4::Eci e = SGP4(Tle(solve(p, perigee))).FindPosition(10.0);
        EXPECT_TRUE(std::isfinite(e.Position().z + e.Velocity().z)) << p;
    }
}

// The resonance integrator keeps state between requests: in any order each result
// equals a fresh propagator's (half-day and one-day resonance).
TEST(Sgp4, ResonantResultsDoNotDependOnRequestOrder)
{
    for (const OrbitalElements_t& el : {orbit(63.4, 0, 0.7, 270, 0, 2.006), orbit(0.05, 0, 0.0002, 0, 0, 1.0027)}) {
        const SGP4 walked{Tle(el)};
        ASSERT_TRUE(walked.UsesDeepSpace());
        for (double t : {1440.0, 2880.0, 100.0, -2000.0}) {
            const libsgp4::Eci got = walked.FindPosition(t);
            const libsgp4::Eci want = SGP4{Tle(el)}.FindPosition(t);
            EXPECT_EQ(got.Position().x, want.Position().x) << t;
            EXPECT_EQ(got.Velocity().z, want.Velocity().z) << t;
        }
    }
}

// The throwing path is the non-throwing one plus exceptions: the same result
// on success, and each failure kind as the exception with its message.
TEST(Sgp4, TryFindPositionAgreesWithFindPosition)
{
    using F = libsgp4::PropagationFailure;
    OrbitalElements_t dragged = orbit(96.4736, 157.9986, 0.0303955, 244.0492, 110.6523, 16.46015938);
    dragged.bstar = 2.4476e-4;  // decays within the hour
    OrbitalElements_t eccentric = dragged;
    eccentric.eccentricity = 0.995, eccentric.meanMotion = 4.00004038;
    OrbitalElements_t slow = orbit(68.4714, 236.1303, 0.5602877, 123.7484, 302.5767, 0.00001);
    slow.epochYear = 2006, slow.epochDay = 174.85818871;
    const std::tuple<OrbitalElements_t, double, F, const char*> cases[] = {
        {orbit(), 10.0, F::None, ""},
        {dragged, 0.0, F::None, ""},
        {orbit(), 1e300, F::TimeOutOfRange, "Time since epoch out of range"},
        {orbit(), -1e8, F::TimeOutOfRange, "Time since epoch out of range"},
        {orbit(), std::nan(""), F::TimeOutOfRange, "Time since epoch out of range"},
        {orbit(51.64, 0, 0.0005, 0, 0, 0.0), 0.0, F::MeanMotion, "Error: (xn <= 0.0)"},
        {slow, 0.0, F::Eccentricity, "Error: (e <= -0.001)"},
        {eccentric, 25.0, F::Elsq, "Error: (elsq >= 1.0)"},
        {dragged, 55.0, F::Decayed, "Satellite decayed"}};
    for (const auto& [el, t, failure, message] : cases) {
        SCOPED_TRACE(message);
        libsgp4::Eci got(libsgp4::DateTime(), {}, {});
        F kind = F::NotFinite;
        EXPECT_EQ(SGP4{Tle(el)}.TryFindPosition(t, got, kind), failure == F::None);
        EXPECT_EQ(kind, failure);
        EXPECT_STREQ(libsgp4::PropagationFailureMessage(kind), message);
        const auto same = [&got](const libsgp4::DateTime& dt, libsgp4::Vector p, libsgp4::Vector v) {
            const libsgp4::Vector &gp = got.Position(), &gv = got.Velocity();
            EXPECT_EQ(got.GetDateTime().Ticks(), dt.Ticks());
            EXPECT_EQ(std::vector<double>({p.x, p.y, p.z, v.x, v.y, v.z}),
                      std::vector<double>({gp.x, gp.y, gp.z, gv.x, gv.y, gv.z}));
        };
        try {
            const libsgp4::Eci want = SGP4{Tle(el)}.FindPosition(t);
            EXPECT_EQ(failure, F::None);
            same(want.GetDateTime(), want.Position(), want.Velocity());
        } catch (const libsgp4::DecayedException& e) {
            EXPECT_EQ(failure, F::Decayed);
            EXPECT_STREQ(e.what(), message);
            same(e.Decayed(), e.Position(), e.Velocity());
        } catch (const libsgp4::SatelliteException& e) {
            EXPECT_NE(failure, F::Decayed);
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST(Sgp4, ExactFmodGivesTheLibraryBits)
{
    // Kepler-step inputs (many revolutions), ratios near integers, signs,
    // tiny and huge magnitudes and every non-finite case, then random bits.
    std::vector<double> xs = {0.0, -0.0, 1e-300, 5e-324, -3.0, 6.283185307179586, -6.283185307179586,
                              12.566370614359172, 1e6, -123456.789, 1e300, -1e308,
                              std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const uint64_t bits = rng();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        xs.push_back(x);
        xs.push_back(std::ldexp(double(bits >> 11), int(rng() % 80) - 60) * (bits & 1 ? -1 : 1));
    }
    const double ys[] = {libsgp4::kTWOPI, 1.0, 3e-310, 7.5e200, 0.0, -2.5};
    long differing = 0;
    for (double y : ys)
        for (double x : xs) {
            const double a = std::fmod(x, y), b = libsgp4::ExactFmod(x, y);
            differing += std::isnan(a) ? !std::isnan(b) : std::memcmp(&a, &b, sizeof a) != 0;
        }
    EXPECT_EQ(differing, 0);
}
