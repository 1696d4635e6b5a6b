#pragma once
#include "sgp4/DateTime.h"

namespace libsgp4 {

class Tle;

// Mean elements of one element set in the propagator's units (radians,
// radians per minute, earth radii); built from a Tle and then constant.
class OrbitalElements {
public:
    explicit OrbitalElements(const Tle& tle);

    double MeanAnomaly() const { return meanAnomaly; }
    double AscendingNode() const { return ascendingNode; }
    double ArgumentPerigee() const { return argumentPerigee; }
    double Eccentricity() const { return eccentricity; }
    double Inclination() const { return inclination; }
    double MeanMotion() const { return meanMotion; }
    double BStar() const { return bstar; }
    double RecoveredSemiMajorAxis() const { return unKozaiSemiMajorAxis; }
    double RecoveredMeanMotion() const { return unKozaiMeanMotion; }
    double Perigee() const { return perigee; }  // km above the equatorial radius
    double Period() const { return period; }    // minutes
    const DateTime& Epoch() const { return epoch; }

private:
    double meanAnomaly = 0.0;
    double ascendingNode = 0.0;
    double argumentPerigee = 0.0;
    double eccentricity = 0.0;
    double inclination = 0.0;
    double meanMotion = 0.0;
    double bstar = 0.0;
    double unKozaiSemiMajorAxis = 0.0;
    double unKozaiMeanMotion = 0.0;
    double perigee = 0.0;
    double period = 0.0;
    DateTime epoch;
};

}  // namespace libsgp4
