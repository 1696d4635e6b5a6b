#pragma once
#include <cstddef>

#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"
#include "sgp4/Vector.h"

namespace libsgp4 {

// Position (km) and velocity (km/s) at an instant in the model's
// true-equator, mean-equinox frame.
class Eci {
public:
    Eci() = default;
    Eci(const DateTime& dt, const Vector& position, const Vector& velocity)
        : m_dt(dt), m_position(position), m_velocity(velocity) {}

    const DateTime& GetDateTime() const { return m_dt; }
    const Vector& Position() const { return m_position; }
    const Vector& Velocity() const { return m_velocity; }
    CoordGeodetic ToGeodetic() const;
    // out[i] = in[i].ToGeodetic() for i < n, the same bits, computed several
    // at a time so that the processor overlaps independent conversions.
    static void ToGeodetic(const Eci* in, CoordGeodetic* out, size_t n);

private:
    DateTime m_dt;
    Vector m_position;
    Vector m_velocity;
};

}  // namespace libsgp4
