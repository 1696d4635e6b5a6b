#include "observer/propagate.h"

#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/SGP4.h"

size_t prop_states(const libsgp4::SGP4& sgp4, const libsgp4::DateTime* at, size_t n,
                   libsgp4::Eci* out, bool* ok)
{
    // 1 / a must stay above 1 / (1.1 a of the elements).
    const double leastInverse =
        1.0 / (1.1 * sgp4.Elements().RecoveredSemiMajorAxis() * libsgp4::kXKMPER);
    size_t good = 0;
    for (size_t i = 0; i < n; ++i) {
        libsgp4::PropagationFailure failure;
        ok[i] = sgp4.TryFindPosition(at[i], out[i], failure);
        if (ok[i]) {
            const libsgp4::Vector& r = out[i].Position();
            const libsgp4::Vector& v = out[i].Velocity();
            const double rr = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
            const double inverseA = 2.0 / rr - (v.x * v.x + v.y * v.y + v.z * v.z) / kPropGm;
            ok[i] = inverseA >= leastInverse;
        }
        good += ok[i] ? 1 : 0;
    }
    return good;
}
