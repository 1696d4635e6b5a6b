// The published verification cases against the reference program's output:
// every row of every case, each case held to its own tolerance, by the
// scalar model and by the batch path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "../datafile/elements_fixture.h"
#include "sgp4/SGP4.h"
#include "sgp4/SGP4Batch.h"

namespace {

const std::string s_dir = std::string(SKYTRACE_SHARED_DATA) + "/sgp4-verification";

struct verCase_t {
    std::string line1, line2;
    double start = 0, stop = 0, step = 0;
};

struct refRow_t {
    double t, v[6];  // minutes; km and km/s
};

// Cases cut to 69 columns; a blank ephemeris-type column becomes '0' and a
// wrong checksum is recomputed (cases 11801 and 33333 to 33335 need it).
std::vector<verCase_t> readCases()
{
    std::vector<verCase_t> cases;
    std::ifstream in(s_dir + "/SGP4-VER.TLE");
    std::string l, l1;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        if (l.compare(0, 2, "1 ") == 0) {
            l1 = l;
        } else if (l.compare(0, 2, "2 ") == 0 && !l1.empty()) {
            verCase_t c;
            c.line1 = l1.substr(0, 69);
            c.line2 = l.substr(0, 69);
            std::istringstream rest(l.substr(69));
            rest >> c.start >> c.stop >> c.step;
            c.line1[62] = c.line1[62] == ' ' ? '0' : c.line1[62];
            c.line1 = tle_patch(c.line1), c.line2 = tle_patch(c.line2);
            cases.push_back(c);
            l1.clear();
        }
    }
    return cases;
}

// The reference output: per case (in file order) its rows.
std::vector<std::pair<unsigned, std::vector<refRow_t>>> readReference()
{
    std::vector<std::pair<unsigned, std::vector<refRow_t>>> out;
    std::ifstream in(s_dir + "/tcppver.out");
    std::string l;
    while (std::getline(in, l)) {
        std::istringstream row(l);
        refRow_t r;
        if (l.find("xx") != std::string::npos)
            out.push_back({unsigned(std::stoul(l)), {}});
        else if (!out.empty() && row >> r.t >> r.v[0] >> r.v[1] >> r.v[2] >> r.v[3] >> r.v[4] >> r.v[5])
            out.back().second.push_back(r);
    }
    return out;
}

// The times the reference program visits: 0, start + i * step below stop, stop.
std::vector<double> caseTimes(const verCase_t& c)
{
    std::vector<double> ts;
    if (c.start != 0.0)
        ts.push_back(0.0);
    double t = c.start;
    for (int i = 0; t < c.stop - 1e-9; t = c.start + ++i * c.step)
        ts.push_back(t);
    ts.push_back(c.stop);
    return ts;
}

struct tolerance_t {
    double pos, vel;  // km, km/s
};

// A state at one instant: the failure's message, or the position and velocity.
struct state_t {
    std::string error;
    libsgp4::Vector p, v;
};

// The states at ts up to the first failure, by the scalar model (throwing
// FindPosition one instant at a time) or the batch path (all at once).
std::vector<state_t> propagate(bool batch, const libsgp4::SGP4& sgp4, const std::vector<double>& ts)
{
    std::vector<state_t> out;
    if (batch) {
        const size_t n = ts.size();
        std::vector<libsgp4::Vector> p(n), v(n);
        std::vector<libsgp4::PropagationFailure> f(n);
        libsgp4::SGP4Batch::TemeAt(sgp4, ts.data(), n, p.data(), v.data(), f.data());
        for (size_t i = 0; i < n && (i == 0 || out.back().error.empty()); ++i)
            out.push_back({libsgp4::PropagationFailureMessage(f[i]), p[i], v[i]});
        return out;
    }
    for (double t : ts) {
        try {
            const libsgp4::Eci eci = sgp4.FindPosition(t);
            out.push_back({"", eci.Position(), eci.Velocity()});
        } catch (const std::runtime_error& e) {
            out.push_back({e.what(), {}, {}});
            break;
        }
    }
    return out;
}

}  // namespace

TEST(Sgp4Verification, EveryCaseMatchesTheReference)
{
    if (!std::ifstream(s_dir + "/tcppver.out"))
        GTEST_SKIP() << "verification data not found in " << s_dir;

    const std::vector<verCase_t> cases = readCases();
    const auto reference = readReference();
    ASSERT_EQ(cases.size(), reference.size());

    // Where this model departs from the reference on purpose, and by how much.
    // Near earth: the recovered semi-major axis a0 / (1 - del0).
    const tolerance_t nearEarth{3e-6, 3e-9}, deepSpace{6e-7, 3e-9};
    const std::map<unsigned, tolerance_t> special = {
        {23599, {1.2, 1.2e-3}},     // node wrapped in the low-inclination periodics
        {23333, {0.012, 1e-6}},     // epoch Julian date held in one double
        {33335, {1.5e-4, 1.5e-8}},  // eccentricity clamped after the periodics
        {33333, {5000.0, 5.0}}};    // e = 0.995 magnifies the semi-major axis difference
    // Where the reference ends a case early ("case minutes message"), and
    // this model's message there.
    const std::vector<std::string> endings = {
        "22312 494.2029 Error: (e <= -0.001)", "28350 1560.0000 Error: (e <= -0.001)",
        "28872 55.0000 Satellite decayed",     "29141 440.0000 Satellite decayed",
        "33333 25.0000 Error: (elsq >= 1.0)",  "33334 0.0000 Error: (e <= -0.001)",
        "20413 1844345.0000 Satellite decayed"};
    std::vector<std::string> ended;
    const auto end = [&](unsigned id, double t, const char* message) {
        char head[64];
        std::snprintf(head, sizeof head, "%u %.4f ", id, t);
        ended.push_back(head + std::string(message));
    };

    for (bool batch : {false, true}) {
        SCOPED_TRACE(batch ? "batch path" : "scalar path");
        ended.clear();
        std::pair<double, unsigned> worstNear{0, 0}, worstDeep{0, 0};  // km, case
        for (size_t k = 0; k < cases.size(); ++k) {
            const verCase_t& c = cases[k];
            const unsigned id = reference[k].first;
            const std::vector<refRow_t>& rows = reference[k].second;
            SCOPED_TRACE("case " + std::to_string(id));
            const std::vector<OrbitalElements_t> el = read_all<TleFile>(c.line1 + "\n" + c.line2 + "\n");
            ASSERT_EQ(el.size(), 1u);
            ASSERT_EQ(el[0].catalogNumber, id);
            const libsgp4::SGP4 sgp4{libsgp4::Tle(el[0])};

            std::vector<double> ts = caseTimes(c);
            ASSERT_LE(rows.size(), ts.size());
            if (id == 33334) {
                // The reference fails at epoch and prints the previous case's last state.
                ASSERT_EQ(rows.size(), 1u);
                const refRow_t& prev = reference[k - 1].second.back();
                EXPECT_TRUE(std::equal(rows[0].v, rows[0].v + 6, prev.v));
                const std::vector<state_t> st = propagate(batch, sgp4, {0.0});
                if (!st[0].error.empty())
                    end(id, 0.0, st[0].error.c_str());
                continue;
            }
            ts.resize(std::min(ts.size(), rows.size() + 1));
            const std::vector<state_t> states = propagate(batch, sgp4, ts);
            ASSERT_GE(states.size(), rows.size());
            double worst = 0;
            for (size_t i = 0; i < rows.size(); ++i) {
                ASSERT_NEAR(rows[i].t, ts[i], 1e-6);
                ASSERT_EQ(states[i].error, "") << "t = " << rows[i].t;
                const libsgp4::Vector &p = states[i].p, &v = states[i].v;
                const double* r = rows[i].v;
                const double dp = std::hypot(p.x - r[0], p.y - r[1], p.z - r[2]);
                const double dv = std::hypot(v.x - r[3], v.y - r[4], v.z - r[5]);
                const auto sp = special.find(id);
                const tolerance_t tol = sp != special.end() ? sp->second : sgp4.UsesDeepSpace() ? deepSpace : nearEarth;
                EXPECT_LE(dp, tol.pos) << "t = " << rows[i].t;
                EXPECT_LE(dv, tol.vel) << "t = " << rows[i].t;
                worst = std::max(worst, dp);
            }
            std::pair<double, unsigned>& worstOf = sgp4.UsesDeepSpace() ? worstDeep : worstNear;
            if (worst > worstOf.first && !special.count(id))
                worstOf = {worst, id};
            if (rows.size() < ts.size()) {
                if (states.size() > rows.size() && !states[rows.size()].error.empty())
                    end(id, ts[rows.size()], states[rows.size()].error.c_str());
                else
                    ADD_FAILURE() << "no error at t = " << ts[rows.size()];
            }
        }
        EXPECT_EQ(ended, endings);
        std::printf("%s: largest near-earth difference %.3e km (case %u), deep-space %.3e km (case %u)\n",
                    batch ? "batch" : "scalar", worstNear.first, worstNear.second, worstDeep.first,
                    worstDeep.second);
    }
}

// The catalogue's batch path (many satellites at one instant, deep-space ones
// in lanes with their own integrators) at every case's instants, in order,
// against the scalar model at the same instants: the same failures, and
// states within a millimetre.
TEST(Sgp4Verification, CataloguePathMatchesScalar)
{
    if (!std::ifstream(s_dir + "/SGP4-VER.TLE"))
        GTEST_SKIP() << "verification data not found in " << s_dir;
    for (const verCase_t& c : readCases()) {
        const std::vector<OrbitalElements_t> el = read_all<TleFile>(c.line1 + "\n" + c.line2 + "\n");
        ASSERT_EQ(el.size(), 1u);
        SCOPED_TRACE("case " + std::to_string(el[0].catalogNumber));
        const libsgp4::SGP4 scalar{libsgp4::Tle(el[0])};
        const libsgp4::SGP4 lanes{libsgp4::Tle(el[0])};
        const libsgp4::SGP4* sat = &lanes;
        libsgp4::SGP4Batch batch;
        batch.Assign(&sat, 1);
        for (double t : caseTimes(c)) {
            const libsgp4::DateTime dt = scalar.Elements().Epoch().AddMinutes(t);
            libsgp4::Eci eci;
            libsgp4::PropagationFailure expected;
            scalar.TryFindPosition(dt, eci, expected);
            libsgp4::Vector p, v;
            libsgp4::PropagationFailure got;
            batch.Teme(dt, &p, &v, &got);
            ASSERT_EQ(got, expected) << "t = " << t;
            if (got != libsgp4::PropagationFailure::None)
                continue;
            const libsgp4::Vector& q = eci.Position();
            EXPECT_LE(std::hypot(p.x - q.x, p.y - q.y, p.z - q.z), 1e-6) << "t = " << t;
        }
    }
}
