// One satellite at many instants: the one place where the observer code
// asks the orbit model for states, so that a batch propagator can take over.
#pragma once
#include <cstddef>

namespace libsgp4 {
class DateTime;
class Eci;
class SGP4;
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
