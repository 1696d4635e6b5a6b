#include "objects/walker.h"

#include <cmath>

#include "sgp4/Constants.h"

double walker_mean_motion(double altitude_km)
{
    // Kepler's third law in the model's units: earth radii and minutes.
    const double a = (libsgp4::kXKMPER + altitude_km) / libsgp4::kXKMPER;
    const double radPerMin = libsgp4::kXKE / (a * std::sqrt(a));
    return radPerMin * libsgp4::kMINUTES_PER_DAY / libsgp4::kTWOPI;
}

void walker_angles(const walkerShell_t& shell, long p, long k, double* raan, double* meanAnomaly)
{
    const double total = double(shell.planes) * double(shell.perPlane);
    *raan = std::fmod(360.0 * double(p) / double(shell.planes), 360.0);
    *meanAnomaly = std::fmod(360.0 * double(k) / double(shell.perPlane) +
                                 360.0 * double(shell.phasing) * double(p) / total,
                             360.0);
}

void walker_shell(std::vector<OrbitalElements_t>& out, const walkerShell_t& shell,
                  uint32_t firstNumber, const std::string& prefix, const int epoch[6])
{
    const double meanMotion = walker_mean_motion(shell.altitude);
    uint32_t number = firstNumber;
    for (int p = 0; p < shell.planes; ++p) {
        for (int s = 0; s < shell.perPlane; ++s, ++number) {
            OrbitalElements_t el;
            el.name = prefix + "-" + std::to_string(number);
            el.catalogNumber = number;
            el.classification = 'U';
            el.epochYear = static_cast<uint32_t>(epoch[0]);
            el.epochMonth = epoch[1];
            el.epochDayOfMonth = epoch[2];
            el.epochHour = epoch[3];
            el.epochMinute = epoch[4];
            el.epochSecond = epoch[5];
            el.inclination = shell.inclination;
            walker_angles(shell, p, s, &el.raan, &el.meanAnomaly);
            el.eccentricity = shell.eccentricity;
            el.meanMotion = meanMotion;
            out.push_back(el);
        }
    }
}
