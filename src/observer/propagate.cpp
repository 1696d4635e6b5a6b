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

}  // namespace

size_t prop_states(const libsgp4::SGP4& sgp4, const libsgp4::DateTime* at, size_t n,
                   libsgp4::Eci* out, bool* ok)
{
    // 1 / a must stay above 1 / (1.1 a of the elements).
    const double leastInverse =
        1.0 / (1.1 * sgp4.Elements().RecoveredSemiMajorAxis() * libsgp4::kXKMPER);
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
