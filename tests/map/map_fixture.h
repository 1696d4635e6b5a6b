// Shared by the map and pipeline tests: degrees to float radians, polyline
// shape checks, and satellites.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "objects/objects.h"

inline float rad(double deg) { return static_cast<float>(deg * M_PI / 180.0); }

// Point counts of the polylines, in order ("2 3 ").
template <typename C>
std::string shape(const C& c)
{
    std::string s;
    for (uint64_t i = 0; i < c.PolylineCount(); ++i)
        s += std::to_string(c.Polylines()[i].count) + " ";
    return s;
}

// The polylines cover every point in order, each starting where the last ended.
template <typename C>
bool end_to_end(const C& c)
{
    uint64_t start = 0;
    for (uint64_t i = 0; i < c.PolylineCount(); ++i) {
        if (c.Polylines()[i].first != c.Points() + start)
            return false;
        start += c.Polylines()[i].count;
    }
    return start == c.PointCount();
}

// A circular low-earth orbit of the given mean motion (rev/day) or, decayed,
// one whose drag brought it down long ago.
inline object_t* make_leo(uint32_t catnum, double meanMotion, bool decayed = false, const char* name = "")
{
    OrbitalElements_t el;
    el.name = name;
    el.catalogNumber = catnum;
    el.epochYear = decayed ? 2000 : 2026;
    el.epochDay = 150.5;
    el.epochIsDayOfYear = true;
    el.bstar = decayed ? 0.9 : 0;
    el.inclination = 51.6;
    el.meanMotion = decayed ? 16.4 : meanMotion;
    object_t* o = nullptr;
    EXPECT_EQ(new_obj(&o, el), 0);
    return o;
}
