// Earth and model constants of the orbit code (WGS-72), with the names of
// the model's published equations.
#pragma once
#include <cmath>

namespace libsgp4 {

constexpr double kPI = 3.14159265358979323846;
constexpr double kTWOPI = 2.0 * kPI;
constexpr double kMINUTES_PER_DAY = 1440.0;

constexpr double kXKMPER = 6378.135;               // equatorial radius, km
constexpr double kAE = 1.0;                        // distance unit: one earth radius
constexpr double kXKE = 0.07436691613317342;       // sqrt(GM), earth radii^1.5 per minute
constexpr double kCK2 = 0.000541308;               // 0.5 J2 AE^2
constexpr double kCK4 = 6.2098875e-7;              // -0.375 J4 AE^4
constexpr double kA3OVK2 = 0.004690139440023056;   // -J3 / CK2
constexpr double kQOMS2T = 1.880279159015271e-9;   // ((120 - 78) / XKMPER)^4
constexpr double kS = 1.0122292801892716;          // 1 + 78 / XKMPER
constexpr double kTHDT = 0.0043752690880113;       // earth rotation, rad/min
constexpr double kF = 1.0 / 298.26;                // flattening
constexpr double kTWOTHIRD = 2.0 / 3.0;

// Lunar-solar terms of the deep-space model.
constexpr double kZNS = 1.19459e-5;
constexpr double kC1SS = 2.9864797e-6;
constexpr double kZES = 0.01675;
constexpr double kZNL = 1.5835218e-4;
constexpr double kC1L = 4.7968065e-7;
constexpr double kZEL = 0.0549;
constexpr double kZCOSIS = 0.91744867;
constexpr double kZSINIS = 0.39785416;
constexpr double kZSINGS = -0.98088458;
constexpr double kZCOSGS = 0.1945905;
constexpr double kQ22 = 1.7891679e-6;
constexpr double kQ31 = 2.1460748e-6;
constexpr double kQ33 = 2.2123015e-7;
constexpr double kROOT22 = 1.7891679e-6;
constexpr double kROOT32 = 3.7393792e-7;
constexpr double kROOT44 = 7.3636953e-9;
constexpr double kROOT52 = 1.1428639e-7;
constexpr double kROOT54 = 2.1765803e-9;
constexpr double kFASX2 = 0.13130908;
constexpr double kFASX4 = 2.8843198;
constexpr double kFASX6 = 0.37448087;
constexpr double kG22 = 5.7686396;
constexpr double kG32 = 0.95240898;
constexpr double kG44 = 1.8014998;
constexpr double kG52 = 1.050833;
constexpr double kG54 = 4.4108898;
constexpr double kSTEP = 720.0;       // resonance integrator step, minutes
constexpr double kSTEP2 = 259200.0;   // STEP^2 / 2

// An angle wrapped into [0, 2 pi).
inline double Wrap2Pi(double a)
{
    return a - kTWOPI * std::floor(a / kTWOPI);
}

}  // namespace libsgp4
