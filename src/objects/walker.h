// Walker-delta constellations: evenly spaced circular-ish orbits, used for
// demo and synthetic catalogues.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "objects/orbital_elements.h"

// Pattern inclination: planes/perPlane/phasing. Plane p has its ascending
// node at 360 p / planes degrees; satellite s of plane p has the mean anomaly
// 360 s / perPlane + 360 phasing p / (planes perPlane) degrees.
struct walkerShell_t {
    int planes = 1;
    int perPlane = 1;
    int phasing = 0;
    double inclination = 0.0;   // degrees
    double altitude = 0.0;      // km above the equatorial radius
    double eccentricity = 0.0;
};

// Mean motion (revolutions per day) of an orbit whose semi-major axis is the
// equatorial radius plus altitude_km, by Kepler's third law with the orbit
// model's earth constants (GM = 398600.8 km^3/s^2).
double walker_mean_motion(double altitude_km);

// Ascending node and mean anomaly (degrees, in [0, 360)) of satellite k of
// plane p.
void walker_angles(const walkerShell_t& shell, long p, long k, double* raan, double* meanAnomaly);

// Appends the shell's planes * perPlane element sets to out, numbered from
// firstNumber and named "<prefix>-<number>", with the calendar epoch given
// (UTC); every other element is zero.
void walker_shell(std::vector<OrbitalElements_t>& out, const walkerShell_t& shell,
                  uint32_t firstNumber, const std::string& prefix, const int epoch[6]);
