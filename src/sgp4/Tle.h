#pragma once
#include <cstdint>
#include <string>

#include "objects/orbital_elements.h"
#include "sgp4/DateTime.h"

namespace libsgp4 {

// The orbit code's record of one element set, in published units.
class Tle {
public:
    explicit Tle(const OrbitalElements_t& el);

    const std::string& Name() const { return name; }
    const std::string& IntlDesignator() const { return intlDesignator; }
    const DateTime& Epoch() const { return epoch; }
    double MeanMotionDot() const { return meanMotionDot; }
    double MeanMotionDdot() const { return meanMotionDdot; }
    double BStar() const { return bstar; }
    double Inclination() const { return inclination; }     // degrees
    double RightAscendingNode() const { return raan; }     // degrees
    double Eccentricity() const { return eccentricity; }
    double ArgumentPerigee() const { return argPerigee; }  // degrees
    double MeanAnomaly() const { return meanAnomaly; }     // degrees
    double MeanMotion() const { return meanMotion; }       // revolutions per day
    uint32_t CatalogNumber() const { return catalogNumber; }
    uint32_t RevNumber() const { return revNumber; }

private:
    std::string name;
    std::string intlDesignator;
    DateTime epoch;
    double meanMotionDot = 0.0;
    double meanMotionDdot = 0.0;
    double bstar = 0.0;
    double inclination = 0.0;
    double raan = 0.0;
    double eccentricity = 0.0;
    double argPerigee = 0.0;
    double meanAnomaly = 0.0;
    double meanMotion = 0.0;
    uint32_t catalogNumber = 0;
    uint32_t revNumber = 0;
};

}  // namespace libsgp4
