// Plain records shared by every subsystem: colours and 2-D points.
#pragma once
#include <cstddef>
#include <cstdint>

// Red, green, blue, alpha; byte aligned so it can follow a text field.
struct color4b_t {
    uint8_t r, g, b, a;
};

// Geographic points hold x = longitude, y = latitude in radians.
struct point2f_t {
    float x, y;
};

struct point2i_t {
    int32_t x, y;
};

// A run of consecutive points inside a CPolylines point array.
struct polyline2f_t {
    uint64_t count;
    point2f_t* first;
};

struct polyline2i_t {
    uint64_t count;
    point2i_t* first;
};

// Text fields and path buffers hold 1024 characters plus the terminator.
constexpr size_t TEXT_CAP = 1025;
