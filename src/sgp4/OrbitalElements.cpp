#include "sgp4/OrbitalElements.h"

#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/Tle.h"

namespace libsgp4 {

OrbitalElements::OrbitalElements(const Tle& tle)
{
    const double deg = kPI / 180.0;
    meanAnomaly = tle.MeanAnomaly() * deg;
    ascendingNode = tle.RightAscendingNode() * deg;
    argumentPerigee = tle.ArgumentPerigee() * deg;
    eccentricity = tle.Eccentricity();
    inclination = tle.Inclination() * deg;
    meanMotion = tle.MeanMotion() * kTWOPI / kMINUTES_PER_DAY;
    bstar = tle.BStar();
    epoch = tle.Epoch();

    // Recover the original mean motion and semi-major axis from the
    // published (Kozai) mean motion.
    const double a1 = std::pow(kXKE / meanMotion, kTWOTHIRD);
    const double cosio = std::cos(inclination);
    const double x3thm1 = 3.0 * cosio * cosio - 1.0;
    const double betao2 = 1.0 - eccentricity * eccentricity;
    const double betao = std::sqrt(betao2);
    const double temp = 1.5 * kCK2 * x3thm1 / (betao * betao2);
    const double del1 = temp / (a1 * a1);
    const double a0 = a1 * (1.0 - del1 * (1.0 / 3.0 + del1 * (1.0 + 134.0 * del1 / 81.0)));
    const double del0 = temp / (a0 * a0);

    unKozaiMeanMotion = meanMotion / (1.0 + del0);
    unKozaiSemiMajorAxis = a0 / (1.0 - del0);
    perigee = (unKozaiSemiMajorAxis * (1.0 - eccentricity) - kAE) * kXKMPER;
    period = kTWOPI / unKozaiMeanMotion;
}

}  // namespace libsgp4
