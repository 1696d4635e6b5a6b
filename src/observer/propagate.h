// One satellite at many instants, or many satellites each at its own
// instant: the one place where the observer code asks the orbit model for
// states, so that a batch propagator can take over.
#pragma once
#include <cstddef>
#include <vector>

#include "sgp4/SGP4Batch.h"

namespace libsgp4 {
class Eci;
}

// The GM of the orbit code's Earth (WGS-72), km^3/s^2.
constexpr double kPropGm = 398600.8;

// out[i] and ok[i] for each of the n instants: ok[i] false when the model
// gives no position there, or a state that is no orbit of the element set:
// unbound, or with a semi-major axis (from position and velocity) more than
// 10 % above the element set's. The model reaches such states only by
// extrapolating negative drag terms far past the epoch, which sends element
// sets to absurd distances with motions unrelated to their velocities.
// out[i] is unspecified where ok[i] is false. Returns how many succeeded.
size_t prop_states(const libsgp4::SGP4& sgp4, const libsgp4::DateTime* at, size_t n,
                   libsgp4::Eci* out, bool* ok);

// Whether propSlots_t takes sgp4 (it runs in the vector lanes).
bool prop_batched(const libsgp4::SGP4& sgp4);

// Many satellites, one a slot, each at its own instant, in one call to the
// vector lanes: for searches that advance many satellites side by side.
// Only satellites that prop_batched accepts.
class propSlots_t {
public:
    explicit propSlots_t(size_t n);
    size_t Size() const { return m_sats.size(); }
    void Put(size_t slot, const libsgp4::SGP4& sgp4);
    // The state of every slot given a satellite at at[i], with out[i] and
    // ok[i] as prop_states gives them (at[i] is read for the other slots
    // too; their entries are left as they were).
    void States(const libsgp4::DateTime* at, libsgp4::Eci* out, bool* ok);

private:
    libsgp4::SGP4Batch::Slots m_lanes;
    std::vector<const libsgp4::SGP4*> m_sats;
    std::vector<double> m_leastInverse, m_tsince;
    std::vector<libsgp4::Vector> m_pos, m_vel;
    std::vector<libsgp4::PropagationFailure> m_failure;
};
