#pragma once
#include <stdexcept>

#include "sgp4/DateTime.h"
#include "sgp4/PropagationFailure.h"
#include "sgp4/Vector.h"

namespace libsgp4 {

// The propagated radius fell below one earth radius.
class DecayedException : public std::runtime_error {
public:
    DecayedException(const DateTime& dt, const Vector& pos, const Vector& vel)
        : std::runtime_error(PropagationFailureMessage(PropagationFailure::Decayed)),
          m_dt(dt),
          m_pos(pos),
          m_vel(vel)
    {
    }

    const DateTime& Decayed() const { return m_dt; }
    const Vector& Position() const { return m_pos; }
    const Vector& Velocity() const { return m_vel; }

private:
    DateTime m_dt;
    Vector m_pos;
    Vector m_vel;
};

}  // namespace libsgp4
