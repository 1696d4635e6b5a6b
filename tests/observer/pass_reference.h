// An independent reference for the pass finder: brute force. The satellite
// is sampled every second of the window, its look angles computed here from
// the definitions (own Earth-fixed observer, own local frame, own Sun), and
// every change of side refined by bisection to a millisecond.
#pragma once
#include <cstdint>
#include <vector>

#include "sgp4/DateTime.h"

namespace libsgp4 {
class SGP4;
}

struct refObserver_t {
    double latDeg, lonDeg, heightM;
};

// Elevation and azimuth in degrees; sunlit and the Sun's elevation (degrees)
// for the visibility test. ok false when the model gives no position.
struct refLook_t {
    bool ok;
    double el, az;
    bool sunlit;
    double sunEl;
};

struct refPass_t {
    int64_t aos, tca, los;  // microseconds from the window's start
    double aosAz, tcaEl, tcaAz, losAz;  // degrees
    bool started, ends, visible;
};

// The Sun's part (sunlit, sunEl) only when withSun.
refLook_t ref_look(const libsgp4::SGP4& sgp4, const refObserver_t& obs, const libsgp4::DateTime& t,
                   bool withSun = true);
// The Sun's position (km) from the almanac formulas, written out again.
void ref_sun(const libsgp4::DateTime& t, double out[3]);

// False when a propagation failed at any instant sampled.
bool ref_passes(const libsgp4::SGP4& sgp4, const refObserver_t& obs,
                const libsgp4::DateTime& start, int64_t lengthUs, double minElDeg,
                std::vector<refPass_t>& out);
