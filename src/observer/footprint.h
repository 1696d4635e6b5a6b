// A satellite's footprint: the points of the ground from which it stands at
// elevation 0, on the orbit code's WGS-72 ellipsoid.
#pragma once
#include <cstddef>

#include "support/types.h"

// The footprint of a satellite above the geodetic point (latitude,
// longitude, radians) at a height of altKm, as a closed ring of n points
// (longitude in [-pi, pi], latitude; radians), one every 360/n degrees of
// azimuth around the sub-satellite point, in clockwise order seen from
// above. Each point lies on the great circle leaving the sub-satellite
// point at its azimuth, where the satellite's geometric elevation (as
// obs_lookEarthFixed gives it) is 0, to about a millimetre. False, with
// nothing written, when the height is not a positive number.
bool obs_footprint(point2f_t* out, size_t n, double latitude, double longitude, double altKm);
