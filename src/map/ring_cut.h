// Closed rings of geographic points drawn on a world map, whose edge is the
// antimeridian.
#pragma once
#include <cstddef>

#include "map/polylines.h"

// Fills out with the ring's n points (longitude in [-pi, pi], latitude;
// radians) as polylines that never cross the antimeridian. A ring that does
// not cross it becomes one polyline closed by its first point again. One
// that does is cut at each crossing, where both pieces gain a point on the
// map edge (longitude -pi or pi) at the latitude interpolated there; a ring
// around a pole crosses once and becomes one polyline from edge to edge.
// A step of more than pi in longitude counts as a crossing.
void ring_cut(CPolylines2f& out, const point2f_t* ring, size_t n);
