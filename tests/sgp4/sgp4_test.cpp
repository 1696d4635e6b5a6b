#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "sgp4/SGP4.h"

using libsgp4::SGP4;
using libsgp4::Tle;

namespace {

// A near-circular low orbit at epoch 2024 day 1.5.
OrbitalElements_t baseElements()
{
    OrbitalElements_t el;
    el.name = "TEST";
    el.catalogNumber = 99999;
    el.epochYear = 2024;
    el.epochDay = 1.5;
    el.epochIsDayOfYear = true;
    el.bstar = 1.0e-4;
    el.inclination = 51.64;
    el.raan = 100.0;
    el.eccentricity = 0.0005;
    el.argPerigee = 90.0;
    el.meanAnomaly = 270.0;
    el.meanMotion = 15.5;
    return el;
}

std::string initError(const OrbitalElements_t& el)
{
    try {
        SGP4 s{Tle(el)};
    } catch (const libsgp4::SatelliteException& e) {
        return e.what();
    }
    return "";
}

// The mean motion (rev/day) at which a decreasing quantity of the elements
// crosses the target, by bisection.
double solveMeanMotion(OrbitalElements_t el, double target,
                       const std::function<double(const libsgp4::OrbitalElements&)>& f)
{
    double lo = 0.5, hi = 17.0;
    for (int i = 0; i < 200; ++i) {
        el.meanMotion = 0.5 * (lo + hi);
        if (f(libsgp4::OrbitalElements(Tle(el))) > target)
            lo = el.meanMotion;
        else
            hi = el.meanMotion;
    }
    return lo;
}

bool finiteEci(const libsgp4::Eci& e)
{
    const libsgp4::Vector& p = e.Position();
    const libsgp4::Vector& v = e.Velocity();
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) &&
           std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

TEST(Tle, EpochFormsAndUnits)
{
    OrbitalElements_t el = baseElements();
    const Tle byDay(el);
    el.epochIsDayOfYear = false;
    el.epochMonth = 1;
    el.epochDayOfMonth = 1;
    el.epochHour = 12;
    const Tle byCalendar(el);
    EXPECT_EQ(byDay.Epoch().Ticks(), libsgp4::DateTime(2024, 1, 1, 12, 0, 0, 0).Ticks());
    EXPECT_EQ(byCalendar.Epoch().Ticks(), byDay.Epoch().Ticks());

    EXPECT_DOUBLE_EQ(byDay.Inclination(), 51.64);
    const libsgp4::OrbitalElements oe(byDay);
    EXPECT_NEAR(oe.Inclination(), 0.9013, 5e-5);
    EXPECT_NEAR(oe.MeanMotion(), 15.5 * 2 * M_PI / 1440.0, 1e-15);
    EXPECT_LT(oe.RecoveredMeanMotion(), oe.MeanMotion());
    EXPECT_NEAR(oe.Period(), 92.9, 0.1);
    EXPECT_NEAR(oe.Perigee(), 412.0, 10.0);
}

TEST(Tle, InvalidEpochsAreRefusedNotFatal)
{
    OrbitalElements_t el = baseElements();
    el.epochIsDayOfYear = false;
    el.epochMonth = 13;
    el.epochDayOfMonth = 1;
    EXPECT_EQ(initError(el), "Invalid epoch");
    el.epochMonth = 2;
    el.epochDayOfMonth = 30;
    EXPECT_EQ(initError(el), "Invalid epoch");
    el.epochDayOfMonth = 1;
    el.epochMinute = -1;
    EXPECT_EQ(initError(el), "Invalid epoch");

    el = baseElements();
    el.epochDay = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(initError(el), "Invalid epoch");
    el.epochDay = 1e300;
    EXPECT_EQ(initError(el), "Invalid epoch");
    el.epochDay = 1.5;
    el.epochYear = 0;
    EXPECT_EQ(initError(el), "Invalid epoch");
}

TEST(Sgp4, InitialisationLimits)
{
    OrbitalElements_t el = baseElements();
    el.meanMotion = 2.0;
    el.eccentricity = 0.999;
    EXPECT_EQ(initError(el), "");
    el.eccentricity = 0.9991;
    EXPECT_EQ(initError(el), "Eccentricity out of range");
    el.eccentricity = -0.0001;
    EXPECT_EQ(initError(el), "Eccentricity out of range");

    el = baseElements();
    el.inclination = 180.0;
    EXPECT_EQ(initError(el), "");
    el.inclination = 180.0001;
    EXPECT_EQ(initError(el), "Inclination out of range");
    el.inclination = -0.0001;
    EXPECT_EQ(initError(el), "Inclination out of range");
}

TEST(Sgp4, BadElementsAreRefusedWithAReason)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    OrbitalElements_t el = baseElements();
    el.meanMotion = -15.5;
    EXPECT_EQ(initError(el), "Mean motion is negative");
    el.meanMotion = nan;
    EXPECT_EQ(initError(el), "Mean motion is not finite");
    el.meanMotion = inf;
    EXPECT_EQ(initError(el), "Mean motion is not finite");
    el = baseElements();
    el.eccentricity = nan;
    EXPECT_EQ(initError(el), "Eccentricity is not finite");
    el = baseElements();
    el.inclination = nan;
    EXPECT_EQ(initError(el), "Inclination is not finite");
    el = baseElements();
    el.raan = inf;
    EXPECT_EQ(initError(el), "Angle element is not finite");
    el = baseElements();
    el.bstar = -inf;
    EXPECT_EQ(initError(el), "B* is not finite");

    // A mean motion of 0 passes initialisation and fails at propagation.
    el = baseElements();
    el.meanMotion = 0.0;
    EXPECT_EQ(initError(el), "");
    const SGP4 zero{Tle(el)};
    EXPECT_TRUE(zero.UsesDeepSpace());
    EXPECT_THROW(
        {
            try {
                zero.FindPosition(0.0);
            } catch (const libsgp4::SatelliteException& e) {
                EXPECT_STREQ(e.what(), "Error: (xn <= 0.0)");
                throw;
            }
        },
        libsgp4::SatelliteException);

    // Whatever finite elements do, a result is finite or an exception.
    el = baseElements();
    el.bstar = 1e300;
    const SGP4 huge{Tle(el)};
    for (double t : {0.0, 1.0, 100.0, 1e6}) {
        try {
            EXPECT_TRUE(finiteEci(huge.FindPosition(t))) << t;
        } catch (const std::runtime_error&) {
        }
    }
    const SGP4 ok{Tle(baseElements())};
    EXPECT_THROW(ok.FindPosition(nan), libsgp4::SatelliteException);
    EXPECT_THROW(ok.FindPosition(1e300), libsgp4::SatelliteException);
}

TEST(Sgp4, ModelBranchThresholds)
{
    const OrbitalElements_t el = baseElements();
    auto period = [](const libsgp4::OrbitalElements& oe) { return oe.Period(); };
    OrbitalElements_t at = el;
    at.meanMotion = solveMeanMotion(el, 225.0, period);
    EXPECT_GE(libsgp4::OrbitalElements(Tle(at)).Period(), 225.0);
    EXPECT_TRUE(SGP4(Tle(at)).UsesDeepSpace());
    at.meanMotion = solveMeanMotion(el, 224.99, period) * (1 + 1e-12);
    EXPECT_LT(libsgp4::OrbitalElements(Tle(at)).Period(), 224.99);
    EXPECT_FALSE(SGP4(Tle(at)).UsesDeepSpace());

    auto perigee = [](const libsgp4::OrbitalElements& oe) { return oe.Perigee(); };
    at.meanMotion = solveMeanMotion(el, 219.0, perigee);
    EXPECT_NEAR(libsgp4::OrbitalElements(Tle(at)).Perigee(), 219.0, 1e-6);
    EXPECT_TRUE(SGP4(Tle(at)).UsesSimpleModel());
    at.meanMotion = solveMeanMotion(el, 220.0, perigee);
    EXPECT_GE(libsgp4::OrbitalElements(Tle(at)).Perigee(), 220.0);
    EXPECT_FALSE(SGP4(Tle(at)).UsesSimpleModel());

    // Low perigees use a lowered density altitude; the positions stay
    // continuous across 156 km and the 98 km floor.
    for (double p : {97.0, 98.0, 100.0, 155.9, 156.1}) {
        at.meanMotion = solveMeanMotion(el, p, perigee);
        const SGP4 s{Tle(at)};
        EXPECT_TRUE(finiteEci(s.FindPosition(10.0))) << p;
    }
}

TEST(Sgp4, ResonanceIntegratorDoesNotDependOnRequestOrder)
{
    // A half-day (eccentric, two revolutions a day) and a synchronous orbit.
    OrbitalElements_t half = baseElements();
    half.eccentricity = 0.7;
    half.inclination = 63.4;
    half.argPerigee = 270.0;
    half.meanMotion = 2.006;
    OrbitalElements_t geo = baseElements();
    geo.eccentricity = 0.0002;
    geo.inclination = 0.05;
    geo.meanMotion = 1.0027;

    for (const OrbitalElements_t& el : {half, geo}) {
        const SGP4 walked{Tle(el)};
        ASSERT_TRUE(walked.UsesDeepSpace());
        const libsgp4::Eci a1440 = walked.FindPosition(1440.0);
        const libsgp4::Eci a2880 = walked.FindPosition(2880.0);
        const libsgp4::Eci a100 = walked.FindPosition(100.0);
        const libsgp4::Eci aBack = walked.FindPosition(-2000.0);
        for (const auto& [t, got] : {std::pair<double, libsgp4::Eci>{1440.0, a1440},
                                     {2880.0, a2880},
                                     {100.0, a100},
                                     {-2000.0, aBack}}) {
            const SGP4 fresh{Tle(el)};
            const libsgp4::Eci want = fresh.FindPosition(t);
            EXPECT_EQ(got.Position().x, want.Position().x) << t;
            EXPECT_EQ(got.Velocity().z, want.Velocity().z) << t;
            EXPECT_EQ(got.GetDateTime().Ticks(), want.GetDateTime().Ticks());
        }
    }
}

TEST(Sgp4, DecayIsReported)
{
    // A published re-entry case: the radius falls below one earth radius
    // between 50 and 55 minutes.
    OrbitalElements_t el = baseElements();
    el.epochYear = 2005;
    el.epochDay = 333.02012661;
    el.bstar = 0.24476e-3;
    el.inclination = 96.4736;
    el.raan = 157.9986;
    el.eccentricity = 0.0303955;
    el.argPerigee = 244.0492;
    el.meanAnomaly = 110.6523;
    el.meanMotion = 16.46015938;
    const SGP4 s{Tle(el)};
    EXPECT_TRUE(s.UsesSimpleModel());
    EXPECT_TRUE(finiteEci(s.FindPosition(50.0)));
    try {
        s.FindPosition(55.0);
        ADD_FAILURE() << "no decay";
    } catch (const libsgp4::DecayedException& e) {
        EXPECT_STREQ(e.what(), "Satellite decayed");
        const libsgp4::Vector& p = e.Position();
        EXPECT_LT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 6378.135);
        EXPECT_EQ(e.Decayed().Ticks(), Tle(el).Epoch().AddMinutes(55.0).Ticks());
    }
}
