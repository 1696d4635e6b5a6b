#pragma once
#include "sgp4/DecayedException.h"
#include "sgp4/Eci.h"
#include "sgp4/OrbitalElements.h"
#include "sgp4/SatelliteException.h"
#include "sgp4/Tle.h"

namespace libsgp4 {

// SGP4 (near earth) and SDP4 (deep space) propagation of one element set.
class SGP4 {
public:
    // Elements from the Tle, then Initialise(); throws SatelliteException.
    explicit SGP4(const Tle& tle);

    Eci FindPosition(const DateTime& dt) const;
    // tsince: minutes from the epoch. Throws SatelliteException, DecayedException.
    Eci FindPosition(double tsince) const;
    const OrbitalElements& Elements() const { return m_elements; }

private:
    OrbitalElements m_elements;
};

}  // namespace libsgp4
