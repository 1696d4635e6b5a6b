// An observer on the ground and the look angles of a satellite from there.
// Positions are on the orbit code's WGS-72 ellipsoid; Earth-fixed axes are
// the true-equator, mean-equinox axes turned about z by the Greenwich mean
// sidereal time of the orbit code (UTC taken as UT1, no polar motion).
#pragma once

#include "sgp4/Vector.h"

namespace libsgp4 {
class DateTime;
class SGP4;
}

struct observer_t {
    double latitude;   // geodetic, radians, north positive
    double longitude;  // radians, east positive
    double height;     // km above the ellipsoid
    // Earth-fixed position (km) and the unit vectors of the local east,
    // north and up (along the ellipsoid normal) axes.
    double pos[3];
    double east[3], north[3], up[3];
};

// Azimuth in [0, 2 pi) from north through east and geometric elevation
// (no refraction), radians; range km; range rate km/s, positive receding.
struct lookAngles_t {
    double azimuth;
    double elevation;
    double range;
    double rangeRate;
};

// The Earth's rotation rate implied by the sidereal time formula, rad/s.
constexpr double kObsEarthRate = 1.00273790935 * 2.0 * 3.14159265358979323846 / 86400.0;

// The observer at a geodetic latitude and longitude (degrees) and a height
// in metres.
observer_t obs_make(double latitudeDeg, double longitudeDeg, double heightM);
// Turns a true-equator, mean-equinox position and velocity (km, km/s) into
// Earth-fixed ones at the sidereal angle gmst (radians); the velocity is the
// one seen from the rotating Earth.
void obs_toEarthFixed(const libsgp4::Vector& pos, const libsgp4::Vector& vel, double gmst,
                      double outPos[3], double outVel[3]);
// Look angles of an Earth-fixed position and velocity.
lookAngles_t obs_lookEarthFixed(const observer_t& obs, const double pos[3], const double vel[3]);
// Look angles of a true-equator, mean-equinox position and velocity at dt.
lookAngles_t obs_look(const observer_t& obs, const libsgp4::Vector& pos,
                      const libsgp4::Vector& vel, const libsgp4::DateTime& dt);
// Look angles of the satellite of sgp4 at dt and whether it is sunlit, with
// sun = sun_position(dt). False, with *out and *sunlit unchanged, where
// prop_states gives no position.
bool obs_lookSat(const observer_t& obs, const libsgp4::SGP4& sgp4, const libsgp4::DateTime& dt,
                 const libsgp4::Vector& sun, lookAngles_t* out, bool* sunlit);
// Degrees of an azimuth in radians with the given decimals, in [0, 360)
// after rounding (359.9999 prints as 0.00 with two decimals, never 360.00).
double obs_azimuthDegrees(double rad, int decimals);
