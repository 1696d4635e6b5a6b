// The latitude and longitude grid in raw coordinates (x = longitude,
// y = latitude, radians).
#pragma once
#include <cstdint>

#include "map/polylines.h"

// Parallels from north to south, each running west to east from -180 to 180
// degrees; 19 lines of 361 points give one line every 10 degrees, one point
// every degree.
class CLatitudeLines : public CPolylines<point2f_t, polyline2f_t> {
public:
    bool Set(uint64_t lines, uint64_t points);
};

// Meridians from west to east, each running north to south from 90 to -90
// degrees; 37 lines of 181 points give one line every 10 degrees.
class CLongitudeLines : public CPolylines<point2f_t, polyline2f_t> {
public:
    bool Set(uint64_t lines, uint64_t points);
};
