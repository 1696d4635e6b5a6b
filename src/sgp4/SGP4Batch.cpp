#include "sgp4/SGP4Batch.h"

#include <algorithm>

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

    void Propagate(const laneBlock_t* blocks, size_t blockStride, size_t m)
    {
        sgp4_lanes_propagate(blocks, blockStride, t, m, laneState_t{x, y, z, vx, vy, vz}, status);
    }
    // Propagation, then the geodetic conversion of every lane with gmst set.
    void PropagateGeodetic(const laneBlock_t* blocks, size_t blockStride, size_t m)
    {
        Propagate(blocks, blockStride, m);
        sgp4_lanes_geodetic(x, y, z, gmst, m, lat, lon, alt, redoGeo);
    }
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

void SGP4Batch::Assign(const SGP4* const* sats, size_t n)
{
    Clear();
    m_sats.assign(sats, sats + n);
    for (size_t i = 0; i < n; ++i)
        (sats[i]->UsesDeepSpace() ? m_scalar : m_lane).push_back(i);
    m_blocks.resize((m_lane.size() + kBlockLanes - 1) / kBlockLanes);
    m_epoch.reserve(m_lane.size());
    for (size_t k = 0; k < m_blocks.size() * kBlockLanes; ++k) {
        const SGP4& sat = *sats[m_lane[std::min(k, m_lane.size() - 1)]];
        Pack(sat, m_blocks[k / kBlockLanes], k % kBlockLanes);
        if (k < m_lane.size())
            m_epoch.push_back(sat.Elements().Epoch());
    }
}

void SGP4Batch::Clear()
{
    m_sats = {};
    m_blocks = {};
    m_lane = {};
    m_epoch = {};
    m_scalar = {};
}

void SGP4Batch::Teme(const DateTime& dt, Vector* pos, Vector* vel,
                     PropagationFailure* failure) const
{
    chunk_t c;
    const size_t lanes = m_lane.size();
    for (size_t start = 0; start < lanes; start += kChunk) {
        const size_t count = std::min(kChunk, lanes - start);
        const size_t m = (count + kBlockLanes - 1) / kBlockLanes * kBlockLanes;
        for (size_t j = 0; j < m; ++j)
            c.t[j] = j < count ? dt.MinutesSince(m_epoch[start + j]) : 0.0;
        c.Propagate(&m_blocks[start / kBlockLanes], 1, m);
        for (size_t j = 0; j < count; ++j) {
            const size_t i = m_lane[start + j];
            Vector* v = vel ? vel + i : nullptr;
            if (c.status[j] == kLaneRedo)
                failure[i] = ScalarTeme(*m_sats[i], c.t[j], pos + i, v);
            else
                failure[i] = c.Store(j, pos + i, v);
        }
    }
    for (size_t i : m_scalar)
        failure[i] = ScalarTeme(*m_sats[i], dt.MinutesSince(m_sats[i]->Elements().Epoch()),
                                pos + i, vel ? vel + i : nullptr);
}

void SGP4Batch::Geodetic(const DateTime& dt, CoordGeodetic* out,
                         PropagationFailure* failure) const
{
    chunk_t c;
    std::fill(c.gmst, c.gmst + kChunk, dt.ToGreenwichSiderealTime());
    const size_t lanes = m_lane.size();
    for (size_t start = 0; start < lanes; start += kChunk) {
        const size_t count = std::min(kChunk, lanes - start);
        const size_t m = (count + kBlockLanes - 1) / kBlockLanes * kBlockLanes;
        for (size_t j = 0; j < m; ++j)
            c.t[j] = j < count ? dt.MinutesSince(m_epoch[start + j]) : 0.0;
        c.PropagateGeodetic(&m_blocks[start / kBlockLanes], 1, m);
        for (size_t j = 0; j < count; ++j) {
            const size_t i = m_lane[start + j];
            if (c.status[j] == kLaneRedo)
                failure[i] = ScalarGeodetic(*m_sats[i], dt, out + i);
            else
                failure[i] = c.Store(j, dt, out + i);
        }
    }
    for (size_t i : m_scalar)
        failure[i] = ScalarGeodetic(*m_sats[i], dt, out + i);
}

void SGP4Batch::TemeAt(const SGP4& sat, const double* tsince, size_t n, Vector* pos, Vector* vel,
                       PropagationFailure* failure)
{
    if (sat.UsesDeepSpace()) {
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

void SGP4Batch::GeodeticAt(const SGP4& sat, const DateTime* dts, size_t n, CoordGeodetic* out,
                           PropagationFailure* failure)
{
    if (sat.UsesDeepSpace()) {
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
        c.PropagateGeodetic(&block, 0, m);
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
