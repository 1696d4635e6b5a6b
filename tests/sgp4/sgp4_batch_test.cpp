// The batch path against the scalar model on every instruction set this
// processor runs: the element snapshot at 60 instants a minute apart, single
// satellites at hostile instants, and the failure of each lane.
#include <gtest/gtest.h>

#include <hwy/targets.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "../datafile/elements_fixture.h"
#include "sgp4/Constants.h"
#include "sgp4/SGP4Batch.h"

namespace {

using libsgp4::CoordGeodetic;
using libsgp4::DateTime;
using libsgp4::PropagationFailure;
using libsgp4::SGP4;
using libsgp4::SGP4Batch;
using libsgp4::Vector;

constexpr double kKm = 1e-6;    // position and altitude, km
constexpr double kRad = 1e-9;   // latitude and longitude
constexpr double kKmS = 1e-9;   // velocity, km/s

// Instants of the snapshot comparison. Unoptimised builds (the sanitizer
// suite, where the vector code runs some hundred times slower) check two:
// they look for memory and undefined-behaviour faults, not for accuracy.
#ifdef __OPTIMIZE__
constexpr int kInstants = 60;
#else
constexpr int kInstants = 2;
#endif

// Runs f once with the dispatch forced to each instruction set compiled in
// and supported here, then restores the processor's own choice.
template <class F>
void for_each_target(F f)
{
    for (int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        SCOPED_TRACE(hwy::TargetName(target));
        ASSERT_STREQ(SGP4Batch::Target(), hwy::TargetName(target));
        f();
    }
    hwy::SetSupportedTargetsForTest(0);
}

// Largest differences of the batch path from the scalar one.
struct worst_t {
    double km = 0, kms = 0, rad = 0, altKm = 0;
    size_t mismatches = 0;  // failure kinds that differ

    void Position(const Vector& a, const Vector& b)
    {
        km = std::max(km, std::hypot(a.x - b.x, a.y - b.y, a.z - b.z));
    }
    void Velocity(const Vector& a, const Vector& b)
    {
        kms = std::max(kms, std::hypot(a.x - b.x, a.y - b.y, a.z - b.z));
    }
    void Geodetic(const CoordGeodetic& a, const CoordGeodetic& b)
    {
        // Longitudes on either side of the date line are one angle.
        const double dlon = std::remainder(a.longitude - b.longitude, libsgp4::kTWOPI);
        rad = std::max({rad, std::fabs(a.latitude - b.latitude), std::fabs(dlon)});
        altKm = std::max(altKm, std::fabs(a.altitude - b.altitude));
    }
    void Expect() const
    {
        EXPECT_EQ(mismatches, 0u);
        EXPECT_LE(km, kKm);
        EXPECT_LE(kms, kKmS);
        EXPECT_LE(rad, kRad);
        EXPECT_LE(altKm, kKm);
    }
};

// The scalar model's outcome at one instant.
struct scalar_t {
    PropagationFailure failure = PropagationFailure::None;
    libsgp4::Eci eci;
    CoordGeodetic geo;
};

scalar_t scalar_at(const SGP4& sat, double tsince, const DateTime* dt)
{
    scalar_t s;
    const bool ok = dt ? sat.TryFindPosition(*dt, s.eci, s.failure)
                       : sat.TryFindPosition(tsince, s.eci, s.failure);
    if (ok)
        s.geo = s.eci.ToGeodetic();
    return s;
}

// The element set of two lines (their checksums made right), or of one
// comma-separated row when l2 is empty.
SGP4 make_sgp4(const std::string& l1, const std::string& l2)
{
    const std::vector<OrbitalElements_t> el =
        l2.empty() ? read_all<CsvFile>(s_csvHeader + l1)
                   : read_all<TleFile>(tle_patch(l1) + "\n" + tle_patch(l2) + "\n");
    EXPECT_EQ(el.size(), 1u);
    return SGP4(libsgp4::Tle(el.at(0)));
}

}  // namespace

TEST(Sgp4Batch, SnapshotAtSixtyInstantsMatchesScalar)
{
    const std::string dir = shared_data("elements-2026-05-30");
    if (dir.empty())
        GTEST_SKIP() << "element snapshot not found";
    TempDir tmp;
    std::string mgr;
    for (const char* g : {"stations", "starlink", "oneweb", "geo", "weather", "resource", "science", "military"})
        mgr += dir + "/" + g + ".tle\n";
    CObjects objs;
    ASSERT_EQ(objs.Load(tmp.write("mgr.txt", mgr).c_str()), 0);
    std::vector<const SGP4*> sats;
    for (object_t* o = objs.first; o; o = o->next)
        sats.push_back(o->sgp4);
    ASSERT_GT(sats.size(), 11000u);
    const size_t n = sats.size();

    SGP4Batch batch;
    batch.Assign(sats.data(), n);
    std::vector<scalar_t> ref(n);
    std::vector<Vector> pos(n), vel(n);
    std::vector<CoordGeodetic> geo(n);
    std::vector<PropagationFailure> temeFailure(n), geoFailure(n);
    worst_t worst;
    size_t failures = 0;
    // Six months past the elements' epochs: many satellites decayed.
    const DateTime t0(2026, 12, 6, 0, 0, 0, 0);
    for (int k = 0; k < kInstants; ++k) {
        const DateTime t = t0.AddMicroseconds(int64_t(k) * 60000000);
        for (size_t i = 0; i < n; ++i)
            ref[i] = scalar_at(*sats[i], 0, &t);
        for_each_target([&] {
            batch.Teme(t, pos.data(), vel.data(), temeFailure.data());
            batch.Geodetic(t, geo.data(), geoFailure.data());
            for (size_t i = 0; i < n; ++i) {
                worst.mismatches += temeFailure[i] != ref[i].failure || geoFailure[i] != ref[i].failure;
                if (ref[i].failure != PropagationFailure::None)
                    continue;
                worst.Position(pos[i], ref[i].eci.Position());
                worst.Velocity(vel[i], ref[i].eci.Velocity());
                worst.Geodetic(geo[i], ref[i].geo);
            }
        });
        for (const scalar_t& r : ref)
            failures += r.failure != PropagationFailure::None;
    }
    worst.Expect();
    EXPECT_GT(failures, 0u) << "the snapshot holds decayed satellites";
    std::string targets;
    for (int64_t target : hwy::SupportedAndGeneratedTargets())
        targets += std::string(" ") + hwy::TargetName(target);
    std::printf("dispatch %s (tested:%s); largest differences: %.2e km, %.2e km/s, %.2e rad, "
                "altitude %.2e km\n",
                SGP4Batch::Target(), targets.c_str(), worst.km, worst.kms, worst.rad, worst.altKm);
}

// One satellite at many instants, among them instants where the model fails,
// times beyond its range and NaN, in runs that do not fill the lanes.
TEST(Sgp4Batch, OneSatelliteAtManyInstantsMatchesScalar)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> hostile = {0.0, -0.0, nan, 1.0e8, -1.0e8, 3.0e6, -4.5e5,
                                         std::numeric_limits<double>::infinity(), 1440.0, 20.0};
    const std::vector<std::pair<std::string, std::string>> sets = {
        {s_line1, s_line2},
        // Perigee below 220 km (the simple model); drag strong enough to decay.
        {"1 90002U 24001B   24001.50000000  .25000000  00000-0  50000-0 0  9992",
         "2 90002  96.4736 157.9986 0303955 244.0492 110.6523 16.46015938    15"},
        // B* of 1e13, which no satellite has: rounding differences would
        // outgrow the failure checks' margins, so the scalar model takes it.
        {csv_row({{7, "1"}, {8, "0"}, {14, "9.52176e12"}}), ""},
        // Deep space: the scalar path in order.
        {"1 90003U 24001C   24001.50000000  .00000000  00000-0  00000-0 0  9993",
         "2 90003  63.4000 157.9986 7200000 270.0000  10.0000  2.00600000    10"},
    };
    for (const auto& set : sets) {
        const std::string &l1 = set.first, &l2 = set.second;
        SCOPED_TRACE(l1.substr(0, 12));
        std::vector<double> ts = hostile;
        for (int i = 0; i < 37; ++i)
            ts.push_back(-60.0 + 7.3 * i);
        for (size_t n : {ts.size(), size_t(1), size_t(9)}) {
            for_each_target([&] {
                // Every run has its own propagators, so that a deep-space
                // satellite's integrator walks the same instants in each.
                const SGP4 sat = make_sgp4(l1, l2);
                const SGP4 temeRef = make_sgp4(l1, l2);
                const SGP4 geoSat = make_sgp4(l1, l2);
                const SGP4 geoRef = make_sgp4(l1, l2);
                std::vector<DateTime> dts;
                std::vector<scalar_t> ref, geoRefs;
                for (size_t i = 0; i < n; ++i) {
                    const double t = std::isfinite(ts[i]) && std::fabs(ts[i]) < 1e9 ? ts[i] : 0.0;
                    dts.push_back(sat.Elements().Epoch().AddMicroseconds(int64_t(t * 6e7)));
                    ref.push_back(scalar_at(temeRef, ts[i], nullptr));
                    geoRefs.push_back(scalar_at(geoRef, 0, &dts[i]));
                }
                const Vector marker{-1, -1, -1, 0};
                std::vector<Vector> pos(n, marker), vel(n, marker);
                std::vector<CoordGeodetic> geo(n);
                std::vector<PropagationFailure> failure(n), geoFailure(n);
                SGP4Batch::TemeAt(sat, ts.data(), n, pos.data(), vel.data(), failure.data());
                SGP4Batch::GeodeticAt(geoSat, dts.data(), n, geo.data(), geoFailure.data());
                worst_t worst;
                for (size_t i = 0; i < n; ++i) {
                    EXPECT_EQ(failure[i], ref[i].failure) << "t = " << ts[i];
                    EXPECT_EQ(geoFailure[i], geoRefs[i].failure) << "t = " << ts[i];
                    if (ref[i].failure != PropagationFailure::None)
                        EXPECT_EQ(pos[i].x, -1.0) << "a failed lane's entry is left alone";
                    else
                        worst.Position(pos[i], ref[i].eci.Position()), worst.Velocity(vel[i], ref[i].eci.Velocity());
                    if (geoRefs[i].failure == PropagationFailure::None)
                        worst.Geodetic(geo[i], geoRefs[i].geo);
                }
                worst.Expect();
            });
        }
    }
}

// Mixed catalogues: near-earth and deep-space satellites interleaved, lanes
// left over at the end, reassignment and an empty batch.
TEST(Sgp4Batch, MixedCataloguesKeepTheirOrder)
{
    const SGP4 near = make_sgp4(s_line1, s_line2);
    const SGP4 deep = make_sgp4(
        tle_patch("1 90003U 24001C   24001.50000000  .00000000  00000-0  00000-0 0  9993"),
        tle_patch("2 90003  63.4000 157.9986 7200000 270.0000  10.0000  2.00600000    10"));
    std::vector<const SGP4*> sats;
    for (int i = 0; i < 13; ++i)
        sats.push_back(i % 3 == 1 ? &deep : &near);
    SGP4Batch batch;
    const DateTime t = near.Elements().Epoch().AddMicroseconds(5400000000LL);
    for (size_t n : {size_t(13), size_t(2), size_t(0)}) {
        batch.Assign(sats.data(), n);
        ASSERT_EQ(batch.Size(), n);
        std::vector<Vector> pos(n);
        std::vector<CoordGeodetic> geo(n);
        std::vector<PropagationFailure> failure(n, PropagationFailure::Decayed), geoFailure(n);
        batch.Teme(t, pos.data(), nullptr, failure.data());
        batch.Geodetic(t, geo.data(), geoFailure.data());
        for (size_t i = 0; i < n; ++i) {
            const scalar_t r = scalar_at(*sats[i], 0, &t);
            ASSERT_EQ(failure[i], PropagationFailure::None) << i;
            ASSERT_EQ(geoFailure[i], PropagationFailure::None) << i;
            EXPECT_LE(std::hypot(pos[i].x - r.eci.Position().x, pos[i].y - r.eci.Position().y,
                                 pos[i].z - r.eci.Position().z), kKm) << i;
            EXPECT_NEAR(geo[i].latitude, r.geo.latitude, kRad) << i;
        }
    }
    batch.Clear();
    EXPECT_EQ(batch.Size(), 0u);
}
