// Satellites for the path and pipeline tests: a real low-earth element set
// with a chosen mean motion, and one that decayed long ago.
#pragma once
#include <gtest/gtest.h>

#include "objects/objects.h"

inline object_t* make_leo(uint32_t catnum, double meanMotion = 15.49496548)
{
    OrbitalElements_t el;
    el.name = "SAT";
    el.catalogNumber = catnum;
    el.classification = 'U';
    el.intlDesignator = "98067A";
    el.epochYear = 2026;
    el.epochDay = 150.51748228;
    el.epochIsDayOfYear = true;
    el.meanMotionDot = 0.00011776;
    el.bstar = 0.00021767;
    el.inclination = 51.6337;
    el.raan = 27.5746;
    el.eccentricity = 0.0007245;
    el.argPerigee = 114.7080;
    el.meanAnomaly = 245.4664;
    el.meanMotion = meanMotion;
    el.revNumber = 56901;
    object_t* o = nullptr;
    EXPECT_EQ(new_obj(&o, el), 0);
    return o;
}

inline object_t* make_decayed(uint32_t catnum)
{
    OrbitalElements_t el;
    el.name = "DECAYED";
    el.catalogNumber = catnum;
    el.epochYear = 2000;
    el.epochDay = 150.5;
    el.epochIsDayOfYear = true;
    el.bstar = 0.9;
    el.inclination = 51.6;
    el.eccentricity = 0.0007;
    el.meanMotion = 16.4;
    object_t* o = nullptr;
    EXPECT_EQ(new_obj(&o, el), 0);
    return o;
}
