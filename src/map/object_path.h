// The ground track of the selected satellite (g_var.sel.obj): points at a
// fixed time step from now over a number of orbits, cut into polylines where
// the track jumps across the map edge. Longitude/latitude in radians.
#pragma once
#include <cstdint>

#include "map/polylines.h"

class ObjectPath : public CPolylines<point2f_t, polyline2f_t> {
public:
    // An argument of 0 keeps the current value; refills the path when a
    // satellite is selected. The step is kept.
    bool SetOrbits(uint64_t orbits, uint64_t pointsPerOrbit);
    // Takes the step from the selected satellite's period and refills.
    void Reset();
    void EnablePolylines(bool lines);
    // Accumulates ms; true when a step is due. False without a selection.
    bool Tick(unsigned ms);
    // Moves the path one step forward: drops the oldest point, adds one at
    // the far end (or none when it cannot be computed).
    void Update();
    // Fills orbits x pointsPerOrbit points from now on, up to the first one
    // that cannot be computed.
    void InitPoints();
    uint64_t CalcNumPolylines() const;
    void InitPolylines();

    uint64_t orbits = 0;
    uint64_t pointsPerOrbit = 0;
    double step = 0;          // seconds between consecutive points
    uint32_t stepInterval = 0;  // the step in whole milliseconds
    uint32_t elapsed = 0;       // ms since the last step
    bool lines = true;          // drawn as lines (true) or squares (false)
};

extern ObjectPath g_path;
