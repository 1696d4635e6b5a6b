#include "sgp4/SGP4Batch.h"

#include <algorithm>
#include <cmath>

#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"

namespace libsgp4 {

namespace {

// Lanes computed together: their working arrays stay in the first-level cache.
constexpr size_t kChunk = 8 * kBlockLanes;

// Working arrays of one chunk of lanes.
struct chunk_t {
    double t[kChunk], x[kChunk], y[kChunk], z[kChunk], vx[kChunk], vy[kChunk], vz[kChunk];
    double gmst[kChunk], lat[kChunk], lon[kChunk], alt[kChunk];
    uint8_t status[kChunk], redoGeo[kChunk];

    laneState_t State() { return laneState_t{x, y, z, vx, vy, vz}; }
    void Propagate(const laneBlock_t* blocks, size_t blockStride, size_t m)
    {
        sgp4_lanes_propagate(blocks, blockStride, t, m, State(), status);
    }
    void PropagateDeep(const deepBlock_t* blocks, const laneIntegrator_t& state, size_t m)
    {
        sgp4_lanes_propagate_deep(blocks, t, m, state, State(), status);
    }
    // The geodetic conversion of every lane, with gmst set.
    void Geodetic(size_t m) { sgp4_lanes_geodetic(x, y, z, gmst, m, lat, lon, alt, redoGeo); }
    // Lane j's outcome (not kLaneRedo); its results go into the caller's
    // entries where it succeeded.
    PropagationFailure Store(size_t j, Vector* pos, Vector* vel) const
    {
        const PropagationFailure failure = static_cast<PropagationFailure>(status[j]);
        if (failure != PropagationFailure::None)
            return failure;
        pos->x = x[j];
        pos->y = y[j];
        pos->z = z[j];
        if (vel) {
            vel->x = vx[j];
            vel->y = vy[j];
            vel->z = vz[j];
        }
        return failure;
    }
    PropagationFailure Store(size_t j, const DateTime& dt, CoordGeodetic* out) const
    {
        const PropagationFailure failure = static_cast<PropagationFailure>(status[j]);
        if (failure != PropagationFailure::None)
            return failure;
        if (redoGeo[j]) {
            Vector p, v;
            Store(j, &p, &v);
            *out = Eci(dt, p, v).ToGeodetic();
        } else {
            out->latitude = lat[j];
            out->longitude = lon[j];
            out->altitude = alt[j];
        }
        return failure;
    }
};

// The scalar model at tsince, stored as the batch stores results.
PropagationFailure ScalarTeme(const SGP4& sat, double tsince, Vector* pos, Vector* vel)
{
    Eci eci;
    PropagationFailure failure = PropagationFailure::None;
    if (sat.TryFindPosition(tsince, eci, failure)) {
        *pos = eci.Position();
        if (vel)
            *vel = eci.Velocity();
    }
    return failure;
}

PropagationFailure ScalarGeodetic(const SGP4& sat, const DateTime& dt, CoordGeodetic* out)
{
    Eci eci;
    PropagationFailure failure = PropagationFailure::None;
    if (sat.TryFindPosition(dt, eci, failure))
        *out = eci.ToGeodetic();
    return failure;
}

// Lanes rounded up to whole blocks.
size_t whole_blocks(size_t lanes)
{
    return (lanes + kBlockLanes - 1) / kBlockLanes * kBlockLanes;
}

// Propagates every lane of a group at dt a chunk at a time: propagate(start,
// m) runs the kernel on lanes start.. (m of them, times in c.t), then
// done(j, i) takes lane j of the chunk, satellite i.
template <class Propagate, class Done>
void run_lanes(const std::vector<size_t>& sat, const std::vector<DateTime>& epoch,
               const DateTime& dt, chunk_t& c, Propagate propagate, Done done)
{
    for (size_t start = 0; start < sat.size(); start += kChunk) {
        const size_t count = std::min(kChunk, sat.size() - start);
        const size_t m = whole_blocks(count);
        for (size_t j = 0; j < m; ++j)
            c.t[j] = j < count ? dt.MinutesSince(epoch[start + j]) : 0.0;
        propagate(start, m);
        for (size_t j = 0; j < count; ++j)
            done(j, sat[start + j]);
    }
}

}  // namespace

void SGP4Batch::Pack(const SGP4& sat, laneBlock_t& b, size_t slot)
{
    const OrbitalElements& el = sat.m_elements;
    const auto& c = sat.m_common;
    const auto& ne = sat.m_nearspace;
    // The simple model skips the higher-order drag terms: zero constants
    // make the lanes' formulas give exactly its values.
    const bool full = !sat.m_useSimpleModel;
    const auto set = [&](LaneConstant row, double v) { b.v[row][slot] = v; };
    set(LC_M0, el.MeanAnomaly());
    set(LC_ARGP0, el.ArgumentPerigee());
    set(LC_NODE0, el.AscendingNode());
    set(LC_XMDOT, c.xmdot);
    set(LC_OMGDOT, c.omgdot);
    set(LC_XNODOT, c.xnodot);
    set(LC_XNODCF, c.xnodcf);
    set(LC_C1, c.c1);
    set(LC_BSTAR_C4, el.BStar() * c.c4);
    set(LC_T2COF, c.t2cof);
    set(LC_OMGCOF, full ? ne.omgcof : 0.0);
    set(LC_XMCOF, full ? ne.xmcof : 0.0);
    set(LC_ETA, c.eta);
    set(LC_DELMO, ne.delmo);
    set(LC_D2, full ? ne.d2 : 0.0);
    set(LC_D3, full ? ne.d3 : 0.0);
    set(LC_D4, full ? ne.d4 : 0.0);
    set(LC_BSTAR_C5, full ? el.BStar() * ne.c5 : 0.0);
    set(LC_SINMO, ne.sinmo);
    set(LC_T3COF, full ? ne.t3cof : 0.0);
    set(LC_T4COF, full ? ne.t4cof : 0.0);
    set(LC_T5COF, full ? ne.t5cof : 0.0);
    set(LC_A0, el.RecoveredSemiMajorAxis());
    set(LC_E0, el.Eccentricity());
    set(LC_N0, el.RecoveredMeanMotion());
    set(LC_INCL, el.Inclination());
    set(LC_SINIO, c.sinio);
    set(LC_COSIO, c.cosio);
    set(LC_X3THM1, c.x3thm1);
    set(LC_X1MTH2, c.x1mth2);
    set(LC_X7THM1, c.x7thm1);
    set(LC_XLCOF, c.xlcof);
    set(LC_AYCOF, c.aycof);
}

bool SGP4Batch::InLanes(const SGP4& sat)
{
    // Real element sets: |B*| up to about 0.15, |B* c5| 4e-5, |xmcof eta|
    // 0.07, |c1| 1.2e-6.
    const double bstar = sat.m_elements.BStar();
    if (!(std::fabs(bstar) <= 1.0 && std::fabs(sat.m_common.c1) <= 1e-3))
        return false;
    if (sat.m_useDeepSpace)
        return true;
    const auto& ne = sat.m_nearspace;
    return std::fabs(bstar * ne.c5) <= 1e-2 && std::fabs(ne.xmcof * sat.m_common.eta) <= 10.0;
}

void SGP4Batch::PackDeep(const SGP4& sat, deepBlock_t& b, size_t slot)
{
    const OrbitalElements& el = sat.m_elements;
    const auto& c = sat.m_common;
    const auto& ds = sat.m_deepspace;
    const auto set = [&](DeepConstant row, double v) { b.v[row][slot] = v; };
    set(DC_M0, el.MeanAnomaly());
    set(DC_ARGP0, el.ArgumentPerigee());
    set(DC_NODE0, el.AscendingNode());
    set(DC_XMDOT, c.xmdot);
    set(DC_OMGDOT, c.omgdot);
    set(DC_XNODOT, c.xnodot);
    set(DC_XNODCF, c.xnodcf);
    set(DC_C1, c.c1);
    set(DC_BSTAR_C4, el.BStar() * c.c4);
    set(DC_T2COF, c.t2cof);
    set(DC_N0, el.RecoveredMeanMotion());
    set(DC_E0, el.Eccentricity());
    set(DC_INCL, el.Inclination());
    const double rows[][2] = {
        {DC_GSTO, ds.gsto}, {DC_ZMOL, ds.zmol}, {DC_ZMOS, ds.zmos}, {DC_SSE, ds.sse},
        {DC_SSI, ds.ssi},   {DC_SSL, ds.ssl},   {DC_SSG, ds.ssg},   {DC_SSH, ds.ssh},
        {DC_SE2, ds.se2},   {DC_SI2, ds.si2},   {DC_SL2, ds.sl2},   {DC_SGH2, ds.sgh2},
        {DC_SH2, ds.sh2},   {DC_SE3, ds.se3},   {DC_SI3, ds.si3},   {DC_SL3, ds.sl3},
        {DC_SGH3, ds.sgh3}, {DC_SH3, ds.sh3},   {DC_SL4, ds.sl4},   {DC_SGH4, ds.sgh4},
        {DC_EE2, ds.ee2},   {DC_E3, ds.e3},     {DC_XI2, ds.xi2},   {DC_XI3, ds.xi3},
        {DC_XL2, ds.xl2},   {DC_XL3, ds.xl3},   {DC_XL4, ds.xl4},   {DC_XGH2, ds.xgh2},
        {DC_XGH3, ds.xgh3}, {DC_XGH4, ds.xgh4}, {DC_XH2, ds.xh2},   {DC_XH3, ds.xh3},
        {DC_DEL1, ds.del1}, {DC_DEL2, ds.del2}, {DC_DEL3, ds.del3}, {DC_XFACT, ds.xfact},
        {DC_XLAMO, ds.xlamo}, {DC_D2201, ds.d2201}, {DC_D2211, ds.d2211}, {DC_D3210, ds.d3210},
        {DC_D3222, ds.d3222}, {DC_D4410, ds.d4410}, {DC_D4422, ds.d4422}, {DC_D5220, ds.d5220},
        {DC_D5232, ds.d5232}, {DC_D5421, ds.d5421}, {DC_D5433, ds.d5433}};
    for (const auto& row : rows)
        set(static_cast<DeepConstant>(row[0]), row[1]);
    set(DC_SYNC, ds.resonance == SGP4::RES_SYNCHRONOUS ? 1.0 : 0.0);
    set(DC_HALF, ds.resonance == SGP4::RES_HALF_DAY ? 1.0 : 0.0);
}

void SGP4Batch::Assign(const SGP4* const* sats, size_t n)
{
    Clear();
    m_sats.assign(sats, sats + n);
    for (size_t i = 0; i < n; ++i)
        (!InLanes(*sats[i]) ? m_scalar : sats[i]->UsesDeepSpace() ? m_deepLane : m_lane).push_back(i);
    // Padding lanes repeat the group's last satellite.
    m_blocks.resize(whole_blocks(m_lane.size()) / kBlockLanes);
    for (size_t k = 0; k < m_blocks.size() * kBlockLanes; ++k)
        Pack(*sats[m_lane[std::min(k, m_lane.size() - 1)]], m_blocks[k / kBlockLanes], k % kBlockLanes);
    m_deepBlocks.resize(whole_blocks(m_deepLane.size()) / kBlockLanes);
    for (size_t k = 0; k < m_deepBlocks.size() * kBlockLanes; ++k)
        PackDeep(*sats[m_deepLane[std::min(k, m_deepLane.size() - 1)]], m_deepBlocks[k / kBlockLanes],
                 k % kBlockLanes);
    for (size_t i : m_lane)
        m_epoch.push_back(sats[i]->Elements().Epoch());
    for (size_t i : m_deepLane)
        m_deepEpoch.push_back(sats[i]->Elements().Epoch());
    // Every integrator starts at the epoch.
    m_xli.assign(whole_blocks(m_deepLane.size()), 0.0);
    m_xni.assign(m_xli.size(), 0.0);
    m_atime.assign(m_xli.size(), 0.0);
}

void SGP4Batch::Clear()
{
    m_sats = {};
    m_blocks = {};
    m_lane = {};
    m_epoch = {};
    m_deepBlocks = {};
    m_deepLane = {};
    m_deepEpoch = {};
    m_xli = {};
    m_xni = {};
    m_atime = {};
    m_scalar = {};
}

void SGP4Batch::Teme(const DateTime& dt, Vector* pos, Vector* vel,
                     PropagationFailure* failure) const
{
    chunk_t c;
    const auto done = [&](size_t j, size_t i) {
        Vector* v = vel ? vel + i : nullptr;
        failure[i] = c.status[j] == kLaneRedo ? ScalarTeme(*m_sats[i], c.t[j], pos + i, v)
                                              : c.Store(j, pos + i, v);
    };
    run_lanes(m_lane, m_epoch, dt, c, [&](size_t start, size_t m) {
        c.Propagate(&m_blocks[start / kBlockLanes], 1, m);
    }, done);
    run_lanes(m_deepLane, m_deepEpoch, dt, c, [&](size_t start, size_t m) {
        c.PropagateDeep(&m_deepBlocks[start / kBlockLanes], Integrator(start), m);
    }, done);
    for (size_t i : m_scalar)
        failure[i] = ScalarTeme(*m_sats[i], dt.MinutesSince(m_sats[i]->Elements().Epoch()),
                                pos + i, vel ? vel + i : nullptr);
}

void SGP4Batch::Geodetic(const DateTime& dt, CoordGeodetic* out,
                         PropagationFailure* failure) const
{
    chunk_t c;
    std::fill(c.gmst, c.gmst + kChunk, dt.ToGreenwichSiderealTime());
    const auto done = [&](size_t j, size_t i) {
        failure[i] = c.status[j] == kLaneRedo ? ScalarGeodetic(*m_sats[i], dt, out + i)
                                              : c.Store(j, dt, out + i);
    };
    run_lanes(m_lane, m_epoch, dt, c, [&](size_t start, size_t m) {
        c.Propagate(&m_blocks[start / kBlockLanes], 1, m);
        c.Geodetic(m);
    }, done);
    run_lanes(m_deepLane, m_deepEpoch, dt, c, [&](size_t start, size_t m) {
        c.PropagateDeep(&m_deepBlocks[start / kBlockLanes], Integrator(start), m);
        c.Geodetic(m);
    }, done);
    for (size_t i : m_scalar)
        failure[i] = ScalarGeodetic(*m_sats[i], dt, out + i);
}

laneIntegrator_t SGP4Batch::Integrator(size_t start) const
{
    return laneIntegrator_t{m_xli.data() + start, m_xni.data() + start, m_atime.data() + start};
}

bool SGP4Batch::ManyAtOnce(const SGP4& sat)
{
    return !sat.UsesDeepSpace() && InLanes(sat);
}

void SGP4Batch::TemeAt(const SGP4& sat, const double* tsince, size_t n, Vector* pos, Vector* vel,
                       PropagationFailure* failure)
{
    if (!ManyAtOnce(sat)) {
        for (size_t i = 0; i < n; ++i)
            failure[i] = ScalarTeme(sat, tsince[i], pos + i, vel ? vel + i : nullptr);
        return;
    }
    laneBlock_t block;
    for (size_t slot = 0; slot < kBlockLanes; ++slot)
        Pack(sat, block, slot);
    chunk_t c;
    for (size_t start = 0; start < n; start += kChunk) {
        const size_t count = std::min(kChunk, n - start);
        const size_t m = (count + kBlockLanes - 1) / kBlockLanes * kBlockLanes;
        for (size_t j = 0; j < m; ++j)
            c.t[j] = j < count ? tsince[start + j] : 0.0;
        c.Propagate(&block, 0, m);
        for (size_t j = 0; j < count; ++j) {
            const size_t i = start + j;
            Vector* v = vel ? vel + i : nullptr;
            if (c.status[j] == kLaneRedo)
                failure[i] = ScalarTeme(sat, tsince[i], pos + i, v);
            else
                failure[i] = c.Store(j, pos + i, v);
        }
    }
}

SGP4Batch::Slots::Slots(size_t n)
    : m_sats(whole_blocks(n), nullptr), m_blocks(m_sats.size() / kBlockLanes)
{
}

void SGP4Batch::Slots::Put(size_t slot, const SGP4& sat)
{
    // The first satellite goes into every slot, so that the lanes of slots
    // without one compute real constants too (their results are not stored).
    const size_t from = m_any ? slot : 0, to = m_any ? slot + 1 : m_sats.size();
    for (size_t k = from; k < to; ++k)
        Pack(sat, m_blocks[k / kBlockLanes], k % kBlockLanes);
    m_any = true;
    m_sats[slot] = &sat;
}

void SGP4Batch::Slots::Teme(const double* tsince, Vector* pos, Vector* vel,
                            PropagationFailure* failure) const
{
    if (!m_any)
        return;
    chunk_t c;
    for (size_t start = 0; start < m_sats.size(); start += kChunk) {
        const size_t m = std::min(kChunk, m_sats.size() - start);
        std::copy(tsince + start, tsince + start + m, c.t);
        c.Propagate(&m_blocks[start / kBlockLanes], 1, m);
        for (size_t j = 0; j < m; ++j) {
            const size_t i = start + j;
            if (!m_sats[i])
                continue;
            Vector* v = vel ? vel + i : nullptr;
            failure[i] = c.status[j] == kLaneRedo ? ScalarTeme(*m_sats[i], tsince[i], pos + i, v)
                                                  : c.Store(j, pos + i, v);
        }
    }
}

void SGP4Batch::GeodeticAt(const SGP4& sat, const DateTime* dts, size_t n, CoordGeodetic* out,
                           PropagationFailure* failure)
{
    if (!ManyAtOnce(sat)) {
        for (size_t i = 0; i < n; ++i)
            failure[i] = ScalarGeodetic(sat, dts[i], out + i);
        return;
    }
    laneBlock_t block;
    for (size_t slot = 0; slot < kBlockLanes; ++slot)
        Pack(sat, block, slot);
    const DateTime& epoch = sat.Elements().Epoch();
    chunk_t c;
    for (size_t start = 0; start < n; start += kChunk) {
        const size_t count = std::min(kChunk, n - start);
        const size_t m = (count + kBlockLanes - 1) / kBlockLanes * kBlockLanes;
        for (size_t j = 0; j < m; ++j) {
            const DateTime& dt = dts[start + std::min(j, count - 1)];
            c.t[j] = dt.MinutesSince(epoch);
            c.gmst[j] = dt.ToGreenwichSiderealTime();
        }
        c.Propagate(&block, 0, m);
        c.Geodetic(m);
        for (size_t j = 0; j < count; ++j) {
            const size_t i = start + j;
            if (c.status[j] == kLaneRedo)
                failure[i] = ScalarGeodetic(sat, dts[i], out + i);
            else
                failure[i] = c.Store(j, dts[i], out + i);
        }
    }
}

const char* SGP4Batch::Target()
{
    return sgp4_lanes_target();
}

}  // namespace libsgp4
