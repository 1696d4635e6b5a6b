#pragma once

namespace libsgp4 {

// Latitude (north positive) and longitude (east positive, [-pi, pi)) in
// radians, altitude in km above the reference ellipsoid.
struct CoordGeodetic {
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
};

}  // namespace libsgp4
