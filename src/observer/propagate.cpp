#include "observer/propagate.h"

#include <algorithm>
#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"
#include "sgp4/SGP4Batch.h"

namespace {

// Whether the state (km, km/s) is an orbit whose 1 / a is at least leastInverse.
bool bound(const libsgp4::Vector& r, const libsgp4::Vector& v, double leastInverse)
{
    const double rr = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
    return 2.0 / rr - (v.x * v.x + v.y * v.y + v.z * v.z) / kPropGm >= leastInverse;
}

// 1 / a must stay above 1 / (1.1 a of the elements).
double least_inverse(const libsgp4::SGP4& sgp4)
{
    return 1.0 / (1.1 * sgp4.Elements().RecoveredSemiMajorAxis() * libsgp4::kXKMPER);
}

}  // namespace

size_t prop_states(const libsgp4::SGP4& sgp4, const libsgp4::DateTime* at, size_t n,
                   libsgp4::Eci* out, bool* ok)
{
    const double leastInverse = least_inverse(sgp4);
    const libsgp4::DateTime& epoch = sgp4.Elements().Epoch();
    // The instants go to the batch propagator a chunk at a time, as minutes
    // since the epoch exactly as the one-instant call computes them. A few
    // instants go to the scalar model: filling the lanes with the satellite's
    // constants costs more than they save (the pass finder's single steps
    // took about 10 % longer in the lanes).
    constexpr size_t kFewest = 4;
    if (n < kFewest) {
        size_t good = 0;
        for (size_t i = 0; i < n; ++i) {
            libsgp4::PropagationFailure failure;
            ok[i] = sgp4.TryFindPosition(at[i], out[i], failure) &&
                    bound(out[i].Position(), out[i].Velocity(), leastInverse);
            good += ok[i] ? 1 : 0;
        }
        return good;
    }
    constexpr size_t kChunk = 32;
    double tsince[kChunk];
    libsgp4::Vector pos[kChunk], vel[kChunk];
    libsgp4::PropagationFailure failure[kChunk];
    size_t good = 0;
    for (size_t start = 0; start < n; start += kChunk) {
        const size_t m = std::min(kChunk, n - start);
        for (size_t j = 0; j < m; ++j)
            tsince[j] = at[start + j].MinutesSince(epoch);
        libsgp4::SGP4Batch::TemeAt(sgp4, tsince, m, pos, vel, failure);
        for (size_t j = 0; j < m; ++j) {
            const size_t i = start + j;
            ok[i] = failure[j] == libsgp4::PropagationFailure::None;
            if (ok[i]) {
                ok[i] = bound(pos[j], vel[j], leastInverse);
                out[i] = libsgp4::Eci(epoch.AddMinutes(tsince[j]), pos[j], vel[j]);
            }
            good += ok[i] ? 1 : 0;
        }
    }
    return good;
}

bool prop_batched(const libsgp4::SGP4& sgp4)
{
    return libsgp4::SGP4Batch::ManyAtOnce(sgp4);
}

propSlots_t::propSlots_t(size_t n)
    : m_lanes(n), m_sats(m_lanes.Size(), nullptr), m_leastInverse(m_sats.size()),
      m_tsince(m_sats.size()), m_pos(m_sats.size()), m_vel(m_sats.size()),
      m_failure(m_sats.size())
{
}

void propSlots_t::Put(size_t slot, const libsgp4::SGP4& sgp4)
{
    m_lanes.Put(slot, sgp4);
    m_sats[slot] = &sgp4;
    m_leastInverse[slot] = least_inverse(sgp4);
}

void propSlots_t::States(const libsgp4::DateTime* at, libsgp4::Eci* out, bool* ok)
{
    for (size_t i = 0; i < m_sats.size(); ++i)
        m_tsince[i] = m_sats[i] ? at[i].MinutesSince(m_sats[i]->Elements().Epoch()) : 0.0;
    m_lanes.Teme(m_tsince.data(), m_pos.data(), m_vel.data(), m_failure.data());
    for (size_t i = 0; i < m_sats.size(); ++i) {
        if (!m_sats[i])
            continue;
        ok[i] = m_failure[i] == libsgp4::PropagationFailure::None &&
                bound(m_pos[i], m_vel[i], m_leastInverse[i]);
        if (ok[i])
            out[i] = libsgp4::Eci(m_sats[i]->Elements().Epoch().AddMinutes(m_tsince[i]), m_pos[i],
                                  m_vel[i]);
    }
}
